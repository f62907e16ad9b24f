// Checks the four batch scripts shipped beside Quellbrook.exe as stored bytes: what
// cmd.exe and the program need from them (code page 936, CR LF, system tools by full
// path), the lines of xp.bat
// that the XP service switches rewrite, and that bf.bat backs up every service the
// other three scripts change.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "fakes/iconv_code_page.h"
#include "support/ascii_lower.h"
#include "support/test_files.h"
#include "support/u16.h"

namespace {

using quellbrook::test_support::AsciiLower;
using quellbrook::test_support::ReadBytes;

const std::string kSourceDir = QUELLBROOK_SOURCE_DIR;

// The services the XP switches rewrite, spelt as the switches search for them.
const std::vector<std::string> kSwitchedServices = {
    "ALG", "Eventlog", "helpsvc", "Spooler", "stisvc",
    "wuauserv", "Themes", "LmHosts", "WebClient", "Dhcp"};

// Services whose loss breaks networking (DHCP, DNS, PPPoE dial-up), login (smart cards),
// sound, the firewall or Windows Update on some generation, or that Microsoft's guidance
// says not to disable (error reporting, iSCSI): no script may disable them.
const std::vector<std::string> kEssentialServices = {
    "Dhcp", "Dnscache", "nsi", "Nla", "NlaSvc", "netprofm", "Netman", "LanmanWorkstation",
    "TapiSrv", "RasMan", "BFE", "MpsSvc", "SharedAccess", "RpcSs", "ProfSvc", "Winmgmt",
    "PlugPlay", "EventLog", "Audiosrv", "AudioEndpointBuilder", "wuauserv", "BITS",
    "CryptSvc", "TrustedInstaller", "UsoSvc", "SCardSvr", "WerSvc", "MSiSCSI"};

// On Windows 10 and 11 the Start menu search needs WSearch, and typing through the
// input method in the Start menu needs TabletInputService; Win7.bat runs there too.
const std::vector<std::string> kNeededOnWindows10 = {"WSearch", "TabletInputService"};

std::optional<std::string> ReadScript(const std::string& name) {
  return ReadBytes(kSourceDir + "/batch/" + name);
}

// Code page 936 bytes as UTF-8; nothing when a byte sequence is not valid there.
std::optional<std::string> DecodeCp936(const std::string& bytes) {
  static const quellbrook::IconvCodePage gbk("CP936", 2);
  const std::optional<std::u16string> text = gbk.Decode(bytes);
  if (!text) return std::nullopt;
  return quellbrook::test_support::Utf8(*text);
}

// Splits text whose every line ends in CR LF.
std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::optional<std::vector<std::string>> ScriptLines(const std::string& name) {
  const auto bytes = ReadScript(name);
  if (!bytes) return std::nullopt;
  return CrLfLines(*bytes);
}

std::string TrimLeft(const std::string& line) {
  const size_t first = line.find_first_not_of(" \t");
  return first == std::string::npos ? std::string() : line.substr(first);
}

bool IsComment(const std::string& line) {
  const std::string trimmed = AsciiLower(TrimLeft(line));
  return trimmed.rfind("::", 0) == 0 || trimmed == "rem" || trimmed.rfind("rem ", 0) == 0;
}

struct ScConfigLine {
  std::string service;
  std::string rest;  // everything after the service name and its following space
  std::string text;
};

// The "call :config NAME ..." lines of a script, which run sc through its one subroutine.
std::vector<ScConfigLine> ScConfigLines(const std::vector<std::string>& lines) {
  std::vector<ScConfigLine> found;
  const std::string prefix = "call :config ";
  for (const auto& line : lines) {
    const std::string trimmed = TrimLeft(line);
    if (AsciiLower(trimmed.substr(0, prefix.size())) != prefix) continue;
    const std::string after = trimmed.substr(prefix.size());
    const size_t space = after.find(' ');
    found.push_back({after.substr(0, space), space == std::string::npos ? "" : after.substr(space + 1), line});
  }
  return found;
}

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
}

