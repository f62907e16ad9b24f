// A long, seeded run of random clicks, edits, input box answers and injected
// failures across the three windows, checked against the windows' rules after
// every step. QUELLBROOK_SEED overrides the seed; a failure prints it.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "core/ansi_text.h"
#include "core/text_search.h"
#include "fakes/fake_services.h"
#include "fakes/fake_window.h"
#include "fakes/iconv_code_page.h"
#include "hosts/form3.h"
#include "scripts/script_panel.h"
#include "scripts/service_switch.h"
#include "support/panel_flags.h"
#include "tweaks/form2.h"

namespace quellbrook {
namespace {

const IconvCodePage kGbk("CP936", 2);
const std::string kXpScript = EncodeLossless(kGbk, u"@echo off\r\nrem 服务\r\nsc config ALG start= DISABLED\r"
                                                   u"sc config Dhcp start= AUTO\nDhcp start= AUTO\r\n").bytes;
const std::string kHostsPath = "WINDOWS/system32/drivers/etc/hosts";
constexpr std::size_t kSteps = 100'000;

// xp.bat after a switch's rewrite: every line with the find text replaced,
// each line followed by CR LF, and one more CR LF for the saved text's end.
std::string Rewritten(const std::string& script, const ServiceSwitch& row) {
  const std::u16string text = DecodeLossless(kGbk, script);
  std::u16string result;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t cr = std::min(text.find(u'\r', at), text.size());
    result += ReplaceAll(text.substr(at, cr - at), row.findText, row.replacement) + u"\r\n";
    at = cr + 1;
    if (at < text.size() && text[at] == u'\n') ++at;
  }
  return EncodeLossless(kGbk, result + u"\r\n").bytes;
}

// The combinations of text box, edit and save enabled that a panel's state
// table reaches.
bool PanelFlagsAllowed(const ScriptPanel& panel, FakeWindow& form) {
  const std::set<std::string> allowed = panel.refreshUnlocksEdit ? std::set<std::string>{"---", "-E-", "T-S", "TES"}
                                                                 : std::set<std::string>{"-E-", "T-S"};
  return allowed.contains(test_support::PanelFlags(form, panel));
}

class LongUseTest : public ::testing::Test {
 protected:
  LongUseTest() {
    for (const char* script : {"vista.bat", "Win7.bat", "bf.bat"}) files_.Put(script, "echo\r\n");
    files_.Put("xp.bat", kXpScript);
    files_.Put(kHostsPath, "0.0.0.0 ALG.com\r\n# 中\r\n");
    platform_.environment.variables[u"SystemRoot"] = u"WINDOWS";
  }

  // A text from pieces that matter to the windows: service lines, line breaks,
  // CJK, and now and then a character code page 936 cannot hold.
  std::u16string RandomText(std::size_t maxPieces) {
    static const std::array<std::u16string_view, 9> kPieces = {
        u"a", u" ", u"\r\n", u"\r", u"\n", u"中", u"ALG start= DISABLED", u"sc config Dhcp start= AUTO", u"😀"};
    std::u16string text;
    for (std::size_t n = Pick(maxPieces + 1); n > 0; --n) text += kPieces[Pick(kPieces.size() - (Pick(50) != 0))];
    return text;
  }
  std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }

  // Something goes wrong at the next step: xp.bat cannot be written, the HOSTS
  // file is missing, or a platform service fails.
  void InjectFailure() {
    switch (Pick(5)) {
      case 0: files_.SetReadOnly("xp.bat"); break;
      case 1:
        hostsAway_ = files_.Bytes(kHostsPath);
        files_.Remove(kHostsPath);
        break;
      case 2: platform_.launcher.failure = PlatformError(2, u"系统找不到指定的文件。"); break;
      case 3: platform_.windows.failure = PlatformError(8, u"内存不足。"); break;
      default: platform_.scripting.failCall = static_cast<int>(platform_.scripting.calls.size()) + 1; break;
    }
  }
  void RemoveFailures() {
    if (hostsAway_) files_.Put(kHostsPath, *std::exchange(hostsAway_, std::nullopt));
    files_.SetReadOnly("xp.bat", false);
    platform_.launcher.failure.reset();
    platform_.windows.failure.reset();
    platform_.scripting.failCall.reset();
  }

