#include "win32/system/com_support.h"

#include <limits>
#include <new>

#include "win32/system/system_error_text.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {

UniqueBstr BstrFromText(std::wstring_view text) {
  if (text.size() > std::numeric_limits<UINT>::max()) throw std::bad_alloc();
  UniqueBstr string(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
  if (!string) throw std::bad_alloc();
  return string;
}

UniqueVariant VariantFromText(std::wstring_view text) {
  UniqueBstr string = BstrFromText(text);
  VARIANT value{};
  value.vt = VT_BSTR;
  value.bstrVal = string.Release();
  return UniqueVariant(value);
}

PlatformError ErrorFromExcepInfo(const EXCEPINFO& info, HRESULT fallback) {
  std::uint32_t number = info.scode != 0   ? static_cast<std::uint32_t>(info.scode)
                         : info.wCode != 0 ? info.wCode
                                           : static_cast<std::uint32_t>(fallback);
  UINT length = ::SysStringLen(info.bstrDescription);  // 0 for no string
  if (length != 0) {
    return PlatformError(number, FromWide({info.bstrDescription, length}));
  }
  return Win32Error(number);
}

ComApartment::ComApartment() {
  ThrowIfFailed(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

}  // namespace quellbrook::win32
