// The searches' one scan over the whole file against the rule it stands for:
// the file read line by line through the channel, each line tested with
// FindText.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/file_channel.h"
#include "core/text_search.h"
#include "fakes/iconv_code_page.h"
#include "fakes/posix_file_store.h"
#include "hosts/hosts_lines.h"
#include "support/test_files.h"

namespace quellbrook {
namespace {

struct Expected {
  std::u16string last;
  std::u16string stacked;
};

// Find keeps the last match; fuzzy find puts each match in front of the rest.
Expected LineByLine(FileChannel& files, std::u16string_view path, std::u16string_view search) {
  Expected expected;
  files.OpenForInput(path);
  while (!files.AtEnd()) {
    const std::u16string line = files.ReadLine();
    if (FindText(line, search) == 0) continue;
    expected.last = line + u"|";
    expected.stacked = line + u"|" + expected.stacked;
  }
  files.CloseFile();
  return expected;
}

template <typename Text>
Text RandomText(std::mt19937& random, const std::vector<Text>& pieces, int maxPieces) {
  Text text;
  for (int n = std::uniform_int_distribution<int>(0, maxPieces)(random); n > 0; --n) {
    text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
  }
  return text;
}

TEST(HostsLines, FindWhatReadingLineByLineAndFindTextFind) {
  test_support::TempFolder folder;
  test_support::CurrentFolderScope inFolder(folder.Path());
  PosixFileStore store;
  IconvCodePage codePage("CP936", 2);
  FileChannel files(store, codePage);
  // Line breaks of every kind, Chinese characters (癮 ends in the byte of 'a'),
  // a lead byte alone and a byte no character holds.
  const std::vector<std::string> filePieces = {"a", "b", "\r\n", "\r", "\n", "\xd6\xd0", "\xb0\x61", "\xb0", "\xff"};
  const std::vector<std::u16string> searchPieces = {u"a", u"b", u"\n", u"\r", u"中", u"癮", u"\xdcff"};
  std::mt19937 random(20091230);
  for (int round = 0; round < 4000; ++round) {
    test_support::WriteBytes("hosts", RandomText(random, filePieces, 12));
    const std::u16string search = RandomText(random, searchPieces, 3);
    const Expected expected = LineByLine(files, u"hosts", search);
    const HostsLines lines = HostsLines::Read(files, u"hosts");
    ASSERT_FALSE(files.IsOpen());
    ASSERT_EQ(lines.LastMatch(search, u"|"), expected.last) << "round " << round;
    ASSERT_EQ(lines.MatchesLastFirst(search, u"|"), expected.stacked) << "round " << round;
  }
}

// Where the code page is UTF-8, a character beyond U+FFFF is a surrogate pair,
// and FindText compares its halves one by one.
TEST(HostsLines, HalfASurrogatePairMatchesInsideAPair) {
  IconvCodePage utf8("UTF-8", 4);
  const HostsLines lines("\xf0\x90\x80\x80\r\n", utf8);
  EXPECT_EQ(lines.LastMatch(u"\xdc00", u"|"), u"\U00010000|");
}

}  // namespace
}  // namespace quellbrook
