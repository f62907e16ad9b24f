// A form built from a small table: the window tree the end-to-end tests and
// automation tools rely on, fonts and DPI changes, tab order, widgets, clicks
// and keys.

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <vector>

#include "core/failure.h"
#include "core/file_channel.h"
#include "win32/ui/dpi.h"
#include "win32/ui/form_window.h"
#include "win32/ui/message_loop.h"
#include "win32/program/secondary_windows.h"
#include "win32/system/ansi_code_page.h"
#include "win32/system/environment.h"
#include "win32/system/file_store.h"
#include "win32/system/launcher.h"
#include "win32/system/scripting_host.h"
#include "win32/ui/window_text.h"
#include "window_class.h"

namespace quellbrook::win32 {
namespace {

using test_support::ClassOf;

constexpr FontChoice kFont{u"宋体", 90, 400, 134};
constexpr std::u16string_view kNotes = u"第一行\r\n第二行";

constexpr ControlRow kControls[] = {
    {Command(2), ControlKind::kCommandButton, kFormClientArea, u"失败", {3300, 600, 1200, 360}, 3},
    {Check(1), ControlKind::kCheckBox, Frame(1), u"打开", {120, 300, 1200, 240}, 1},
    {Frame(1), ControlKind::kFrame, kFormClientArea, u"选项", {120, 120, 3000, 1500}, 2},
    {Text(1), ControlKind::kTextBox, Frame(1), kNotes, {120, 600, 2000, 600}, 0, kDisabled, nullptr,
     ScrollBars::kBoth},
    {Command(1), ControlKind::kCommandButton, kFormClientArea, u"确定", {3300, 120, 1200, 360}, 1},
    {Command(3), ControlKind::kCommandButton, kFormClientArea, u"隐藏", {3300, 1100, 1200, 360}, 4, kHidden},
    {Text(2), ControlKind::kTextBox, kFormClientArea, u"", {120, 1800, 3000, 600}, 0, kShownEnabled, nullptr,
     ScrollBars::kVertical},
};

constexpr FormTable kForm{
    .caption = u"测试窗口",
    .clientWidth = 4800,
    .clientHeight = 2700,
    .position = TwipsPoint{1500, 1200},
    .border = BorderStyle::kFixedSingle,
    .defaultFont = kFont,
    .art = {},
    .controls = kControls,
};

// What the test logic saw: each click with the check box's value at that time.
struct Click {
  ControlId control;
  int checkValue;
  bool operator==(const Click&) const = default;
};

void PrintTo(const Click& click, std::ostream* out) { *out << ToInt(click.control) << " at " << click.checkValue; }

std::vector<Click>* clicks = nullptr;
// The window another program tries to close while Command(3)'s handler runs.
HWND closedDuringClick = nullptr;

class RecordingLogic final : public FormLogic {
 public:
  explicit RecordingLogic(Controls& controls) : controls_(controls) {}
  void Click(ControlId control) override {
    clicks->push_back({control, controls_[Check(1)].CheckValue()});
    if (control == Command(2)) throw SystemError(ERROR_ACCESS_DENIED);
    if (control == Command(3)) ::SendMessageW(closedDuringClick, WM_CLOSE, 0, 0);
  }

 private:
  Controls& controls_;
};

std::unique_ptr<FormLogic> CreateRecordingLogic(Controls& controls, Services&) {
  return std::make_unique<RecordingLogic>(controls);
}

const WindowDefinition kDefinition{kForm, &CreateRecordingLogic};

const FormTable kOtherForm = [] {
  FormTable other = kForm;
  other.caption = u"另一个窗口";
  return other;
}();
const WindowDefinition kOtherDefinition{kOtherForm, &CreateRecordingLogic};

class RecordingBoxes final : public MessageBoxes {
 public:
  explicit RecordingBoxes(const DialogOwner& owner) : owner_(owner) {}
  void ShowMessage(std::u16string_view) override {}
  std::u16string AskText(std::u16string_view) override { return {}; }
  void ShowFailure(const PlatformError& failure) override {
    failures.push_back(failure.Number());
    owners.push_back(owner_.Current());
  }

