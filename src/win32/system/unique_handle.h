#pragma once
// Move-only owners of Win32 handles and of what COM allocates: each traits type
// names the owned value's type, its "nothing owned" value and the one call
// that releases it, and may say how to tell an owned value (else: it differs
// from the "nothing owned" value).

#include <windows.h>

#include <utility>

namespace quellbrook::win32 {

template <typename Traits>
class UniqueHandle {
 public:
  using Value = typename Traits::Value;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Value value) noexcept : value_(value) {}
  ~UniqueHandle() { Reset(); }

  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Value Get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return Holds(value_); }

  // For the out parameter of a creating call; drops what was owned.
  Value* Put() noexcept {
    Reset();
    return &value_;
  }

  Value Release() noexcept { return std::exchange(value_, Traits::Invalid()); }

  void Reset(Value value = Traits::Invalid()) noexcept {
    Value old = std::exchange(value_, value);
    if (Holds(old)) Traits::Close(old);
  }

 private:
  static bool Holds(const Value& value) noexcept {
    if constexpr (requires { Traits::Holds(value); }) {
      return Traits::Holds(value);
    } else {
      return value != Traits::Invalid();
    }
  }

  Value value_ = Traits::Invalid();
};

// Files and find handles signal failure with INVALID_HANDLE_VALUE ...
template <auto Release>
struct InvalidValueTraits {
  using Value = HANDLE;
  static Value Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Value value) noexcept { Release(value); }
};

// ... processes, threads, events, GDI objects, icons, modules and system
// buffers with NULL.
template <typename Handle, auto Release>
struct NullValueTraits {
  using Value = Handle;
  static Value Invalid() noexcept { return nullptr; }
  static void Close(Value value) noexcept { Release(value); }
};

using UniqueFile = UniqueHandle<InvalidValueTraits<&::CloseHandle>>;
using UniqueFind = UniqueHandle<InvalidValueTraits<&::FindClose>>;
using UniqueKernelHandle = UniqueHandle<NullValueTraits<HANDLE, &::CloseHandle>>;
using UniqueFont = UniqueHandle<NullValueTraits<HFONT, &::DeleteObject>>;
using UniqueBitmap = UniqueHandle<NullValueTraits<HBITMAP, &::DeleteObject>>;
using UniquePen = UniqueHandle<NullValueTraits<HPEN, &::DeleteObject>>;
using UniqueIcon = UniqueHandle<NullValueTraits<HICON, &::DestroyIcon>>;
using UniqueMemoryDc = UniqueHandle<NullValueTraits<HDC, &::DeleteDC>>;
// Buffers that the system allocated for the caller (FormatMessage).
using UniqueLocalMemory = UniqueHandle<NullValueTraits<HLOCAL, &::LocalFree>>;
using UniqueModule = UniqueHandle<NullValueTraits<HMODULE, &::FreeLibrary>>;

}  // namespace quellbrook::win32
