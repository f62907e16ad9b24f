#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/blocklist.h"
#include "support/ascii_lower.h"
#include "support/test_files.h"
#include "support/u16.h"

namespace quellbrook {
namespace {

using test_support::AsciiLower;

constexpr std::size_t kHeaderLines = 6;
// As the Debian package publicsuffix installs it.
constexpr char kPublicSuffixList[] = "/usr/share/publicsuffix/public_suffix_list.dat";

std::vector<std::u16string_view> Lines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(u"\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::u16string_view::npos) return lines;
    start = end + 2;
  }
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator) {
      parts.emplace_back();
    } else {
      parts.back().push_back(c);
    }
  }
  return parts;
}

// The entries as (sink, host name).
std::vector<std::pair<std::string, std::string>> Entries() {
  std::vector<std::pair<std::string, std::string>> entries;
  const auto lines = Lines(BuiltInBlocklist());
  for (std::size_t i = std::min(kHeaderLines, lines.size()); i < lines.size(); ++i) {
    const std::string line = test_support::Utf8(lines[i]);
    const std::size_t space = line.find(' ');
    entries.emplace_back(line.substr(0, space), space == std::string::npos ? "" : line.substr(space + 1));
  }
  return entries;
}

bool WellFormed(const std::string& label) {
  return !label.empty() && label.front() != '-' && label.back() != '-' &&
         std::all_of(label.begin(), label.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
         });
}

// Whether `name` is `domain` or a name under it.
bool Within(const std::string& name, const std::string& domain) {
  return name.size() >= domain.size() && name.compare(name.size() - domain.size(), domain.size(), domain) == 0 &&
         (name.size() == domain.size() || name[name.size() - domain.size() - 1] == '.');
}

// Counts over the host names, keyed as in the table of the MakeUp test.
std::map<std::string, std::size_t> Tally(const std::vector<std::string>& hosts) {
  std::map<std::string, std::size_t> n;
  std::map<std::string, std::size_t> line_of;
  for (std::size_t i = 0; i < hosts.size(); ++i) line_of.emplace(AsciiLower(hosts[i]), i);
  n["distinct names"] = line_of.size();
  n["shortest"] = n["fewest labels"] = 1000;
  for (std::size_t i = 0; i < hosts.size(); ++i) {
    const std::vector<std::string> labels = Split(hosts[i], '.');
    const std::vector<std::string> lower = Split(AsciiLower(hosts[i]), '.');
    n["malformed names"] += !std::all_of(labels.begin(), labels.end(), WellFormed);
    n["shortest"] = std::min(n["shortest"], hosts[i].size());
    n["longest"] = std::max(n["longest"], hosts[i].size());
    n["fewest labels"] = std::min(n["fewest labels"], labels.size());
    n["most labels"] = std::max(n["most labels"], labels.size());
    ++n[labels.size() >= 4 ? "labels 4+" : "labels " + std::to_string(labels.size())];
    const std::string& tld = lower.back();
    ++n["tld " + (tld == "com" || tld == "cn" || tld == "net" ? tld : "other")];
    n["with capitals"] += AsciiLower(hosts[i]) != hosts[i];
    if (lower.front() != "www") continue;
    ++n["www"];
    const auto bare = line_of.find(AsciiLower(hosts[i]).substr(4));
    if (bare == line_of.end()) {
      ++n["unpaired www"];
      continue;
    }
    ++n["pairs"];
    n["www first"] += bare->second == i + 1;
    n["bare first"] += bare->second + 1 == i;
    n["adjacent pairs"] += bare->second == i + 1 || bare->second + 1 == i;
  }
  return n;
}

TEST(BuiltInBlocklist, IsTheBannerAndTheLoopbackLineThenEntriesJoinedByCrLf) {
  const std::u16string_view text = BuiltInBlocklist();
  const auto lines = Lines(text);
  ASSERT_EQ(lines.size(), kHeaderLines + 964);
  const std::u16string rule(35, u'*');
  const std::u16string_view header[kHeaderLines] = {
      rule, u"Quellbrook", u"HOSTS迷你防火墙文件库-09.12.30", u"Morvale软件论坛.Varnock", rule, u"127.0.0.1 localhost"};
  for (std::size_t i = 0; i < kHeaderLines; ++i) EXPECT_EQ(lines[i], header[i]) << "line " << i + 1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::u16string_view line = lines[i];
    ASSERT_FALSE(line.empty()) << "line " << i + 1;
    EXPECT_EQ(line.find_first_of(u"\r\n\t"), line.npos) << "line " << i + 1;
    EXPECT_TRUE(line.front() != u' ' && line.back() != u' ') << "line " << i + 1;
  }
}

