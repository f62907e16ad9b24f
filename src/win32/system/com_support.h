#pragma once
// COM for the scripting host: the functions of ole32.dll and oleaut32.dll,
// loaded on first use, and move-only owners for interface pointers, BSTRs,
// VARIANTs, the strings of an EXCEPINFO, and the apartment of the UI thread.

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <string_view>

#include "core/failure.h"
#include "win32/system/unique_handle.h"

namespace quellbrook::win32 {

// The COM functions the program calls. The program imports neither library:
// before Windows 10 1607 an import is looked for beside the exe first unless
// it is a Known DLL, and Microsoft does not say that these two are; loaded by
// hand, from the system folder only, no copy planted in Downloads runs.
struct ComFunctions {
  decltype(&::CoInitializeEx) CoInitializeEx;
  decltype(&::CoUninitialize) CoUninitialize;
  decltype(&::CLSIDFromProgID) CLSIDFromProgID;
  decltype(&::CoCreateInstance) CoCreateInstance;
  decltype(&::SysAllocStringLen) SysAllocStringLen;
  decltype(&::SysFreeString) SysFreeString;
  decltype(&::SysStringLen) SysStringLen;
  decltype(&::VariantClear) VariantClear;
};

// Loads both libraries from the system folder on the first call; they stay
// until the program ends. Throws PlatformError when that fails, and tries
// again on the next call.
const ComFunctions& Com();

// An interface pointer, released with its owner.
template <typename Interface>
struct ComReleaseTraits {
  using Value = Interface*;
  static Value Invalid() noexcept { return nullptr; }
  static void Close(Value value) noexcept { value->Release(); }
};
template <typename Interface>
using ComPtr = UniqueHandle<ComReleaseTraits<Interface>>;

// Frees a string that COM allocated; nullptr is no string.
void FreeBstr(BSTR value) noexcept;

using UniqueBstr = UniqueHandle<NullValueTraits<BSTR, &FreeBstr>>;
// A copy of the text. Throws std::bad_alloc when the system has no memory for it.
UniqueBstr BstrFromText(std::wstring_view text);

// Owns what a VARIANT holds; VT_EMPTY holds nothing.
struct VariantTraits {
  using Value = VARIANT;
  // All that VariantInit does.
  static Value Invalid() noexcept { return VARIANT{}; }
  static bool Holds(const Value& value) noexcept { return value.vt != VT_EMPTY; }
  static void Close(Value value) noexcept;
};

using UniqueVariant = UniqueHandle<VariantTraits>;
// A VT_BSTR variant holding a copy of the text.
UniqueVariant VariantFromText(std::wstring_view text);

// An EXCEPINFO that frees the strings an object put into it.
class ExceptionInfo {
 public:
  ExceptionInfo() noexcept = default;
  ~ExceptionInfo() {
    FreeBstr(info_.bstrSource);
    FreeBstr(info_.bstrDescription);
    FreeBstr(info_.bstrHelpFile);
  }
  ExceptionInfo(const ExceptionInfo&) = delete;
  ExceptionInfo& operator=(const ExceptionInfo&) = delete;

  EXCEPINFO* Get() noexcept { return &info_; }
  // Lets an object that defers its description fill it in now.
  const EXCEPINFO& Filled() {
    if (info_.pfnDeferredFillIn != nullptr) {
      info_.pfnDeferredFillIn(&info_);
      info_.pfnDeferredFillIn = nullptr;
    }
    return info_;
  }

 private:
  EXCEPINFO info_{};
};

// The failure a COM object reported through EXCEPINFO: its own code and
// description, or the system's words for the code when it gave none.
PlatformError ErrorFromExcepInfo(const EXCEPINFO& info, HRESULT fallback);

// COM initialised as a single-threaded apartment for the calling thread.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment() { Com().CoUninitialize(); }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
};

}  // namespace quellbrook::win32
