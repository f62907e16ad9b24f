// The HOSTS window on the Wine prefix's own HOSTS file (Wine sets SystemRoot to
// C:\windows in every process it starts, whatever the driver passes), kept and
// put back around each test: opening, geometry, save, refresh, both searches
// through the real input box, closing and opening again.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app_windows.h"
#include "running_app.h"
#include "wine.h"

namespace quellbrook::e2e {
namespace {

constexpr std::wstring_view kHostsCaption = L"HOSTS迷你防火墙";
constexpr std::wstring_view kSuffix = L" 该恶意网站已存在";
constexpr int kInputBoxEdit = 101;

std::wstring HostsPath() {
  wchar_t root[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
  return std::wstring(root, length < MAX_PATH ? length : 0) + L"\\system32\\drivers\\etc\\hosts";
}

// Text in the ANSI code page, as the program reads and writes files.
std::string Ansi(std::wstring_view text) {
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                         0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                      nullptr, nullptr);
  return bytes;
}

std::vector<std::wstring> Lines(std::wstring_view text) {
  std::vector<std::wstring> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(L"\r\n", start);
    lines.emplace_back(text.substr(start, end - start));
    if (end == std::wstring_view::npos) return lines;
    start = end + 2;
  }
}

// The prefix's HOSTS file as it was before the test, put back afterwards.
class KeptHostsFile {
 public:
  KeptHostsFile() : original_(test_support::ReadBytes(path_)) {}
  ~KeptHostsFile() {
    if (original_) {
      test_support::WriteBytes(path_, *original_);
    } else {
      DeleteFileW(path_.c_str());
    }
  }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_ = HostsPath();
  std::optional<std::string> original_;
};

class HostsWindow : public RunningApp {
 protected:
  void SetUp() override {
    RunningApp::SetUp();
    if (HasFatalFailure()) return;
    hosts = Open();
    ASSERT_NE(hosts, nullptr) << "no HOSTS window";
  }

  // Presses "HOSTS迷你防火墙" on the main window.
  HWND Open() const {
    if (!app->Click(Command(5))) return nullptr;
    return WaitForTopLevelWindow(app->ProcessId(), kFormClass, kHostsCaption, 15000);
  }

  HWND Control(int id) const { return AppSession::ControlOf(hosts, id); }
  std::wstring BoxText() const { return app->TextOf(Control(Text(1))); }
  bool BoxEnabled() const { return IsWindowEnabled(Control(Text(1))) != FALSE; }
  bool WriteHosts(std::wstring_view text) const { return test_support::WriteBytes(file.Path(), Ansi(text)); }

  // Clicks a search button and waits for the input box; `whileAsked` runs while
  // it is open, then the box is answered with `search` and OK. Returns the
  // prompt, or nothing when no input box came.
  template <typename WhileAsked>
  std::optional<std::wstring> Search(int button, std::wstring_view search, WhileAsked whileAsked) const {
    app->PostClickOn(Control(button));
    const HWND box = app->WaitForBox(15000);
    if (!box) return std::nullopt;
    const std::wstring prompt = AppSession::BoxText(box);
    whileAsked();
    if (!app->SetTextOf(GetDlgItem(box, kInputBoxEdit), search) || !app->DismissBox(box)) return std::nullopt;
    return prompt;
  }

