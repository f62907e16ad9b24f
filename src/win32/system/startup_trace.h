#pragma once
// An opt-in record of the program's start-up steps for the start-up benchmark.
// With QUELLBROOK_STARTUP_TRACE set to a file path, the end of each step is
// stamped with QueryPerformanceCounter, and the stamps are written to that
// file once the main window is shown. Without it, a mark is one test of a flag.
//
// The file holds "frequency <ticks per second>", then one "<ticks> <step>" line
// per stamp; the counter is the system's, so another process can set the
// stamps against its own.

namespace quellbrook::win32::startup_trace {

// Reads the variable and stamps the program's entry; call it first.
void Begin() noexcept;
// Stamps the end of a step; `step` must outlive the trace (a literal).
void Mark(const char* step) noexcept;
// Writes the file and stops recording: later windows are not part of the
// start-up.
void End() noexcept;

}  // namespace quellbrook::win32::startup_trace
