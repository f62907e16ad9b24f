#pragma once
// C++ exceptions must not unwind through the system's frames of a window
// procedure. The procedure keeps the first one here and ends the message loop,
// which throws it again on the program's own stack.

#include <exception>

namespace quellbrook::win32 {

void KeepUnhandledException(const std::exception_ptr& exception) noexcept;
void RethrowUnhandledException();

}  // namespace quellbrook::win32
