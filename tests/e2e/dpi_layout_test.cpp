// The three windows and the input box of the real program at 100, 125, 150 and
// 200 %: each window has its table's caption and border, and at 100 % its
// place; each control's rectangle is its table's twips at that DPI and shows
// its caption; the input box's controls lie inside its client area.

#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "app/form1.h"
#include "app_session.h"
#include "app_windows.h"
#include "forms/scaling.h"
#include "hosts/form3.h"
#include "registry_state.h"
#include "tweaks/form2.h"
#include "u16.h"
#include "wine.h"
#include "work_folder.h"

namespace quellbrook::e2e {
namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

class DpiLayout : public ::testing::TestWithParam<unsigned> {};

TEST_P(DpiLayout, EveryWindowIsItsTableAtTheDpi) {
  const unsigned dpi = GetParam();
  // Windows takes a new DPI only at the next sign-in; Wine at each start.
  if (!test_support::RunningUnderWine() && dpi != 96) GTEST_SKIP() << "the DPI cannot change for one program";
  test_support::RegistryGuard guard;
  guard.KeepValue(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
  const DWORD value = dpi;
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &value, sizeof value),
            ERROR_SUCCESS);
  WorkFolder folder;
  AppSession app(folder.Path());
  ASSERT_TRUE(app.Started()) << test_support::Utf8(app.Error());

  const std::pair<const FormTable*, HWND> windows[] = {{&kForm1Table, app.Form()},
                                                       {&kForm2Table, app.OpenWindow(Command(4), kTweaksCaption)},
                                                       {&kForm3Table, app.OpenWindow(Command(5), kHostsCaption)}};
  for (const auto& [form, window] : windows) {
    ASSERT_NE(window, nullptr);
    SCOPED_TRACE(test_support::Utf8(form->caption));
    EXPECT_EQ(TitleOf(window), test_support::Wide(form->caption));
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const LONG sizable = form->border == BorderStyle::kSizable ? WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX : 0;
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU), sizable | WS_SYSMENU);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, TwipsToPixels(form->clientWidth, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(form->clientHeight, dpi));
    // At higher DPIs the window may not fit the screen and moves in.
    if (form->position && dpi == 96) {
      POINT origin{0, 0};
      ClientToScreen(window, &origin);
      EXPECT_EQ(origin.x, TwipsToPixels(form->position->x, dpi));
      EXPECT_EQ(origin.y, TwipsToPixels(form->position->y, dpi));
    }
    for (const ControlRow& row : form->controls) {
      const HWND control = AppSession::ControlOf(window, ToInt(row.id));
      ASSERT_NE(control, nullptr) << ToInt(row.id);
      if (row.kind != ControlKind::kTextBox) {
        EXPECT_EQ(app.TextOf(control), test_support::Wide(row.caption)) << ToInt(row.id);
      }
      const RECT rect = RectInParent(control);
      EXPECT_EQ(rect.left, TwipsToPixels(row.rect.left, dpi)) << ToInt(row.id);
      EXPECT_EQ(rect.top, TwipsToPixels(row.rect.top, dpi)) << ToInt(row.id);
      EXPECT_EQ(rect.right - rect.left, TwipsToPixels(row.rect.width, dpi)) << ToInt(row.id);
      EXPECT_EQ(rect.bottom - rect.top, TwipsToPixels(row.rect.height, dpi)) << ToInt(row.id);
    }
  }

  app.PostClickOn(AppSession::ControlOf(windows[2].second, Command(4)));
  const HWND box = app.WaitForBox(15000);
  ASSERT_NE(box, nullptr);
  RECT client{};
  GetClientRect(box, &client);
  for (HWND child : Descendants(box)) {
    RECT rect = RectInParent(child);
    EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom)
        << "input box item " << GetDlgCtrlID(child) << " lies outside the box";
  }
  EXPECT_TRUE(app.DismissBox(box));
}

INSTANTIATE_TEST_SUITE_P(Percent100To200, DpiLayout, ::testing::Values(96U, 120U, 144U, 192U));

}  // namespace
}  // namespace quellbrook::e2e