  FakeServices platform_;
  MemoryFileStore& files_ = platform_.store;
  std::optional<std::string> hostsAway_;  // the HOSTS file while it is missing
  std::array<FakeWindow, 3> forms_{FakeWindow(kForm1Window, platform_.services()),
                                   FakeWindow(kForm2Window, platform_.services()),
                                   FakeWindow(kForm3Window, platform_.services())};
  std::mt19937_64 random_;
};

TEST_F(LongUseTest, RandomUseKeepsEveryWindowConsistentAndXpBatRewrittenOnlyByTheRules) {
  const char* seedText = std::getenv("QUELLBROOK_SEED");
  const std::uint64_t seed = seedText ? std::strtoull(seedText, nullptr, 10) : 20261207;
  random_.seed(seed);
  std::string xpScript = kXpScript;
  std::set<const ServiceSwitch*> unsettledPairs;  // a toggle of the pair failed last
  FakeWindow& form1 = forms_[0];
  for (std::size_t step = 0; step < kSteps; ++step) {
    const std::size_t failuresBefore = platform_.boxes.failures.size();
    if (Pick(50) == 0) InjectFailure();
    FakeWindow& form = forms_[Pick(forms_.size())];
    const FormTable& table = form.Table();
    const ControlRow& row = table.controls[Pick(table.controls.size())];
    bool clicked = false;
    if (row.kind == ControlKind::kTextBox) {
      if (form[row.id].Enabled() && form.Showing(row.id)) form[row.id].SetText(RandomText(8));
    } else if (row.kind != ControlKind::kFrame) {
      if (Pick(6) != 0) platform_.boxes.answers.push_back(RandomText(2));
      clicked = form.Click(row.id);
      platform_.boxes.answers.clear();
    }
    RemoveFailures();
    const bool failed = platform_.boxes.failures.size() != failuresBefore;
    const ServiceSwitch* toggled = &form == &form1 && clicked ? FindServiceSwitch(row.id) : nullptr;
    if (toggled) {
      if (!failed) xpScript = Rewritten(xpScript, *toggled);
      // Check(2k-1) is the pair's on switch.
      const ServiceSwitch* on = ToInt(toggled->checkBox) % 2 == 1 ? toggled : FindServiceSwitch(toggled->partner);
      if (failed) unsettledPairs.insert(on); else unsettledPairs.erase(on);
    }
    if (&form == &form1 && clicked && row.id == kScriptPanels[0].saveButton && !failed) {
      xpScript = EncodeLossless(kGbk, form1[kScriptPanels[0].textBox].Text() + u"\r\n").bytes;
    }

    const std::string context = "seed " + std::to_string(seed) + ", step " + std::to_string(step) +
                                ", control " + std::to_string(ToInt(row.id)) + ", clicked " +
                                std::to_string(clicked) + ", failed " + std::to_string(failed);
    ASSERT_FALSE(platform_.files().IsOpen()) << context;
    for (const ScriptPanel& panel : kScriptPanels) {
      ASSERT_TRUE(PanelFlagsAllowed(panel, form1)) << context << ", panel " << ToInt(panel.frame);
    }
    for (const ServiceSwitch& sw : kServiceSwitches) {
      if (ToInt(sw.checkBox) % 2 == 0 || unsettledPairs.contains(&sw)) continue;
      ASSERT_FALSE(form1[sw.checkBox].CheckValue() == 1 && form1[sw.partner].CheckValue() == 1)
          << context << ", pair " << ToInt(sw.checkBox);
    }
    ASSERT_EQ(files_.Bytes("xp.bat"), xpScript) << context;

    // Keep the files and the HOSTS box small: each toggle and save adds a line,
    // and each fuzzy find puts its matches in front of the box's text.
    if (xpScript.size() > 4096) files_.Put("xp.bat", xpScript = kXpScript);
    if (files_.Bytes(kHostsPath)->size() > 16384) files_.Put(kHostsPath, "0.0.0.0 a\r\n");
    if (forms_[2][Text(1)].Text().size() > 16384) forms_[2][Text(1)].SetText(u"");
  }
}

}  // namespace
}  // namespace quellbrook