// Whether text holds word as a whole service name, ignoring case as Windows does.
bool HoldsName(const std::string& text, const std::string& word) {
  const std::string haystack = AsciiLower(text);
  const std::string needle = AsciiLower(word);
  for (size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + 1)) {
    const bool starts = at == 0 || !IsNameChar(haystack[at - 1]);
    const size_t end = at + needle.size();
    const bool ends = end == haystack.size() || !IsNameChar(haystack[end]);
    if (starts && ends) return true;
  }
  return false;
}

// A test name takes letters, digits and underscores only.
std::string TestName(std::string file) {
  std::replace(file.begin(), file.end(), '.', '_');
  return file;
}

// ---- Storage: bytes cmd.exe reads correctly on Chinese Windows ----

class ShippedScript : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    const auto bytes = ReadScript(GetParam());
    ASSERT_TRUE(bytes) << "cannot read batch/" << GetParam();
    bytes_ = *bytes;
  }

  std::string bytes_;
};

TEST_P(ShippedScript, IsCodePage936OfItsUtf8SourceInTools) {
  EXPECT_NE(bytes_.rfind("\xEF\xBB\xBF", 0), 0u) << "starts with a UTF-8 byte order mark";
  const auto decoded = DecodeCp936(bytes_);
  ASSERT_TRUE(decoded) << "not valid code page 936";
  const auto source = ReadBytes(kSourceDir + "/tools/batch/utf8/" + GetParam());
  ASSERT_TRUE(source) << "no tools/batch/utf8/" << GetParam();
  std::string as_lf;
  for (const auto& line : CrLfLines(*decoded)) as_lf += line + "\n";
  EXPECT_EQ(as_lf, *source) << "differs from its source: run tools/batch/convert.sh";
}

TEST_P(ShippedScript, EndsEveryLineInCrLf) {
  // Trail bytes of code page 936 are 0x40 and up, so CR and LF bytes are always line ends.
  for (size_t i = 0; i < bytes_.size(); ++i) {
    if (bytes_[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes_.size() && bytes_[i + 1] == '\n') << "lone CR at byte " << i;
    } else if (bytes_[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes_[i - 1] == '\r') << "lone LF at byte " << i;
    }
  }
  EXPECT_TRUE(bytes_.size() >= 2 && bytes_.substr(bytes_.size() - 2) == "\r\n") << "last line has no CR LF";
}

TEST_P(ShippedScript, OpensWithACommentHeaderAndSwitchesEchoOffBeforeAnyCommand) {
  const std::vector<std::string> lines = CrLfLines(bytes_);
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(IsComment(lines.front())) << lines.front();
  const auto command = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
    return !TrimLeft(line).empty() && !IsComment(line);
  });
  ASSERT_NE(command, lines.end());
  EXPECT_EQ(AsciiLower(TrimLeft(*command)), "@echo off");
}

