// The searches' one scan over the whole file; fuzz_hosts_search checks it
// against reading the file line by line and testing each line with FindText.

#include <gtest/gtest.h>

#include "fakes/iconv_code_page.h"
#include "hosts/hosts_lines.h"

namespace quellbrook {
namespace {

// Where the code page is UTF-8, a character beyond U+FFFF is a surrogate pair,
// and FindText compares its halves one by one.
TEST(HostsLines, HalfASurrogatePairMatchesInsideAPair) {
  IconvCodePage utf8("UTF-8", 4);
  const HostsLines lines("\xf0\x90\x80\x80\r\n", utf8);
  EXPECT_EQ(lines.LastMatch(u"\xdc00", u"|"), u"\U00010000|");
}

}  // namespace
}  // namespace quellbrook
