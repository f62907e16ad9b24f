// quellbrook_feel_bench ROUNDS LABEL=PROGRAM...
//
// Under Wine or on Windows: how long a user waits for three operations of
// each given Quellbrook.exe, driven from outside through its windows as the
// end-to-end tests drive it, next to the least that the same result takes:
//   - a HOSTS refresh of 150 000 lines, next to putting the same text once
//     into a text box of the same kind, size and font in this process (Wine
//     passes no text that long to another process's box);
//   - a fuzzy find that matches all 964 names of the saved blocklist, next to
//     putting its result into that text box once;
//   - a tick of "关闭自动更新" on a 1 000 000-line xp.bat, next to a plain
//     rewrite by this program: the file read, decoded, the replacement made
//     and encoded in single calls, written beside it, flushed and swapped in
//     with ReplaceFileW.
// Each figure is the best of ROUNDS: other work on the machine only ever adds
// time. Changes the HOSTS file of the machine (Wine's prefix) and puts it
// back. Prints figures; asserts nothing. Exit code 1 when a step failed.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

#include "app_session.h"
#include "app_windows.h"
#include "generated_files.h"
#include "u16.h"

namespace quellbrook::e2e {
namespace {

std::optional<std::string> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}

struct Figures {
  double programMs = 1e300;
  double leastMs = 1e300;
};

// The best of the runs so far: other work only ever adds time.
double BestOf(double best, const char* step, const std::function<bool()>& action) {
  const auto start = std::chrono::steady_clock::now();
  if (!action()) throw std::runtime_error(std::string(step) + " failed");
  return std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
}

std::wstring Decoded(std::string_view bytes) {
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string Encoded(std::wstring_view text) {
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
}

// The whole job of a switch tick, done the plain way.
bool PlainRewrite(const std::wstring& file, std::wstring_view find, std::wstring_view replacement) {
  const std::optional<std::string> bytes = ReadBytes(file);
  if (!bytes) return false;
  const std::wstring text = Decoded(*bytes);
  std::wstring replaced;
  replaced.reserve(text.size() + 2);
  std::size_t done = 0;
  for (std::size_t at = text.find(find); at != std::wstring::npos; at = text.find(find, done)) {
    replaced.append(text, done, at - done).append(replacement);
    done = at + find.size();
  }
  replaced.append(text, done).append(L"\r\n");
  const std::string out = Encoded(replaced);
  const std::wstring temporary = file + L".new";
  HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool saved = WriteFile(handle, out.data(), static_cast<DWORD>(out.size()), &written, nullptr) &&
                     FlushFileBuffers(handle);
  CloseHandle(handle);
  return saved && ReplaceFileW(file.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr);
}

// Sent without a time limit: a refresh of many lines takes longer than any
// time limit meant for a click.
bool Click(HWND control) { return control && SendMessageW(control, BM_CLICK, 0, 0) == 0; }
bool SetText(HWND control, const std::wstring& text) {
  return control && SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != 0;
}

std::wstring HostsPath() {
  wchar_t root[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
  return std::wstring(root, length < MAX_PATH ? length : 0) + L"\\system32\\drivers\\etc\\hosts";
}

// A text box like the HOSTS window's: its class, styles and size, and the
// windows' default font (SimSun, 8 points, GB2312), in a window of this process.
class LocalTextBox {
 public:
  explicit LocalTextBox(HWND like) {
    RECT rect{};
    GetClientRect(like, &rect);
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, rect.right, rect.bottom, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    box_ = CreateWindowExW(static_cast<DWORD>(GetWindowLongW(like, GWL_EXSTYLE)), L"EDIT", L"",
                           (static_cast<DWORD>(GetWindowLongW(like, GWL_STYLE)) & ~WS_DISABLED) | WS_CHILD, 0, 0,
                           rect.right, rect.bottom, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    HDC screen = GetDC(nullptr);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(80, GetDeviceCaps(screen, LOGPIXELSY), 720);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    ReleaseDC(nullptr, screen);
    wcscpy(font.lfFaceName, L"\u5B8B\u4F53");
    font_ = CreateFontIndirectW(&font);
    SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(box_, EM_SETLIMITTEXT, 0, 0);
  }
  ~LocalTextBox() {
    DestroyWindow(window_);
    DeleteObject(font_);
  }
  LocalTextBox(const LocalTextBox&) = delete;
  LocalTextBox& operator=(const LocalTextBox&) = delete;

  HWND Get() const { return box_; }

 private:
  HWND window_ = nullptr;
  HWND box_ = nullptr;
  HFONT font_ = nullptr;
};

class Bench {
 public:
  Bench(const AppSession& app, const std::wstring& folder)
      : app_(app), folder_(folder), hosts_(app.OpenWindow(Command(5), kHostsCaption)),
        box_(AppSession::ControlOf(hosts_, Text(1))), local_(box_), blocklist_(app.TextOf(box_)) {
    if (!hosts_ || blocklist_.empty()) throw std::runtime_error("no HOSTS window");
  }

  void Refresh(Figures& figures) {
    const HWND refresh = AppSession::ControlOf(hosts_, Command(1));
    if (!Reset()) throw std::runtime_error("cannot reset the box");
    figures.programMs = BestOf(figures.programMs, "the refresh", [&] { return Click(refresh); });
    const std::wstring joined = app_.TextOf(box_);
    figures.leastMs = BestOf(figures.leastMs, "setting the file's text", SetLocal(joined));
  }

  // The sink address of the blocklist's first entry finds every entry.
  void FuzzyFind(Figures& figures) {
    const std::size_t entry = blocklist_.find(L"\r\n", blocklist_.find(L"localhost")) + 2;
    const std::wstring sink = blocklist_.substr(entry, blocklist_.find(L' ', entry) - entry);
    if (!Reset()) throw std::runtime_error("cannot reset the box");
    app_.PostClickOn(AppSession::ControlOf(hosts_, Command(5)));
    const HWND ask = app_.WaitForBox(15000);
    if (!ask || !app_.SetTextOf(GetDlgItem(ask, kInputBoxEdit), sink)) throw std::runtime_error("no input box");
    figures.programMs = BestOf(figures.programMs, "the fuzzy find", [&] {
      SendMessageW(ask, WM_COMMAND, IDOK, 0);
      return app_.Sync();
    });
    const std::wstring result = app_.TextOf(box_);
    if (result.size() <= blocklist_.size()) throw std::runtime_error("the fuzzy find found nothing");
    figures.leastMs = BestOf(figures.leastMs, "setting the found text", SetLocal(result));
  }

  // Each side undoes the other's replacement, so both always have work: the
  // tick turns every AUTO of the service into DISABLED, the rewrite back.
  void Toggle(Figures& figures) {
    const std::wstring script = folder_ + L"\\xp.bat";
    figures.programMs = BestOf(figures.programMs, "the tick", [&] { return Click(app_.Control(Check(12))); });
    figures.leastMs = BestOf(figures.leastMs, "the plain rewrite", [&] {
      return PlainRewrite(script, L"wuauserv start= DISABLED", L"wuauserv start= AUTO");
    });
  }

  const std::wstring& Blocklist() const { return blocklist_; }

 private:
  // The program's box and the local one each start from the blocklist, as a
  // freshly opened HOSTS window does.
  bool Reset() const { return SetText(box_, blocklist_); }
  // The action that replaces the local box's blocklist by `text`.
  std::function<bool()> SetLocal(const std::wstring& text) const {
    if (!SetWindowTextW(local_.Get(), blocklist_.c_str())) throw std::runtime_error("cannot reset the local box");
    return [this, &text] { return SetWindowTextW(local_.Get(), text.c_str()) != FALSE; };
  }

  const AppSession& app_;
  std::wstring folder_;
  HWND hosts_;
  HWND box_;
  LocalTextBox local_;
  std::wstring blocklist_;
};

void Print(const char* what, const Figures& figures) {
  std::printf("  %-44s %9.1f %9.1f %7.2f\n", what, figures.programMs, figures.leastMs, figures.programMs / figures.leastMs);
}

bool Measure(const std::wstring& label, const std::wstring& exe, int rounds) {
  SetEnvironmentVariableW(L"QUELLBROOK_EXE", exe.c_str());
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("quellbrook-feel-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  const std::wstring hosts = HostsPath();
  const std::optional<std::string> original = ReadBytes(hosts);
  Figures refresh, fuzzy, toggle;
  bool ok = true;
  try {
    AppSession app(folder.wstring());
    if (!app.Started()) throw std::runtime_error(test_support::Utf8(app.Error()));
    Bench bench(app, folder.wstring());
    if (!WriteBytes(hosts, bench::MakeHostsFile(150000))) throw std::runtime_error("cannot write the HOSTS file");
    for (int round = 0; round < rounds; ++round) bench.Refresh(refresh);
    if (!WriteBytes(hosts, Encoded(bench.Blocklist() + L"\r\n"))) throw std::runtime_error("cannot save the blocklist");
    for (int round = 0; round < rounds; ++round) bench.FuzzyFind(fuzzy);
    if (!WriteBytes(folder / "xp.bat", bench::MakeXpScript(1000000))) throw std::runtime_error("cannot write xp.bat");
    for (int round = 0; round < rounds; ++round) bench.Toggle(toggle);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s: %s\n", test_support::Utf8(label).c_str(), failure.what());
    ok = false;
  }
  if (original) WriteBytes(hosts, *original);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  if (!ok) return false;
  std::printf("%s, ms, best of %d:\n  %-44s %9s %9s %7s\n", test_support::Utf8(label).c_str(), rounds, "",
              "program", "least", "ratio");
  Print("HOSTS refresh, 150 000 lines / set the text", refresh);
  Print("fuzzy find, 964 names / set the text", fuzzy);
  Print("switch tick, 1 000 000 lines / plain rewrite", toggle);
  std::fflush(stdout);
  return true;
}

}  // namespace
}  // namespace quellbrook::e2e

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 0;
  if (rounds == 0 || argc < 3) {
    std::fwprintf(stderr, L"usage: %ls ROUNDS LABEL=PROGRAM...\n", argv[0]);
    return 2;
  }
  int status = 0;
  for (int i = 2; i < argc; ++i) {
    const std::wstring argument = argv[i];
    const std::size_t equals = argument.find(L'=');
    if (equals == std::wstring::npos) return 2;
    if (!quellbrook::e2e::Measure(argument.substr(0, equals), argument.substr(equals + 1), rounds)) status = 1;
  }
  return status;
}
