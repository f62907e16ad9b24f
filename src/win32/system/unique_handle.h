#pragma once
// Move-only owners of Win32 handles: each traits type names the handle's type,
// its "no handle" value and the one call that releases it.

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
  explicit operator bool() const noexcept { return value_ != Traits::Invalid(); }

  Value Release() noexcept { return std::exchange(value_, Traits::Invalid()); }

  void Reset(Value value = Traits::Invalid()) noexcept {
    Value old = std::exchange(value_, value);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
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
