// Checks the four batch scripts shipped beside Quellbrook.exe as stored bytes: what
// cmd.exe and the program need from them (code page 936, CR LF), the lines of xp.bat
// that the XP service switches rewrite, and that bf.bat backs up every service the
// other three scripts change.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/iconv_code_page.h"
#include "support/test_files.h"

namespace {

using quellbrook::test_support::ReadBytes;

const std::string kSourceDir = QUELLBROOK_SOURCE_DIR;

const std::vector<std::string> kServiceScripts = {"xp.bat", "vista.bat", "Win7.bat"};
const std::vector<std::string> kAllScripts = {"xp.bat", "vista.bat", "Win7.bat", "bf.bat"};

// The services the XP switches rewrite, spelt as the switches search for them.
const std::vector<std::string> kSwitchedServices = {
    "ALG", "Eventlog", "helpsvc", "Spooler", "stisvc",
    "wuauserv", "Themes", "LmHosts", "WebClient", "Dhcp"};

// Services whose loss breaks networking (DHCP, DNS, PPPoE dial-up), login, sound,
// the firewall or Windows Update on some generation: no script may disable them.
const std::vector<std::string> kEssentialServices = {
    "Dhcp", "Dnscache", "nsi", "Nla", "NlaSvc", "netprofm", "Netman", "LanmanWorkstation",
    "TapiSrv", "RasMan", "BFE", "MpsSvc", "SharedAccess", "RpcSs", "ProfSvc", "Winmgmt",
    "PlugPlay", "EventLog", "Audiosrv", "AudioEndpointBuilder", "wuauserv", "BITS",
    "CryptSvc", "TrustedInstaller", "UsoSvc"};

// On Windows 10 and 11 the Start menu search needs WSearch, and typing through the
// input method in the Start menu needs TabletInputService; Win7.bat runs there too.
const std::vector<std::string> kNeededOnWindows10 = {"WSearch", "TabletInputService"};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::optional<std::string> ReadScript(const std::string& name) {
  return ReadBytes(kSourceDir + "/batch/" + name);
}

// Code page 936 bytes as UTF-8; nothing when a byte sequence is not valid there.
std::optional<std::string> DecodeCp936(const std::string& bytes) {
  static const quellbrook::IconvCodePage gbk("CP936", 2);
  static const quellbrook::IconvCodePage utf8("UTF-8", 4);
  const std::optional<std::u16string> text = gbk.Decode(bytes);
  if (!text) return std::nullopt;
  return utf8.Encode(*text);
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
  const std::string trimmed = Lower(TrimLeft(line));
  return trimmed.rfind("::", 0) == 0 || trimmed == "rem" || trimmed.rfind("rem ", 0) == 0;
}

struct ScConfigLine {
  std::string service;
  std::string rest;  // everything after the service name and its following space
  std::string text;
};

// The "sc config NAME ..." lines of a script (sc is not case-sensitive).
std::vector<ScConfigLine> ScConfigLines(const std::vector<std::string>& lines) {
  std::vector<ScConfigLine> found;
  const std::string prefix = "sc config ";
  for (const auto& line : lines) {
    const std::string trimmed = TrimLeft(line);
    if (Lower(trimmed.substr(0, prefix.size())) != prefix) continue;
    const std::string after = trimmed.substr(prefix.size());
    const size_t space = after.find(' ');
    ScConfigLine entry;
    entry.service = after.substr(0, space);
    entry.rest = space == std::string::npos ? std::string() : after.substr(space + 1);
    entry.text = line;
    found.push_back(entry);
  }
  return found;
}

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
}

// Whether text holds word as a whole service name, ignoring case as Windows does.
bool HoldsName(const std::string& text, const std::string& word) {
  const std::string haystack = Lower(text);
  const std::string needle = Lower(word);
  for (size_t at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + 1)) {
    const bool starts = at == 0 || !IsNameChar(haystack[at - 1]);
    const size_t end = at + needle.size();
    const bool ends = end == haystack.size() || !IsNameChar(haystack[end]);
    if (starts && ends) return true;
  }
  return false;
}

// ---- Storage: bytes cmd.exe reads correctly on Chinese Windows ----

TEST(BatchScripts, DecodeAsCodePage936) {
  for (const auto& name : kAllScripts) {
    SCOPED_TRACE(name);
    const auto bytes = ReadScript(name);
    ASSERT_TRUE(bytes) << "cannot read batch/" << name;
    ASSERT_FALSE(bytes->empty());
    EXPECT_TRUE(DecodeCp936(*bytes)) << "not valid code page 936";
    EXPECT_NE(bytes->rfind("\xEF\xBB\xBF", 0), 0u) << "starts with a UTF-8 byte order mark";
  }
}

