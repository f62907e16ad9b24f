// The searches' whole-text scan against the rule it stands for: every line, in
// file order, tested with FindText.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/text_search.h"
#include "hosts/hosts_lines.h"

namespace quellbrook {
namespace {

struct Expected {
  std::u16string last;
  std::u16string stacked;
};

// Find keeps the last match; fuzzy find puts each match in front of the rest.
Expected LineByLine(const std::vector<std::u16string>& lines, std::u16string_view search) {
  Expected expected;
  for (const std::u16string& line : lines) {
    if (FindText(line, search) == 0) continue;
    expected.last = line + u"|";
    expected.stacked = line + u"|" + expected.stacked;
  }
  return expected;
}

std::u16string RandomText(std::mt19937& random, std::u16string_view alphabet, int maxLength) {
  std::u16string text(std::uniform_int_distribution<int>(0, maxLength)(random), u' ');
  for (char16_t& c : text) c = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
  return text;
}

TEST(HostsLines, FindsWhatFindTextFindsLineByLine) {
  std::mt19937 random(20091230);
  for (int round = 0; round < 20000; ++round) {
    std::vector<std::u16string> lines(std::uniform_int_distribution<int>(0, 6)(random));
    std::u16string crTerminated;
    for (std::u16string& line : lines) {
      line = RandomText(random, u"ab\n中", 5);  // a line never holds a CR
      crTerminated += line + u"\r";
    }
    const std::u16string search = RandomText(random, u"ab\n\r中", 3);
    const HostsLines hosts = HostsLines::FromCrTerminated(crTerminated);
    const Expected expected = LineByLine(lines, search);
    ASSERT_EQ(hosts.LastMatch(search, u"|"), expected.last) << "round " << round;
    ASSERT_EQ(hosts.MatchesLastFirst(search, u"|"), expected.stacked) << "round " << round;
  }
}

}  // namespace
}  // namespace quellbrook
