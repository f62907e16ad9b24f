#include "win32/system/startup_trace.h"

#include <windows.h>

#include <string>

#include "win32/system/unique_handle.h"

namespace quellbrook::win32::startup_trace {
namespace {

struct Stamp {
  const char* step;
  LONGLONG ticks;
};

// Enough for every control of the main window; later stamps are dropped.
constexpr int kCapacity = 256;

struct Trace {
  bool on = false;
  std::wstring path;
  int count = 0;
  Stamp stamps[kCapacity];
};

Trace trace;

void Write() {
  UniqueFile file(::CreateFileW(trace.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  LARGE_INTEGER frequency{};
  ::QueryPerformanceFrequency(&frequency);
  std::string text = "frequency " + std::to_string(frequency.QuadPart) + "\n";
  for (int i = 0; i < trace.count; ++i) {
    text += std::to_string(trace.stamps[i].ticks) + " " + trace.stamps[i].step + "\n";
  }
  DWORD written = 0;
  ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void Begin() noexcept {
  trace.count = 0;
  DWORD size = ::GetEnvironmentVariableW(L"QUELLBROOK_STARTUP_TRACE", nullptr, 0);
  if (size <= 1) return;
  try {
    trace.path.resize(size);
    trace.path.resize(::GetEnvironmentVariableW(L"QUELLBROOK_STARTUP_TRACE", trace.path.data(), size));
  } catch (...) {
    return;
  }
  trace.on = !trace.path.empty();
  Mark("process start to wWinMain");
}

void Mark(const char* step) noexcept {
  if (!trace.on || trace.count == kCapacity) return;
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  trace.stamps[trace.count++] = Stamp{step, now.QuadPart};
}

void End() noexcept {
  if (!trace.on) return;
  trace.on = false;
  try {
    Write();
  } catch (...) {
    // A trace that cannot be written is simply missing; the benchmark says so.
  }
}

}  // namespace quellbrook::win32::startup_trace