TEST(BatchScripts, EndEveryLineInCrLf) {
  for (const auto& name : kAllScripts) {
    SCOPED_TRACE(name);
    const auto bytes = ReadScript(name);
    ASSERT_TRUE(bytes);
    // Trail bytes of code page 936 are 0x40 and up, so CR and LF bytes are always line ends.
    for (size_t i = 0; i < bytes->size(); ++i) {
      if ((*bytes)[i] == '\r') {
        EXPECT_TRUE(i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') << "lone CR at byte " << i;
      } else if ((*bytes)[i] == '\n') {
        EXPECT_TRUE(i > 0 && (*bytes)[i - 1] == '\r') << "lone LF at byte " << i;
      }
    }
    EXPECT_TRUE(bytes->size() >= 2 && bytes->substr(bytes->size() - 2) == "\r\n")
        << "last line has no CR LF";
  }
}

TEST(BatchScripts, OpenWithACommentHeaderAndSwitchEchoOffBeforeAnyCommand) {
  for (const auto& name : kAllScripts) {
    SCOPED_TRACE(name);
    const auto lines = ScriptLines(name);
    ASSERT_TRUE(lines);
    ASSERT_FALSE(lines->empty());
    EXPECT_TRUE(IsComment(lines->front())) << lines->front();
    const auto command = std::find_if(lines->begin(), lines->end(), [](const std::string& line) {
      return !TrimLeft(line).empty() && !IsComment(line);
    });
    ASSERT_NE(command, lines->end());
    EXPECT_EQ(Lower(TrimLeft(*command)), "@echo off");
  }
}

TEST(BatchScripts, MatchTheirUtf8SourcesInTools) {
  for (const auto& name : kAllScripts) {
    SCOPED_TRACE(name);
    const auto bytes = ReadScript(name);
    const auto source = ReadBytes(kSourceDir + "/tools/batch/utf8/" + name);
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(source) << "no tools/batch/utf8/" << name;
    const auto decoded = DecodeCp936(*bytes);
    ASSERT_TRUE(decoded);
    std::string as_lf;
    for (const auto& line : CrLfLines(*decoded)) as_lf += line + "\n";
    EXPECT_EQ(as_lf, *source) << "batch/" << name
                              << " differs from its source: run tools/batch/convert.sh";
  }
}

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
    EXPECT_TRUE(holding[0] == "sc config " + on || holding[0] == "sc config " + off)
        << holding[0];
  }
}

// ---- The three service scripts ----

TEST(ServiceScripts, WriteEveryScConfigLineInAFormScAccepts) {
  const std::set<std::string> modes = {"auto", "demand", "disabled", "delayed-auto"};
  for (const auto& name : kServiceScripts) {
    SCOPED_TRACE(name);
    const auto lines = ScriptLines(name);
    ASSERT_TRUE(lines);
    const auto configs = ScConfigLines(*lines);
    EXPECT_FALSE(configs.empty());
    size_t sc_lines = 0;
    for (const auto& line : *lines) {
      if (Lower(TrimLeft(line)).rfind("sc ", 0) == 0) ++sc_lines;
    }
    EXPECT_EQ(sc_lines, configs.size()) << "an sc line that is not sc config";
    for (const auto& config : configs) {
      SCOPED_TRACE(config.text);
      EXPECT_FALSE(config.service.empty());
      // sc needs exactly one space after "start=" and knows no other option here.
      ASSERT_EQ(config.rest.rfind("start= ", 0), 0u);
      const std::string mode = Lower(config.rest.substr(7));
      EXPECT_EQ(modes.count(mode), 1u) << "unknown start mode";
      if (name == "xp.bat") {
        EXPECT_NE(mode, "delayed-auto") << "the sc of XP has no delayed-auto";
      }
    }
  }
}

TEST(ServiceScripts, ConfigureEachServiceOnce) {
  for (const auto& name : kServiceScripts) {
    SCOPED_TRACE(name);
    const auto lines = ScriptLines(name);
    ASSERT_TRUE(lines);
    std::map<std::string, int> seen;
    for (const auto& config : ScConfigLines(*lines)) {
      EXPECT_EQ(++seen[Lower(config.service)], 1) << config.service << " set twice";
    }
  }
}

TEST(ServiceScripts, NeverDisableServicesThatNetworkingLoginSoundOrUpdatesNeed) {
  for (const auto& name : kServiceScripts) {
    SCOPED_TRACE(name);
    const auto lines = ScriptLines(name);
    ASSERT_TRUE(lines);
    for (const auto& config : ScConfigLines(*lines)) {
      const bool disables = Lower(config.rest) == "start= disabled";
      for (const auto& essential : kEssentialServices) {
        EXPECT_FALSE(disables && Lower(config.service) == Lower(essential)) << config.text;
      }
      if (name == "Win7.bat") {
        for (const auto& needed : kNeededOnWindows10) {
          EXPECT_FALSE(disables && Lower(config.service) == Lower(needed)) << config.text;
        }
      }
    }
  }
}

// ---- bf.bat: the backup of what the service scripts change ----

TEST(BackupScript, NamesEveryServiceTheServiceScriptsConfigure) {
  const auto backup = ReadScript("bf.bat");
  ASSERT_TRUE(backup);
  size_t checked = 0;
  for (const auto& name : kServiceScripts) {
    const auto lines = ScriptLines(name);
    ASSERT_TRUE(lines) << name;
    for (const auto& config : ScConfigLines(*lines)) {
      EXPECT_TRUE(HoldsName(*backup, config.service))
          << config.service << " (from " << name << ") is not backed up by bf.bat";
      ++checked;
    }
  }
  EXPECT_GT(checked, kSwitchedServices.size());
}

TEST(BackupScript, OnlyQueriesAndNeverChangesAService) {
  const auto lines = ScriptLines("bf.bat");
  ASSERT_TRUE(lines);
  for (const auto& line : *lines) {
    const std::string trimmed = Lower(TrimLeft(line));
    // Lines it writes into the restore script are echoed, not run.
    EXPECT_NE(trimmed.rfind("sc config", 0), 0u) << line;
    EXPECT_EQ(trimmed.find("sc stop"), std::string::npos) << line;
  }
}

}  // namespace