TEST(BuiltInBlocklist, SendsEveryEntryToOneSinkOutsideLoopback) {
  const auto entries = Entries();
  ASSERT_FALSE(entries.empty());
  const std::string sink = entries.front().first;
  const std::vector<std::string> octets = Split(sink, '.');
  ASSERT_EQ(octets.size(), 4u) << sink;
  for (const std::string& octet : octets) {
    ASSERT_TRUE(!octet.empty() && octet.size() <= 3 && octet.find_first_not_of("0123456789") == octet.npos) << sink;
    EXPECT_TRUE(std::stoi(octet) <= 255 && (octet == "0" || octet[0] != '0')) << sink;
  }
  EXPECT_NE(octets[0], "127");
  for (const auto& [address, host] : entries) EXPECT_EQ(address, sink) << host;
}

TEST(BuiltInBlocklist, HasTheMakeUpOfTheList) {
  std::vector<std::string> hosts;
  for (const auto& entry : Entries()) hosts.push_back(entry.second);
  std::map<std::string, std::size_t> n = Tally(hosts);
  const std::pair<const char*, std::size_t> expected[] = {
      {"distinct names", 964}, {"malformed names", 0}, {"shortest", 5},    {"longest", 58},
      {"fewest labels", 2},    {"most labels", 6},     {"labels 2", 237},  {"labels 3", 699},
      {"labels 4+", 28},       {"tld com", 545},       {"tld cn", 268},    {"tld net", 77},
      {"tld other", 74},       {"with capitals", 9},   {"www", 390},       {"pairs", 185},
      {"adjacent pairs", 176}, {"www first", 133},     {"bare first", 43}, {"unpaired www", 205},
  };
  for (const auto& [what, count] : expected) EXPECT_EQ(n[what], count) << what;

  std::vector<std::string> lower;
  for (const std::string& host : hosts) lower.push_back(AsciiLower(host));
  for (const auto* names : {&hosts, &lower}) {
    EXPECT_FALSE(std::is_sorted(names->begin(), names->end()));
    EXPECT_FALSE(std::is_sorted(names->rbegin(), names->rend()));
  }
}


// One provenance row a name, in the list's order. "www." is added only to a
// registered domain that is no shared platform's: no rule of the private
// section of the public suffix list is that domain, above it or below it.
TEST(BuiltInBlocklist, TracesEveryNameAndAddsNoWwwOnAPlatform) {
  const auto provenance = test_support::ReadBytes(QUELLBROOK_SOURCE_DIR "/src/hosts/blocklist_provenance.tsv");
  const auto suffixes = test_support::ReadBytes(kPublicSuffixList);
  ASSERT_TRUE(provenance.has_value());
  ASSERT_TRUE(suffixes.has_value()) << kPublicSuffixList << " (Debian package publicsuffix)";
  std::vector<std::string> platforms;
  bool in_private_section = false;
  for (const std::string& line : Split(*suffixes, '\n')) {
    in_private_section = in_private_section || line.find("===BEGIN PRIVATE DOMAINS===") != std::string::npos;
    if (in_private_section && !line.empty() && line.rfind("//", 0) != 0) {
      platforms.push_back(line.substr(line.find_first_not_of("!*.")));
    }
  }
  ASSERT_GT(platforms.size(), 1000u) << "the private section was not found";

  std::vector<std::string> traced;
  std::size_t www_added = 0;
  for (const std::string& line : Split(*provenance, '\n')) {
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string> fields = Split(line, '\t');
    ASSERT_EQ(fields.size(), 7u) << line;
    traced.push_back(fields[0]);
    EXPECT_TRUE(fields[1] == "yes" || fields[1] == "no") << line;
    if (fields[1] != "yes") continue;
    ++www_added;
    ASSERT_EQ(fields[0].rfind("www.", 0), 0u) << line;
    const std::string bare = fields[0].substr(4);
    for (const std::string& platform : platforms) {
      EXPECT_FALSE(Within(bare, platform) || Within(platform, bare)) << fields[0] << " on " << platform;
    }
  }
  std::vector<std::string> listed;
  for (const auto& entry : Entries()) listed.push_back(AsciiLower(entry.second));
  EXPECT_EQ(traced, listed);
  EXPECT_GT(www_added, 0u);
}

}  // namespace
}  // namespace quellbrook
