// The HOSTS window on the Wine prefix's own HOSTS file (Wine sets SystemRoot to
// C:\windows in every process it starts, whatever the driver passes), kept and
// put back around each test: opening, save, a layout that holds in a sizable
// frame, and both searches through the real input box.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app_windows.h"
#include "hosts/blocklist.h"
#include "running_app.h"

namespace quellbrook::e2e {
namespace {

constexpr std::wstring_view kSuffix = L" 该恶意网站已存在";

// Text in the ANSI code page, as the program reads and writes files.
std::string Ansi(std::wstring_view text) {
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                         0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length,
                      nullptr, nullptr);
  return bytes;
}

// The prefix's HOSTS file as it was before the test, put back afterwards.
class KeptHostsFile {
 public:
  KeptHostsFile() {
    wchar_t root[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
    path_ = std::wstring(root, length < MAX_PATH ? length : 0) + L"\\system32\\drivers\\etc\\hosts";
    original_ = test_support::ReadBytes(path_);
  }
  ~KeptHostsFile() {
    if (original_) {
      test_support::WriteBytes(path_, *original_);
    } else {
      DeleteFileW(path_.c_str());
    }
  }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
  std::optional<std::string> original_;
};

class HostsWindow : public RunningApp {
 protected:
  void SetUp() override {
    RunningApp::SetUp();
    if (HasFatalFailure()) return;
    hosts = app->OpenWindow(Command(5), kHostsCaption);
    ASSERT_NE(hosts, nullptr) << "no HOSTS window";
  }

  HWND Control(int id) const { return AppSession::ControlOf(hosts, id); }
  std::wstring BoxText() const { return app->TextOf(Control(Text(1))); }
  bool WriteHosts(std::wstring_view text) const { return test_support::WriteBytes(file.Path(), Ansi(text)); }

  KeptHostsFile file;
  HWND hosts = nullptr;
};

TEST_F(HostsWindow, OpensOnceWithTheWholeBlocklistAndSavesItAsTheWholeFile) {
  ASSERT_TRUE(app->Click(Command(5)));
  EXPECT_EQ(TopLevelWindows(app->ProcessId(), {}, kHostsCaption).size(), 1u) << "a second press opens no second window";

  const std::wstring blocklist = BoxText();
  EXPECT_EQ(blocklist, test_support::Wide(BuiltInBlocklist())) << "the whole list, none of it cut off";

  EXPECT_EQ(app->ClickExpectingBoxOn(Control(Command(3))), L"成功写入hosts文件……");
  EXPECT_EQ(test_support::ReadBytes(file.Path()), Ansi(blocklist) + "\r\n") << "every line ending in CR LF";
}

// The table's rectangles themselves are the DPI layout test's.
TEST_F(HostsWindow, KeepsItsLayoutWhenResizedOrMaximized) {
  auto layout = [&] {
    std::vector<std::tuple<LONG, LONG, LONG, LONG>> rects;
    for (const int id : {Text(1), Command(1), Command(2), Command(3), Command(4), Command(5)}) {
      const RECT rect = RectInParent(Control(id));
      rects.emplace_back(rect.left, rect.top, rect.right, rect.bottom);
    }
    return rects;
  };
  const auto before = layout();
  RECT client{};
  GetClientRect(hosts, &client);
  const LONG width = client.right;
  RECT frame{};
  GetWindowRect(hosts, &frame);
  ASSERT_TRUE(SetWindowPos(hosts, nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top + 150,
                           SWP_NOMOVE | SWP_NOZORDER));
  ASSERT_TRUE(app->Sync());
  EXPECT_EQ(layout(), before) << "resized";
  ShowWindow(hosts, SW_MAXIMIZE);
  ASSERT_TRUE(app->Sync());
  EXPECT_EQ(layout(), before) << "maximized";
  GetClientRect(hosts, &client);
  EXPECT_GT(client.right, width) << "the frame did grow";
}

TEST_F(HostsWindow, BothSearchesAskThroughTheInputBoxAndLeaveTheFileFreeMeanwhile) {
  const std::wstring lines = L"0.0.0.0 a.bad.cn\r\n# bad.cn 的注释\r\n0.0.0.0 BAD.CN\r\n0.0.0.0 b.bad.cn.evil.com\r\n";
  ASSERT_TRUE(WriteHosts(lines));

  // Another program rewrites the file while the user types: it can, and the
  // search goes through the file as it was when the button was pressed.
  EXPECT_EQ(app->ClickExpectingBoxOn(Control(Command(4)), L"bad.cn",
                                     [&] { EXPECT_TRUE(WriteHosts(L"0.0.0.0 later.bad.cn\r\n")); }),
            L"请输入要搜索的恶意网站:");
  const std::wstring found = L"0.0.0.0 b.bad.cn.evil.com" + std::wstring(kSuffix);
  EXPECT_EQ(BoxText(), found);

  ASSERT_TRUE(WriteHosts(lines));
  ASSERT_TRUE(app->ClickExpectingBoxOn(Control(Command(5)), L"bad.cn"));
  EXPECT_EQ(BoxText(), L"0.0.0.0 b.bad.cn.evil.com" + std::wstring(kSuffix) + L"\n# bad.cn 的注释" +
                           std::wstring(kSuffix) + L"\n0.0.0.0 a.bad.cn" + std::wstring(kSuffix) + L"\n" + found);
}

}  // namespace
}  // namespace quellbrook::e2e
