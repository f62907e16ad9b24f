// quellbrook_startup_bench RUNS LABEL=PROGRAM...
//
// Start-up benchmark. Starts each program once to warm the caches, then RUNS
// times in turn, and measures from CreateProcess until its main window (class
// QuellbrookForm, captioned Quellbrook) is visible and answers WM_NULL: the
// program has shown its window and waits for messages. Prints figures;
// asserts nothing. Exit code 1 when a program did not start.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "u16.h"

namespace {

constexpr wchar_t kFormClass[] = L"QuellbrookForm";
constexpr wchar_t kMainCaption[] = L"Quellbrook";
constexpr DWORD kTimeoutMs = 30000;

struct Program {
  std::wstring label;
  std::wstring path;
};

LONGLONG Now() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double Frequency() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

HWND FindMainWindow(DWORD pid) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, kFormClass, kMainCaption)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Starts the program, waits for its responding main window, closes it;
// returns the milliseconds from CreateProcess to that window's answer.
std::optional<double> StartOnce(const Program& program) {
  std::wstring commandLine = L"\"" + program.path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};

  const LONGLONG launched = Now();
  if (!CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", program.path.c_str(), GetLastError());
    return std::nullopt;
  }
  OwnedHandle processHandle(process.hProcess);
  OwnedHandle threadHandle(process.hThread);

  HWND window = nullptr;
  LONGLONG ready = 0;
  const ULONGLONG deadline = GetTickCount64() + kTimeoutMs;
  while (ready == 0 && GetTickCount64() < deadline) {
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    window = window != nullptr ? window : FindMainWindow(process.dwProcessId);
    DWORD_PTR ignored = 0;
    if (window != nullptr && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored) != 0) {
      ready = Now();
    } else {
      Sleep(1);
    }
  }

  if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
  }
  if (ready == 0) {
    std::fwprintf(stderr, L"%ls showed no responding main window\n", program.path.c_str());
    return std::nullopt;
  }
  // Lets the display and the Wine server settle before the next start.
  Sleep(200);
  return static_cast<double>(ready - launched) * 1000 / Frequency();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 0;
  std::vector<Program> programs;
  for (int i = 2; i < argc; ++i) {
    std::wstring argument = argv[i];
    std::size_t equals = argument.find(L'=');
    if (equals == std::wstring::npos) continue;
    programs.push_back(Program{argument.substr(0, equals), argument.substr(equals + 1)});
  }
  if (runs == 0 || programs.empty()) {
    std::fwprintf(stderr, L"usage: %ls RUNS LABEL=PROGRAM...\n", argv[0]);
    return 2;
  }

  std::map<std::wstring, std::vector<double>> ready;
  for (const Program& program : programs) {
    if (!StartOnce(program)) return 1;
  }
  for (int run = 0; run < runs; ++run) {
    for (const Program& program : programs) {
      std::optional<double> ms = StartOnce(program);
      if (!ms) return 1;
      ready[program.label].push_back(*ms);
    }
  }

  const double baseline = Median(ready[programs.front().label]);
  std::printf("CreateProcess to a responding main window, ms (median of %d; min, max)\n", runs);
  for (const Program& program : programs) {
    const std::vector<double>& times = ready[program.label];
    double median = Median(times);
    std::printf("  %-34s %7.1f  (%.1f, %.1f)  %.2fx %s\n", quellbrook::test_support::Utf8(program.label).c_str(), median,
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
                median / baseline, quellbrook::test_support::Utf8(programs.front().label).c_str());
  }
  return 0;
}