  std::vector<std::uint32_t> failures;
  std::vector<HWND> owners;

 private:
  const DialogOwner& owner_;
};

LOGFONTW FontOf(HWND control) {
  LOGFONTW logFont{};
  auto* font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  EXPECT_NE(font, nullptr);
  ::GetObjectW(font, sizeof logFont, &logFont);
  return logFont;
}

std::vector<int> ChildIds(HWND parent) {
  std::vector<int> ids;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ids.push_back(::GetDlgCtrlID(child));
  }
  return ids;
}

class FormWindowTest : public ::testing::Test {
 protected:
  FormContext Context() { return {::GetModuleHandleW(nullptr), services_, tracker_, dialogOwner_}; }

  void SetUp() override {
    clicks = &clicks_;
    form_ = std::make_unique<FormWindow>(kDefinition, Context());
    form_->Show(SW_SHOWNORMAL);
    ::SetForegroundWindow(form_->Handle());
  }
  void TearDown() override {
    form_.reset();
    MSG quit{};
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    clicks = nullptr;
  }

  // Routes what is queued the way the program's message loop does.
  void Pump() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) RouteMessage(tracker_, message);
  }

  // A key as the keyboard delivers it: to the window with the focus.
  void PressKey(WPARAM key) {
    HWND focus = ::GetFocus();
    ::PostMessageW(focus, WM_KEYDOWN, key, 1);
    ::PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    Pump();
  }

  HWND Item(int id) const { return ::GetDlgItem(form_->Handle(), id); }
  HWND Frame1() const { return Item(ToInt(Frame(1))); }
  HWND FramedItem(ControlId id) const { return ::GetDlgItem(Frame1(), ToInt(id)); }
  HWND Control(ControlId id) const {
    HWND child = Item(ToInt(id));
    return child != nullptr ? child : FramedItem(id);
  }
  int Dpi() const { return static_cast<int>(WindowDpi(form_->Handle())); }

  std::vector<Click> clicks_;
  FormTracker tracker_;
  DialogOwner dialogOwner_;
  // The program's services, but for boxes that record and no secondary windows.
  RecordingBoxes boxes_{dialogOwner_};
  Win32Launcher launcher_;
  Win32Environment environment_;
  Win32FileStore store_;
  AnsiCodePage codePage_;
  FileChannel files_{store_, codePage_};
  Win32ScriptingHostFactory scripting_;
  Services services_{boxes_, launcher_, environment_, files_, scripting_, {}};
  std::unique_ptr<FormWindow> form_;
};

TEST_F(FormWindowTest, BuildsTheWindowTreeThatToolsFindControlsIn) {
  HWND form = form_->Handle();
  EXPECT_EQ(ClassOf(form), kFormClassName);
  EXPECT_EQ(WindowText(form), L"测试窗口");
  EXPECT_EQ(::GetParent(form), nullptr);
  EXPECT_TRUE(tracker_.IsOpenForm(form));

  EXPECT_EQ(ClassOf(Item(1001)), L"Button");
  EXPECT_EQ(ClassOf(Frame1()), kFrameClassName);
  EXPECT_EQ(WindowText(Frame1()), L"选项");
  EXPECT_EQ(ClassOf(FramedItem(Check(1))), L"Button");
  EXPECT_EQ(ClassOf(FramedItem(Text(1))), L"Edit");
  EXPECT_EQ(Item(2001), nullptr) << "controls in a frame are children of the frame";

  LONG checkStyle = ::GetWindowLongW(FramedItem(Check(1)), GWL_STYLE);
  EXPECT_EQ(checkStyle & BS_TYPEMASK, BS_AUTOCHECKBOX);
  LONG wideText = ::GetWindowLongW(FramedItem(Text(1)), GWL_STYLE);
  LONG wrappingText = ::GetWindowLongW(Item(3002), GWL_STYLE);
  EXPECT_TRUE(wideText & ES_MULTILINE);
  EXPECT_TRUE(wideText & WS_HSCROLL) << "both scroll bars: lines do not wrap";
  EXPECT_TRUE(wrappingText & ES_MULTILINE);
  EXPECT_TRUE(wrappingText & WS_VSCROLL);
  EXPECT_FALSE(wrappingText & (WS_HSCROLL | ES_AUTOHSCROLL)) << "a vertical scroll bar only: lines wrap";
  EXPECT_GT(static_cast<unsigned>(::SendMessageW(Item(3002), EM_GETLIMITTEXT, 0, 0)), 65535u);

  // The tab index orders the children of each container.
  EXPECT_EQ(ChildIds(form_->Handle()), (std::vector<int>{3002, 1001, 4001, 1002, 1003}));
  EXPECT_EQ(ChildIds(Frame1()), (std::vector<int>{3001, 2001}));
}

