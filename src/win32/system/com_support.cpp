#include "win32/system/com_support.h"

#include <limits>
#include <new>

#include "win32/system/system_error_text.h"
#include "win32/system/system_library.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

class ComLibraries {
 public:
  ComLibraries() : ole32_(L"ole32.dll"), oleaut32_(L"oleaut32.dll") {
    functions_.CoInitializeEx = ole32_.Export<decltype(&::CoInitializeEx)>("CoInitializeEx");
    functions_.CoUninitialize = ole32_.Export<decltype(&::CoUninitialize)>("CoUninitialize");
    functions_.CLSIDFromProgID = ole32_.Export<decltype(&::CLSIDFromProgID)>("CLSIDFromProgID");
    functions_.CoCreateInstance = ole32_.Export<decltype(&::CoCreateInstance)>("CoCreateInstance");
    functions_.SysAllocStringLen = oleaut32_.Export<decltype(&::SysAllocStringLen)>("SysAllocStringLen");
    functions_.SysFreeString = oleaut32_.Export<decltype(&::SysFreeString)>("SysFreeString");
    functions_.SysStringLen = oleaut32_.Export<decltype(&::SysStringLen)>("SysStringLen");
    functions_.VariantClear = oleaut32_.Export<decltype(&::VariantClear)>("VariantClear");
  }

  const ComFunctions& Functions() const noexcept { return functions_; }

 private:
  SystemLibrary ole32_;
  SystemLibrary oleaut32_;
  ComFunctions functions_{};
};

}  // namespace

const ComFunctions& Com() {
  static const ComLibraries libraries;
  return libraries.Functions();
}

// A string exists only once the library that allocated it is loaded.
void FreeBstr(BSTR value) noexcept {
  if (value != nullptr) Com().SysFreeString(value);
}

UniqueBstr BstrFromText(std::wstring_view text) {
  if (text.size() > std::numeric_limits<UINT>::max()) throw std::bad_alloc();
  UniqueBstr string(Com().SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
  if (!string) throw std::bad_alloc();
  return string;
}

// Only COM puts anything but VT_EMPTY into a variant, once it is loaded.
void VariantTraits::Close(Value value) noexcept { Com().VariantClear(&value); }

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
  UINT length = info.bstrDescription != nullptr ? Com().SysStringLen(info.bstrDescription) : 0;
  if (length != 0) {
    return PlatformError(number, FromWide({info.bstrDescription, length}));
  }
  return Win32Error(number);
}

ComApartment::ComApartment() {
  ThrowIfFailed(Com().CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

}  // namespace quellbrook::win32
