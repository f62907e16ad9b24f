// quellbrook_startup_bench RUNS LABEL=PROGRAM...
//
// Start-up benchmark. Starts each program once to warm the caches, then RUNS
// times in turn, and measures from CreateProcess until its main window (class
// QuellbrookForm, captioned Quellbrook) is visible and answers WM_NULL: the
// program has shown its window and waits for messages. Then it starts each
// program RUNS times more with QUELLBROOK_STARTUP_TRACE set and, for the
// programs that write that trace, prints the median time of each step.
// Prints figures; asserts nothing. Exit code 1 when a program did not start.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "u16.h"

namespace {

constexpr wchar_t kFormClass[] = L"QuellbrookForm";
constexpr wchar_t kMainCaption[] = L"Quellbrook";
constexpr wchar_t kTraceVariable[] = L"QUELLBROOK_STARTUP_TRACE";
constexpr DWORD kTimeoutMs = 30000;

struct Program {
  std::wstring label;
  std::wstring path;
};

// A step of the program's own trace: its name and how long it took.
struct Step {
  std::string name;
  double ms;
};

struct Start {
  double readyMs;           // CreateProcess to a responding main window
  std::vector<Step> steps;  // empty without a trace
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

// The trace's stamps as steps: each lasts from the stamp before it (the first
// from `launched`) to its own stamp. After the last stamp the program enters
// its message loop; what follows until it answered is one more step.
std::vector<Step> ReadTrace(const std::wstring& path, LONGLONG launched, LONGLONG ready) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  std::string word;
  double frequency = 0;
  if (!(file >> word >> frequency) || word != "frequency" || frequency <= 0) return {};
  std::vector<Step> steps;
  LONGLONG previous = launched;
  LONGLONG ticks = 0;
  std::string name;
  while (file >> ticks && std::getline(file >> std::ws, name)) {
    steps.push_back(Step{name, static_cast<double>(ticks - previous) * 1000 / frequency});
    previous = ticks;
  }
  if (!steps.empty()) {
    steps.push_back(Step{"message loop, answered", static_cast<double>(ready - previous) * 1000 / frequency});
  }
  return steps;
}

// Starts the program, waits for its responding main window, closes it.
std::optional<Start> StartOnce(const Program& program, const std::wstring& tracePath) {
  if (!tracePath.empty()) {
    DeleteFileW(tracePath.c_str());
    SetEnvironmentVariableW(kTraceVariable, tracePath.c_str());
  } else {
    SetEnvironmentVariableW(kTraceVariable, nullptr);
  }
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
  Start start{static_cast<double>(ready - launched) * 1000 / Frequency(), {}};
  if (!tracePath.empty()) start.steps = ReadTrace(tracePath, launched, ready);
  // Lets the display and the Wine server settle before the next start.
  Sleep(200);
  return start;
}

// Median over the runs of each step's total in a run, in the order the steps
// first appear; a step that repeats (one per control) is summed in its run.
void PrintSteps(const std::vector<Start>& starts) {
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> totals;
  std::map<std::string, int> counts;
  for (const Start& start : starts) {
    std::map<std::string, double> total;
    std::map<std::string, int> count;
    for (const Step& step : start.steps) {
      if (std::find(order.begin(), order.end(), step.name) == order.end()) order.push_back(step.name);
      total[step.name] += step.ms;
      ++count[step.name];
    }
    for (const auto& [name, ms] : total) totals[name].push_back(ms);
    for (const auto& [name, n] : count) counts[name] = n;
  }
  double sum = 0;
  for (const std::string& name : order) {
    const std::vector<double>& times = totals[name];
    double median = Median(times);
    sum += median;
    std::string label = counts[name] > 1 ? name + " (x" + std::to_string(counts[name]) + ")" : name;
    std::printf("  %-34s %7.1f  (%.1f, %.1f)\n", label.c_str(), median, *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
  }
  std::printf("  %-34s %7.1f\n", "sum of the step medians", sum);
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

  wchar_t tempFolder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, tempFolder);
  const std::wstring tracePath =
      std::wstring(tempFolder) + L"quellbrook-startup-" + std::to_wstring(GetCurrentProcessId()) + L".trace";

  std::map<std::wstring, std::vector<double>> ready;
  std::map<std::wstring, std::vector<Start>> traced;
  for (const Program& program : programs) {
    if (!StartOnce(program, {})) return 1;
  }
  for (int run = 0; run < runs; ++run) {
    for (const Program& program : programs) {
      std::optional<Start> start = StartOnce(program, {});
      if (!start) return 1;
      ready[program.label].push_back(start->readyMs);
    }
  }
  for (int run = 0; run < runs; ++run) {
    for (const Program& program : programs) {
      std::optional<Start> start = StartOnce(program, tracePath);
      if (!start) return 1;
      if (!start->steps.empty()) traced[program.label].push_back(*start);
    }
  }
  DeleteFileW(tracePath.c_str());

  const double baseline = Median(ready[programs.front().label]);
  std::printf("CreateProcess to a responding main window, ms (median of %d; min, max)\n", runs);
  for (const Program& program : programs) {
    const std::vector<double>& times = ready[program.label];
    double median = Median(times);
    std::printf("  %-34s %7.1f  (%.1f, %.1f)  %.2fx %s\n", quellbrook::test_support::Utf8(program.label).c_str(), median,
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
                median / baseline, quellbrook::test_support::Utf8(programs.front().label).c_str());
  }
  for (const Program& program : programs) {
    const std::vector<Start>& starts = traced[program.label];
    if (starts.empty()) continue;
    std::vector<double> totals;
    for (const Start& start : starts) totals.push_back(start.readyMs);
    std::printf("\n%s, its own steps with the trace on, ms (median of %zu; min, max; traced start %.1f)\n",
                quellbrook::test_support::Utf8(program.label).c_str(), starts.size(), Median(totals));
    PrintSteps(starts);
  }
  return 0;
}