// cmd looks for a bare tool name in the current folder (Downloads) before the system's:
// a tool named as a word ("reg.exe" too; not "%reg_exe%" or "findstr") must follow "\System32\".
TEST_P(ShippedScript, RunsSystemToolsOnlyByTheirFullPath) {
  const std::regex bare(R"((^|[^\w%.@-])(sc|reg|find|findstr|net|more)(\.exe)?([^\w%.-]|$))");
  for (const auto& line : CrLfLines(bytes_)) {
    const std::string marked = std::regex_replace(AsciiLower(line), std::regex(R"(\\system32\\)"), "@");
    EXPECT_TRUE(IsComment(line) || !std::regex_search(marked, bare)) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(Batch, ShippedScript, ::testing::Values("xp.bat", "vista.bat", "Win7.bat", "bf.bat"),
                         [](const auto& info) { return TestName(info.param); });

// ---- xp.bat: the lines the XP service switches rewrite ----

TEST(XpServiceSwitches, FindExactlyOneLinePerServiceInEitherForm) {
  const auto lines = ScriptLines("xp.bat");
  ASSERT_TRUE(lines);
  for (const auto& service : kSwitchedServices) {
    SCOPED_TRACE(service);
    const std::string on = service + " start= AUTO";
    const std::string off = service + " start= DISABLED";
    std::vector<std::string> holding;
    for (const auto& line : *lines) {
      if (line.find(on) != std::string::npos || line.find(off) != std::string::npos) {
        holding.push_back(line);
      }
    }
    ASSERT_EQ(holding.size(), 1u) << "lines holding a find text of " << service;
    EXPECT_TRUE(holding[0] == "call :config " + on || holding[0] == "call :config " + off)
        << holding[0];
  }
}

// ---- The three service scripts ----

struct ServiceScript {
  std::string name;
  bool scKnowsDelayedAuto;  // the sc of XP does not
  bool runsOnWindows10;
};

void PrintTo(const ServiceScript& script, std::ostream* out) { *out << script.name; }

class ServiceScriptTest : public ::testing::TestWithParam<ServiceScript> {
 protected:
  void SetUp() override {
    const auto lines = ScriptLines(GetParam().name);
    ASSERT_TRUE(lines);
    lines_ = *lines;
    configs_ = ScConfigLines(lines_);
  }

  std::vector<std::string> lines_;
  std::vector<ScConfigLine> configs_;
};

TEST_P(ServiceScriptTest, WritesEveryScConfigLineInAFormScAccepts) {
  std::set<std::string> modes = {"auto", "demand", "disabled"};
  if (GetParam().scKnowsDelayedAuto) modes.insert("delayed-auto");
  EXPECT_FALSE(configs_.empty());
  for (const auto& config : configs_) {
    SCOPED_TRACE(config.text);
    EXPECT_FALSE(config.service.empty());
    // sc needs exactly one space after "start=" and knows no other option here.
    ASSERT_EQ(config.rest.rfind("start= ", 0), 0u);
    EXPECT_EQ(modes.count(AsciiLower(config.rest.substr(7))), 1u) << "a start mode this sc does not know";
  }
}

TEST_P(ServiceScriptTest, ConfiguresEachServiceOnce) {
  std::map<std::string, int> seen;
  for (const auto& config : configs_) {
    EXPECT_EQ(++seen[AsciiLower(config.service)], 1) << config.service << " set twice";
  }
}

TEST_P(ServiceScriptTest, NeverDisablesServicesThatNetworkingLoginSoundOrUpdatesNeed) {
  std::vector<std::string> neverDisabled = kEssentialServices;
  if (GetParam().runsOnWindows10) {
    neverDisabled.insert(neverDisabled.end(), kNeededOnWindows10.begin(), kNeededOnWindows10.end());
  }
  for (const auto& config : configs_) {
    const bool disables = AsciiLower(config.rest) == "start= disabled";
    for (const auto& needed : neverDisabled) {
      EXPECT_FALSE(disables && AsciiLower(config.service) == AsciiLower(needed)) << config.text;
    }
  }
}

TEST_P(ServiceScriptTest, HasEveryServiceItConfiguresBackedUpByBfBat) {
  const auto backup = ReadScript("bf.bat");
  ASSERT_TRUE(backup);
  for (const auto& config : configs_) {
    EXPECT_TRUE(HoldsName(*backup, config.service)) << config.service << " is not backed up";
  }
}

INSTANTIATE_TEST_SUITE_P(Batch, ServiceScriptTest,
                         ::testing::Values(ServiceScript{"xp.bat", false, false},
                                           ServiceScript{"vista.bat", true, false},
                                           ServiceScript{"Win7.bat", true, true}),
                         [](const auto& info) { return TestName(info.param.name); });

// ---- bf.bat: the backup of what the service scripts change ----

TEST(BackupScript, OnlyQueriesAndNeverChangesAService) {
  const auto lines = ScriptLines("bf.bat");
  ASSERT_TRUE(lines);
  for (const auto& line : *lines) {
    const std::string lower = AsciiLower(line);
    // Lines it writes into the restore script are echoed, not run.
    EXPECT_NE(AsciiLower(TrimLeft(line)).rfind("call :config", 0), 0u) << line;
    EXPECT_TRUE(lower.find("sc.exe") == std::string::npos || lower.find(" echo ") != std::string::npos) << line;
  }
}

}  // namespace
