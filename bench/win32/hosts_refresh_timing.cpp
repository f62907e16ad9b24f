// hosts_refresh_timing [lines...]
// Under Wine or on Windows: the time of a refresh click in the real HOSTS
// window against the bare cost of putting the same text into its text box,
// for generated HOSTS files of the given sizes (default 10000 50000 150000
// lines). Prints a table; asserts nothing.
//
// The window is the program's own, built in this process with the program's
// services; SystemRoot points at a temporary folder that holds the file.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/file_channel.h"
#include "core/joined_text.h"
#include "forms/service_set.h"
#include "hosts/form3.h"
#include "win32/ui/dialog_owner.h"
#include "win32/ui/form_tracker.h"
#include "win32/ui/form_window.h"
#include "win32/program/program_services.h"
#include "win32/system/wide_text.h"

namespace quellbrook::win32 {
namespace {

class NoSecondaryWindows final : public SecondaryWindows {
 public:
  void ShowSecondaryWindow(const WindowDefinition&) override {}
};

// Entries "0.0.0.0 <name>", CR LF after each, every thousandth with a Chinese
// comment in code page 936.
std::string MakeHostsFile(std::size_t lines) {
  std::string text;
  unsigned state = 20091230;
  for (std::size_t n = 1; n <= lines; ++n) {
    text += "0.0.0.0 ";
    for (int i = 6 + static_cast<int>(n % 13); i > 0; --i) {
      state = state * 1103515245u + 12345u;
      text += "abcdefghijklmnopqrstuvwxyz0123456789"[(state >> 16) % 36];
    }
    text += n % 3 == 0 ? ".cn" : ".com";
    if (n % 1000 == 0) text += " # \xb5\xda" + std::to_string(n / 1000) + "\xb6\xce";
    text += "\r\n";
  }
  return text;
}

// Lets the window repaint and handle whatever the change queued.
void Settle(HWND window) {
  ::UpdateWindow(window);
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

struct Timing {
  double wallMs = 1e300;
  double cpuMs = 1e300;  // of this thread, which runs the text box's own work
};

double ThreadCpuMs() {
  FILETIME created, exited, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](FILETIME time) { return (static_cast<double>(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

// Keeps the best of several runs: other programs on the machine only ever add time.
template <typename Action>
void Measure(HWND window, Timing& best, Action action) {
  const double cpu = ThreadCpuMs();
  const auto start = std::chrono::steady_clock::now();
  action();
  Settle(window);
  best.wallMs = std::min(best.wallMs, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  best.cpuMs = std::min(best.cpuMs, ThreadCpuMs() - cpu);
}

double Overhead(double measured, double bare) { return 100.0 * (measured - bare) / bare; }

int Run(HINSTANCE instance, const std::vector<std::size_t>& sizes) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("quellbrook-refresh-timing-" + std::to_string(::GetCurrentProcessId()));
  std::filesystem::create_directories(root / "system32" / "drivers" / "etc");
  ::SetEnvironmentVariableW(L"SystemRoot", root.wstring().c_str());

  FormTracker tracker;
  DialogOwner dialogOwner;
  ServiceSet::Parts parts = Win32ServiceParts(dialogOwner, tracker);
  parts.windows = std::make_unique<NoSecondaryWindows>();
  ServiceSet services(std::move(parts));
  FormWindow form(kForm3Window, FormContext{instance, services.Get(), tracker, dialogOwner});
  form.Show(SW_SHOWNORMAL);
  Settle(form.Handle());
  const HWND box = ::GetDlgItem(form.Handle(), 3001);
  const HWND refresh = ::GetDlgItem(form.Handle(), 1001);
  const std::wstring blocklist = ToWide(kForm3Table.controls[0].caption);

  std::printf("%8s | %12s %12s %9s | %12s %12s %9s | %12s\n", "lines", "refresh ms", "set text ms", "overhead",
              "refresh cpu", "set text cpu", "overhead", "read file ms");
  for (const std::size_t lines : sizes) {
    const std::filesystem::path file = root / "system32" / "drivers" / "etc" / "hosts";
    std::ofstream(file, std::ios::binary) << MakeHostsFile(lines);
    const std::u16string hostsPath = file.u16string();
    const std::wstring joined = ToWide(ReadJoinedText(services.Get().files, hostsPath));
    // Each run starts from the blocklist, as a fresh window does.
    Timing refreshTime, setTextTime, readTime;
    for (int round = 0; round < 5; ++round) {
      ::SetWindowTextW(box, blocklist.c_str());
      Settle(form.Handle());
      Measure(form.Handle(), setTextTime, [&] { ::SetWindowTextW(box, joined.c_str()); });
      ::SetWindowTextW(box, blocklist.c_str());
      Settle(form.Handle());
      Measure(form.Handle(), refreshTime, [&] { ::SendMessageW(refresh, BM_CLICK, 0, 0); });
      // What the refresh does besides filling the box.
      Measure(form.Handle(), readTime, [&] { ReadJoinedText(services.Get().files, hostsPath); });
    }
    std::printf("%8zu | %12.1f %12.1f %8.1f%% | %12.1f %12.1f %8.1f%% | %12.1f\n", lines, refreshTime.wallMs,
                setTextTime.wallMs, Overhead(refreshTime.wallMs, setTextTime.wallMs), refreshTime.cpuMs,
                setTextTime.cpuMs, Overhead(refreshTime.cpuMs, setTextTime.cpuMs), readTime.wallMs);
    std::fflush(stdout);
  }
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return 0;
}

}  // namespace
}  // namespace quellbrook::win32

int wmain(int argc, wchar_t** argv) {
  std::vector<std::size_t> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::wcstoul(argv[i], nullptr, 10));
  if (sizes.empty()) sizes = {10000, 50000, 150000};
  return quellbrook::win32::Run(::GetModuleHandleW(nullptr), sizes);
}
