#include "win32/ui/unhandled_exception.h"

#include <windows.h>

#include <utility>

namespace quellbrook::win32 {
namespace {

// The UI has a single thread; only it runs window procedures.
std::exception_ptr& Kept() {
  static std::exception_ptr kept;
  return kept;
}

}  // namespace

void KeepUnhandledException(const std::exception_ptr& exception) noexcept {
  if (!Kept()) Kept() = exception;
  ::PostQuitMessage(1);
}

void RethrowUnhandledException() {
  if (std::exception_ptr kept = std::exchange(Kept(), nullptr)) std::rethrow_exception(kept);
}

}  // namespace quellbrook::win32
