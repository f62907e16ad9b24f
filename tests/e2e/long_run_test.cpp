// Two thousand seeded random clicks on the program's three windows, every box
// answered, with the process's kernel handles and its GDI and USER objects
// counted after a warm-up and at the end: nothing may pile up. The launch
// buttons are left out (each would open a command window); so is the HOSTS
// save, which would write the prefix's own HOSTS file. The registry values
// the tweak buttons change are put back afterwards. QUELLBROOK_SEED
// overrides the seed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app_windows.h"
#include "registry_state.h"
#include "running_app.h"
#include "tweak_registry.h"
#include "wait.h"
#include "wine.h"

namespace quellbrook::e2e {
namespace {

constexpr int kWarmUpClicks = 200;
constexpr int kClicks = 2000;

// The process's handles in the system handle table: GetProcessHandleCount
// reports 0 under Wine.
std::optional<std::size_t> KernelHandleCount(DWORD pid) {
  struct Entry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT backTrace;
    USHORT type;
    ULONG attributes;
    ULONG reserved;
  };
  struct Table {
    ULONG_PTR count;
    ULONG_PTR reserved;
    Entry entries[1];
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  constexpr ULONG kSystemExtendedHandleInformation = 64;
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return std::nullopt;
  std::vector<unsigned char> buffer(1 << 20);
  for (;;) {
    ULONG needed = 0;
    const LONG status =
        query(kSystemExtendedHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch) {
      buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
      continue;
    }
    if (status < 0) return std::nullopt;
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    std::size_t count = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i) count += table->entries[i].processId == pid;
    return count;
  }
}

// Thread body: BM_CLICK sent from another process returns once the handler has.
DWORD WINAPI SendClick(LPVOID button) {
  SendMessageW(static_cast<HWND>(button), BM_CLICK, 0, 0);
  return 0;
}

struct ObjectCounts {
  std::size_t kernel;
  DWORD gdi;
  DWORD user;
};

class LongRun : public RunningApp {
 protected:
  void SetUp() override {
    for (const wchar_t* script : {L"xp.bat", L"vista.bat", L"Win7.bat", L"bf.bat"}) {
      ASSERT_TRUE(folder.Write(script, "sc config ALG start= DISABLED\r\nsc config Dhcp start= AUTO\r\n"));
    }
    RunningApp::SetUp();
  }

  ObjectCounts Counts() const {
    return {KernelHandleCount(app->ProcessId()).value_or(0), GetGuiResources(app->Process(), GR_GDIOBJECTS),
            GetGuiResources(app->Process(), GR_USEROBJECTS)};
  }

  // Input boxes get a random text and OK or Cancel, message boxes OK.
  void Answer(HWND box, std::mt19937& random) const {
    ++boxesAnswered_;
    const HWND entry = GetDlgItem(box, kInputBoxEdit);
    const bool cancel = entry && random() % 3 == 0;
    if (entry && !cancel) {
      static const wchar_t* const kAnswers[] = {L"", L"localhost", L"ALG", L"中文", L"127.0.0.1"};
      app->SetTextOf(entry, kAnswers[random() % std::size(kAnswers)]);
    }
    app->DismissBox(box, cancel ? IDCANCEL : IDOK);
  }

  // Clicks from a helper thread, which returns once the click handler has,
  // and meanwhile answers every box the handler opens. False when the
  // handler has not returned within 30 s.
  bool ClickAnsweringBoxes(HWND control, std::mt19937& random) const {
    const HANDLE clicker = CreateThread(nullptr, 0, &SendClick, control, 0, nullptr);
    if (!clicker) return false;
    const bool returned = test_support::WaitUntil(
        [&] {
          if (WaitForSingleObject(clicker, 0) == WAIT_OBJECT_0) return true;
          if (const HWND box = app->WaitForBox(0)) Answer(box, random);
          return false;
        },
        30000);
    // A handler that never returned leaves the thread waiting until the
    // session ends the program.
    CloseHandle(clicker);
    return returned;
  }

  mutable int boxesAnswered_ = 0;
};

TEST_F(LongRun, TwoThousandRandomClicksLeaveTheProgramAliveAndItsObjectCountsFlat) {
  const char* seedText = std::getenv("QUELLBROOK_SEED");
  const unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 20261207u;
  std::mt19937 random(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  test_support::RegistryGuard guard;
  ASSERT_TRUE(test_support::KeepEveryTweakEffect(guard));

  // The other two windows, opened once; their buttons stay in the draw.
  std::vector<HWND> controls;
  const HWND tweaks = app->OpenWindow(Command(4), kTweaksCaption);
  const HWND hosts = app->OpenWindow(Command(5), kHostsCaption);
  ASSERT_TRUE(tweaks && hosts);
  for (int n = 1; n <= 10; ++n) controls.push_back(AppSession::ControlOf(tweaks, Command(n)));
  for (const int n : {1, 2, 4, 5}) controls.push_back(AppSession::ControlOf(hosts, Command(n)));  // not 3, the save
  for (const int n : {1, 4, 5, 6, 7, 8, 10, 11, 12, 14, 17, 19, 20, 21}) controls.push_back(app->Control(Command(n)));
  for (int n = 1; n <= 20; ++n) controls.push_back(app->Control(Check(n)));
  for (const HWND control : controls) ASSERT_NE(control, nullptr);

  ObjectCounts warm{};
  // Only what a user could click counts: a disabled or hidden control is drawn again.
  for (int click = 0; click < kClicks;) {
    if (click == kWarmUpClicks) warm = Counts();
    const HWND control = controls[random() % controls.size()];
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) continue;
    ++click;
    ASSERT_TRUE(ClickAnsweringBoxes(control, random)) << "click " << click << " on control " << GetDlgCtrlID(control);
  }
  ASSERT_FALSE(app->WaitForExit(0)) << "the program ended";
  EXPECT_GT(boxesAnswered_, 0) << "the boxes were seen";
  const ObjectCounts end = Counts();
  std::printf("[ FIGURES  ] seed %u, %d clicks, %d boxes answered: kernel handles %zu -> %zu, "
              "GDI objects %lu -> %lu, USER objects %lu -> %lu\n",
              seed, kClicks, boxesAnswered_, warm.kernel, end.kernel, warm.gdi, end.gdi, warm.user, end.user);

  EXPECT_GT(warm.kernel, 0u) << "the system handle table lists the program's handles";
  EXPECT_LE(end.kernel, warm.kernel + 8);
  if (test_support::RunningUnderWine()) {
    // Wine keeps no per-process count of GDI and USER objects.
    EXPECT_EQ(end.gdi + end.user + warm.gdi + warm.user, 0u);
  } else {
    EXPECT_GT(warm.gdi, 0u);
    EXPECT_LE(end.gdi, warm.gdi + 16);
    EXPECT_LE(end.user, warm.user + 16);
  }
}

}  // namespace
}  // namespace quellbrook::e2e