// Where the table's twips put each window and control is the DPI layout test's.
TEST_F(FormWindowTest, ControlsGetTheTablesFontAtTheWindowsDpi) {
  const LOGFONTW logFont = FontOf(Item(1001));
  EXPECT_EQ(logFont.lfHeight, -::MulDiv(90, Dpi(), 720));
  EXPECT_EQ(std::wstring(logFont.lfFaceName), L"宋体");
}

TEST_F(FormWindowTest, AMoveToAMonitorOfAnotherDpiLaysTheFormOutAgain) {
  RECT suggested{100, 100, 900, 600};
  ::SendMessageW(form_->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

  RECT window{};
  ::GetWindowRect(form_->Handle(), &window);
  EXPECT_EQ(window.left, 100);
  EXPECT_EQ(window.right, 900);
  RECT check{};
  ::GetWindowRect(FramedItem(Check(1)), &check);
  EXPECT_EQ(check.right - check.left, ::MulDiv(1200, 144, 1440));
  EXPECT_EQ(check.bottom - check.top, ::MulDiv(240, 144, 1440));
  EXPECT_EQ(FontOf(FramedItem(Check(1))).lfHeight, -18);
}

class ScaledSizeTest : public FormWindowTest, public ::testing::WithParamInterface<UINT> {};

// Windows 10 asks for the size before a move to a monitor of another DPI;
// Wine never does, so the question is put here.
TEST_P(ScaledSizeTest, TheSizeForANewDpiHoldsTheTableClientAreaAtThatDpi) {
  const UINT dpi = GetParam();
  SIZE size{1, 1};
  ASSERT_EQ(::SendMessageW(form_->Handle(), kGetDpiScaledSizeMessage, dpi, reinterpret_cast<LPARAM>(&size)), TRUE);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectForDpi(frame, static_cast<DWORD>(::GetWindowLongW(form_->Handle(), GWL_STYLE)), 0, dpi);
  EXPECT_EQ(size.cx - (frame.right - frame.left), ::MulDiv(4800, static_cast<int>(dpi), 1440));
  EXPECT_EQ(size.cy - (frame.bottom - frame.top), ::MulDiv(2700, static_cast<int>(dpi), 1440));
}

INSTANTIATE_TEST_SUITE_P(Dpis, ScaledSizeTest, ::testing::Values(96u, 120u, 144u, 192u, 288u));

TEST_F(FormWindowTest, AResizedWindowLeavesTheSizeForANewDpiToTheSystem) {
  ::SetWindowPos(form_->Handle(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  SIZE size{500, 400};
  EXPECT_EQ(::SendMessageW(form_->Handle(), kGetDpiScaledSizeMessage, 144, reinterpret_cast<LPARAM>(&size)), FALSE);
}

TEST_F(FormWindowTest, AFixedPositionOffTheWorkAreaMovesJustEnoughToFit) {
  RECT area{};
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  FormTable offArea = kForm;
  offArea.position = TwipsPoint{::MulDiv(area.right - 100, 1440, Dpi()), ::MulDiv(area.bottom - 50, 1440, Dpi())};
  const WindowDefinition definition{offArea, &CreateRecordingLogic};
  FormWindow moved(definition, Context());
  RECT window{};
  ::GetWindowRect(moved.Handle(), &window);
  EXPECT_EQ(window.right, area.right);
  EXPECT_EQ(window.bottom, area.bottom);
}

// Where GetDpiForWindow is missing (Windows 8.1 to 10 1607) the monitor's DPI
// stands in for it.
TEST_F(FormWindowTest, TheMonitorOfAWindowTellsItsDpi) {
  EXPECT_EQ(MonitorDpi(::MonitorFromWindow(form_->Handle(), MONITOR_DEFAULTTONEAREST)),
            static_cast<UINT>(Dpi()));
}

TEST_F(FormWindowTest, WidgetsShowTheInitialStateAndChangeTheControls) {
  Controls& controls = *form_;
  EXPECT_FALSE(controls[Command(3)].Visible());
  EXPECT_TRUE(controls[Command(1)].Visible());
  EXPECT_FALSE(controls[Text(1)].Enabled());
  EXPECT_EQ(controls[Text(1)].Text(), kNotes);
  EXPECT_EQ(controls[Frame(1)].Text(), u"选项");
  EXPECT_EQ(controls[kFormClientArea].Text(), u"测试窗口");

  std::u16string longText;
  for (int i = 0; i < 3000; ++i) longText += u"服务 service line\r\n";
  controls[Text(2)].SetText(longText);
  EXPECT_EQ(controls[Text(2)].Text(), longText);

  controls[Command(3)].SetVisible(true);
  controls[Text(1)].SetEnabled(true);
  EXPECT_TRUE(::IsWindowVisible(Item(1003)));
  EXPECT_TRUE(::IsWindowEnabled(FramedItem(Text(1))));
  EXPECT_THROW(controls[Command(99)], std::out_of_range);

  // Setting the value from the logic is no click.
  controls[Check(1)].SetCheckValue(1);
  EXPECT_EQ(controls[Check(1)].CheckValue(), 1);
  controls[Check(1)].SetCheckValue(0);
  EXPECT_EQ(controls[Check(1)].CheckValue(), 0);
  EXPECT_TRUE(clicks_.empty());
}

TEST_F(FormWindowTest, AnUntrappedFailureIsReportedInABoxOwnedByTheForm) {
  ::SendMessageW(Item(1002), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes_.failures.size(), 1u);
  EXPECT_EQ(boxes_.failures[0], static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(boxes_.owners[0], form_->Handle());
  EXPECT_EQ(dialogOwner_.Current(), nullptr) << "the owner belongs to the handler only";
}

// A click reaches the logic from the control only, not from another window
// that carries the control's ID.
TEST_F(FormWindowTest, OnlyTheControlItselfClicksIt) {
  HWND impostor = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 0, 0, 10, 10, form_->Handle(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(ToInt(Command(1)))), nullptr, nullptr);
  ASSERT_NE(impostor, nullptr);
  ::SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(ToInt(Command(1)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(impostor));
  EXPECT_TRUE(clicks_.empty());
  ::DestroyWindow(impostor);
  ::SendMessageW(Control(Command(1)), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks_, (std::vector<Click>{{Command(1), 0}}));
}

TEST_F(FormWindowTest, AFormStaysOpenWhileItsHandlerRuns) {
  closedDuringClick = form_->Handle();
  ::SendMessageW(Item(1003), BM_CLICK, 0, 0);
  ASSERT_EQ(clicks_.size(), 1u);
  EXPECT_TRUE(form_->IsOpen());
  ::SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form_->IsOpen()) << "closing works again once the handler is done";
}

TEST_F(FormWindowTest, ClosingTheLastFormEndsTheMessageLoop) {
  HWND form = form_->Handle();
  ::SendMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_FALSE(form_->IsOpen());
  EXPECT_FALSE(::IsWindow(form));
  EXPECT_FALSE(tracker_.IsOpenForm(form)) << "keys no longer go to its handle";
  MSG quit{};
  EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

// A key pressed where the focus is: where the focus goes, and what it clicks.
// A multi-line text box keeps neither Tab nor Escape, which would close the
// form; Enter on a check box is the form's Enter, with no control behind it.
struct KeyRow {
  const char* name;
  ControlId focused;
  WPARAM key;
  ControlId focusAfter;
  std::vector<Click> clicks;
};

void PrintTo(const KeyRow& row, std::ostream* out) { *out << row.name; }

class KeyTest : public FormWindowTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(KeyTest, MovesTheFocusOrClicksTheFocusedControl) {
  Pump();
  ::SetFocus(Control(GetParam().focused));
  ASSERT_EQ(::GetFocus(), Control(GetParam().focused));
  PressKey(GetParam().key);
  EXPECT_EQ(::GetFocus(), Control(GetParam().focusAfter));
  EXPECT_EQ(clicks_, GetParam().clicks);
  EXPECT_TRUE(form_->IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTest,
    ::testing::Values(KeyRow{"Tab out of a multi-line text box", Text(2), VK_TAB, Command(1), {}},
                      KeyRow{"Tab into the frame, past its disabled text box", Command(1), VK_TAB, Check(1), {}},
                      KeyRow{"Tab out of the frame", Check(1), VK_TAB, Command(2), {}},
                      KeyRow{"Escape in a multi-line text box", Text(2), VK_ESCAPE, Text(2), {}},
                      KeyRow{"Enter on a button", Command(1), VK_RETURN, Command(1), {{Command(1), 0}}},
                      KeyRow{"Enter on a check box", Check(1), VK_RETURN, Check(1), {}},
                      KeyRow{"Space on a check box", Check(1), VK_SPACE, Check(1), {{Check(1), 1}}}));

class SecondaryWindowsTest : public FormWindowTest {
 protected:
  void TearDown() override {
    secondary_.reset();  // its windows close, and post WM_QUIT, before the fixture drains the queue
    FormWindowTest::TearDown();
  }

  static HWND Find(const wchar_t* caption) { return ::FindWindowW(kFormClassName, caption); }
  static HWND CheckBoxOf(HWND form) { return ::GetDlgItem(::GetDlgItem(form, ToInt(Frame(1))), ToInt(Check(1))); }

  std::optional<SecondaryWindows> secondary_{std::in_place, Context()};
};

TEST_F(SecondaryWindowsTest, EachWindowExistsOnceAndComesBackFreshAfterClosing) {
  form_.reset();  // the fixture's form has the same caption as the first window
  secondary_->Show(kDefinition);
  HWND first = Find(L"测试窗口");
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(::IsWindowVisible(first));
  EXPECT_EQ(::GetWindow(first, GW_OWNER), nullptr);

  HWND check = CheckBoxOf(first);
  ::SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  secondary_->Show(kDefinition);
  EXPECT_EQ(Find(L"测试窗口"), first) << "shown again, not created twice";
  EXPECT_EQ(::SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);

  secondary_->Show(kOtherDefinition);
  HWND other = Find(L"另一个窗口");
  ASSERT_NE(other, nullptr);
  EXPECT_TRUE(::IsWindow(first));

  ::SendMessageW(first, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(first));
  secondary_->Show(kDefinition);
  HWND again = Find(L"测试窗口");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(::SendMessageW(CheckBoxOf(again), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "a closed window comes back as new";
  EXPECT_EQ(Find(L"另一个窗口"), other);
}

}  // namespace
}  // namespace quellbrook::win32
