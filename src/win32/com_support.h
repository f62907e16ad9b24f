#pragma once
// Move-only owners for COM: interface pointers, BSTRs, VARIANTs, the strings
// of an EXCEPINFO, and the apartment of the UI thread.

#include <windows.h>
#include <oleauto.h>

#include <string_view>
#include <utility>

#include "core/failure.h"

namespace quellbrook::win32 {

template <typename Interface>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ~ComPtr() { Reset(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* Get() const noexcept { return pointer_; }
  Interface* operator->() const noexcept { return pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  // For the out parameter of a creating call; drops what was held.
  Interface** Put() noexcept {
    Reset();
    return &pointer_;
  }
  void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

  void Reset() noexcept {
    if (Interface* old = std::exchange(pointer_, nullptr)) old->Release();
  }

 private:
  Interface* pointer_ = nullptr;
};

class UniqueBstr {
 public:
  UniqueBstr() noexcept = default;
  // Throws std::bad_alloc when the system has no memory for the copy.
  explicit UniqueBstr(std::wstring_view text);
  ~UniqueBstr() { ::SysFreeString(value_); }
  UniqueBstr(UniqueBstr&& other) noexcept : value_(std::exchange(other.value_, nullptr)) {}
  UniqueBstr& operator=(UniqueBstr&& other) noexcept {
    if (this != &other) {
      ::SysFreeString(value_);
      value_ = std::exchange(other.value_, nullptr);
    }
    return *this;
  }
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;

  BSTR Get() const noexcept { return value_; }
  // Hands the string to a VARIANT, which then frees it.
  BSTR Release() noexcept { return std::exchange(value_, nullptr); }

 private:
  BSTR value_ = nullptr;
};

class UniqueVariant {
 public:
  UniqueVariant() noexcept { ::VariantInit(&value_); }
  // A VT_BSTR variant holding a copy of the text.
  static UniqueVariant FromText(std::wstring_view text);
  ~UniqueVariant() { ::VariantClear(&value_); }
  UniqueVariant(UniqueVariant&& other) noexcept : value_(other.value_) { ::VariantInit(&other.value_); }
  UniqueVariant& operator=(UniqueVariant&& other) noexcept {
    if (this != &other) {
      ::VariantClear(&value_);
      value_ = other.value_;
      ::VariantInit(&other.value_);
    }
    return *this;
  }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;

  VARIANT* Get() noexcept { return &value_; }
  const VARIANT& Value() const noexcept { return value_; }

 private:
  VARIANT value_;
};

// An EXCEPINFO that frees the strings an object put into it.
class ExceptionInfo {
 public:
  ExceptionInfo() noexcept = default;
  ~ExceptionInfo() {
    ::SysFreeString(info_.bstrSource);
    ::SysFreeString(info_.bstrDescription);
    ::SysFreeString(info_.bstrHelpFile);
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
  ~ComApartment() { ::CoUninitialize(); }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
};

}  // namespace quellbrook::win32
