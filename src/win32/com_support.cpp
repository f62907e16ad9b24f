#include "win32/com_support.h"

#include <limits>
#include <new>

#include "win32/system_error_text.h"
#include "win32/wide_text.h"
#include "win32/win32_error.h"

namespace quellbrook::win32 {

UniqueBstr::UniqueBstr(std::wstring_view text) {
  if (text.size() > std::numeric_limits<UINT>::max()) throw std::bad_alloc();
  value_ = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (value_ == nullptr) throw std::bad_alloc();
}

UniqueVariant UniqueVariant::FromText(std::wstring_view text) {
  UniqueBstr string(text);
  UniqueVariant variant;
  variant.value_.vt = VT_BSTR;
  variant.value_.bstrVal = string.Release();
  return variant;
}

PlatformError ErrorFromExcepInfo(const EXCEPINFO& info, HRESULT fallback) {
  std::uint32_t number = info.scode != 0   ? static_cast<std::uint32_t>(info.scode)
                         : info.wCode != 0 ? info.wCode
                                           : static_cast<std::uint32_t>(fallback);
  if (UINT length = ::SysStringLen(info.bstrDescription); length != 0) {
    return PlatformError(number, FromWide({info.bstrDescription, length}));
  }
  return Win32Error(number);
}

ComApartment::ComApartment() {
  ThrowIfFailed(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

}  // namespace quellbrook::win32