  KeptHostsFile file;
  HWND hosts = nullptr;
};

TEST_F(HostsWindow, OpensOnceWithTheBlocklistLockedAndSavesItAsTheWholeFile) {
  ASSERT_TRUE(app->Click(Command(5)));
  EXPECT_EQ(app->WindowsCaptioned(kHostsCaption).size(), 1u) << "a second press opens no second window";

  const std::wstring blocklist = BoxText();
  const std::vector<std::wstring> lines = Lines(blocklist);
  ASSERT_EQ(lines.size(), 970u);
  EXPECT_EQ(lines[0], std::wstring(35, L'*'));
  EXPECT_EQ(lines[2], L"HOSTS迷你防火墙文件库-09.12.30");
  EXPECT_EQ(lines[5], L"127.0.0.1 localhost");
  EXPECT_FALSE(BoxEnabled());
  for (int n = 1; n <= 5; ++n) EXPECT_TRUE(IsWindowEnabled(Control(Command(n)))) << n;

  app->PostClickOn(Control(Command(3)));
  const HWND box = app->WaitForBox(15000);
  ASSERT_NE(box, nullptr) << "no confirmation";
  EXPECT_EQ(AppSession::BoxText(box), L"成功写入hosts文件……");
  ASSERT_TRUE(app->DismissBox(box));
  const std::string saved = test_support::ReadBytes(file.Path()).value_or("");
  EXPECT_EQ(saved, Ansi(blocklist) + "\r\n");
  std::size_t lineBreaks = 0;
  for (std::size_t at = saved.find("\r\n"); at != std::string::npos; at = saved.find("\r\n", at + 2)) ++lineBreaks;
  EXPECT_EQ(lineBreaks, 970u);
  EXPECT_FALSE(BoxEnabled());
}

struct PixelRect {
  LONG left, top, width, height;
  bool operator==(const PixelRect&) const = default;
};

PixelRect ClientRectOf(HWND control, HWND window) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// At 96 DPI a pixel is 15 twips.
TEST_F(HostsWindow, KeepsItsLayoutInASizableFrame) {
  const LONG style = GetWindowLongW(hosts, GWL_STYLE);
  for (const LONG bit : {WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_SYSMENU}) EXPECT_NE(style & bit, 0) << bit;
  RECT client{};
  ASSERT_TRUE(GetClientRect(hosts, &client));
  EXPECT_EQ(client.right, 360);
  EXPECT_EQ(client.bottom, 369);

  const LONG boxStyle = GetWindowLongW(Control(Text(1)), GWL_STYLE);
  EXPECT_NE(boxStyle & ES_MULTILINE, 0);
  EXPECT_NE(boxStyle & WS_VSCROLL, 0);
  EXPECT_EQ(boxStyle & (WS_HSCROLL | ES_AUTOHSCROLL), 0) << "long lines wrap";

  const std::pair<int, PixelRect> layout[] = {
      {Text(1), {0, 0, 361, 353}},      {Command(1), {0, 352, 73, 17}},   {Command(2), {72, 352, 73, 17}},
      {Command(3), {144, 352, 73, 17}}, {Command(4), {216, 352, 73, 17}}, {Command(5), {288, 352, 73, 17}},
  };
  RECT frame{};
  GetWindowRect(hosts, &frame);
  for (const int change : {0, 1, 2}) {
    if (change == 1) {
      SetWindowPos(hosts, nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top + 150,
                   SWP_NOMOVE | SWP_NOZORDER);
    }
    if (change == 2) ShowWindow(hosts, SW_MAXIMIZE);
    ASSERT_TRUE(app->Sync());
    for (const auto& [id, expected] : layout) {
      EXPECT_EQ(ClientRectOf(Control(id), hosts), expected) << "control " << id << ", change " << change;
    }
  }
  GetClientRect(hosts, &client);
  EXPECT_GT(client.right, 360) << "the frame did grow";
}

// Whether a 16 x 16 icon is the shield: transparent corners, an orange-red
// field and a white cross in the middle.
bool IsTheShield(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return false;
  BITMAPINFO format{};
  format.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<DWORD> color(256), mask(256);
  const HDC screen = GetDC(nullptr);
  const bool read = GetDIBits(screen, info.hbmColor, 0, 16, color.data(), &format, DIB_RGB_COLORS) == 16 &&
                    GetDIBits(screen, info.hbmMask, 0, 16, mask.data(), &format, DIB_RGB_COLORS) == 16;
  ReleaseDC(nullptr, screen);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  auto at = [](const std::vector<DWORD>& pixels, int x, int y) { return pixels[y * 16 + x] & 0xFFFFFF; };
  const DWORD field = at(color, 8, 3);
  return read && at(mask, 0, 0) == 0xFFFFFF && at(mask, 8, 3) == 0 && (field >> 16) > 200 &&
         ((field >> 8) & 0xFF) < 150 && (field & 0xFF) < 100 && at(color, 8, 8) == 0xFFFFFF;
}

TEST_F(HostsWindow, ShowsTheShieldIcon) {
  const std::wstring exe = QuellbrookExePath();
  const HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(image, nullptr);
  const auto shipped = static_cast<HICON>(LoadImageW(image, MAKEINTRESOURCEW(2), IMAGE_ICON, 16, 16, 0));
  EXPECT_TRUE(IsTheShield(shipped)) << "icon resource 2";
  DestroyIcon(shipped);
  FreeLibrary(image);

  const auto shown = reinterpret_cast<HICON>(SendMessageW(hosts, WM_GETICON, ICON_SMALL, 0));
  if (test_support::RunningUnderWine()) {
    EXPECT_EQ(shown, nullptr) << "Wine answers WM_GETICON from another process with nothing";
  } else {
    EXPECT_TRUE(IsTheShield(shown));
  }
}

TEST_F(HostsWindow, RefreshShowsTheFileAndSaveWritesTheEditedBox) {
  ASSERT_TRUE(WriteHosts(L"127.0.0.1 localhost\r\n# 恶意网站\rlast"));
  ASSERT_TRUE(app->ClickOn(Control(Command(1)))) << "refresh did not return (a message box?)";
  EXPECT_EQ(BoxText(), L"127.0.0.1 localhost\r\n# 恶意网站\r\nlast\r\n");
  EXPECT_FALSE(BoxEnabled());

  ASSERT_TRUE(app->ClickOn(Control(Command(2))));
  EXPECT_TRUE(BoxEnabled());
  ASSERT_TRUE(app->SetTextOf(Control(Text(1)), L"0.0.0.0 坏.cn"));
  app->PostClickOn(Control(Command(3)));
  const HWND box = app->WaitForBox(15000);
  ASSERT_NE(box, nullptr) << "no confirmation";
  EXPECT_EQ(test_support::ReadBytes(file.Path()), Ansi(L"0.0.0.0 坏.cn\r\n")) << "complete before the confirmation";
  EXPECT_TRUE(BoxEnabled()) << "locked only after the confirmation";
  ASSERT_TRUE(app->DismissBox(box));
  EXPECT_FALSE(BoxEnabled());
}

TEST_F(HostsWindow, BothSearchesAskThroughTheInputBoxAndLeaveTheFileFreeMeanwhile) {
  const std::wstring lines = L"0.0.0.0 a.bad.cn\r\n# bad.cn 的注释\r\n0.0.0.0 BAD.CN\r\n0.0.0.0 b.bad.cn.evil.com\r\n";
  ASSERT_TRUE(WriteHosts(lines));
  const std::wstring blocklist = BoxText();

  // Another program rewrites the file while the user types: it can, and the
  // search goes through the file as it was when the button was pressed.
  const std::optional<std::wstring> prompt =
      Search(Command(4), L"bad.cn", [&] { EXPECT_TRUE(WriteHosts(L"0.0.0.0 later.bad.cn\r\n")); });
  ASSERT_TRUE(prompt) << "no input box";
  EXPECT_EQ(*prompt, L"请输入要搜索的恶意网站:");
  const std::wstring found = L"0.0.0.0 b.bad.cn.evil.com" + std::wstring(kSuffix);
  EXPECT_EQ(BoxText(), found);

  ASSERT_TRUE(WriteHosts(lines));
  ASSERT_TRUE(Search(Command(5), L"bad.cn", [] {}));
  EXPECT_EQ(BoxText(), L"0.0.0.0 b.bad.cn.evil.com" + std::wstring(kSuffix) + L"\n# bad.cn 的注释" +
                           std::wstring(kSuffix) + L"\n0.0.0.0 a.bad.cn" + std::wstring(kSuffix) + L"\n" + found);
  EXPECT_FALSE(BoxEnabled());
  EXPECT_NE(BoxText(), blocklist);
}

TEST_F(HostsWindow, ClosingDiscardsTheTextAndTheNextPressBringsBackTheBlocklist) {
  const std::wstring blocklist = BoxText();
  ASSERT_TRUE(app->ClickOn(Control(Command(2))));
  ASSERT_TRUE(app->SetTextOf(Control(Text(1)), L"edited"));
  PostMessageW(hosts, WM_CLOSE, 0, 0);
  const ULONGLONG deadline = GetTickCount64() + 10000;
  while (IsWindow(hosts) && GetTickCount64() < deadline) Sleep(20);
  ASSERT_FALSE(IsWindow(hosts)) << "the HOSTS window did not close";

  hosts = Open();
  ASSERT_NE(hosts, nullptr) << "no HOSTS window after the second press";
  EXPECT_EQ(BoxText(), blocklist);
  EXPECT_FALSE(BoxEnabled());
}

}  // namespace
}  // namespace quellbrook::e2e
