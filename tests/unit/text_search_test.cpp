#include <gtest/gtest.h>

#include "core/text_search.h"

namespace quellbrook {
namespace {

TEST(ReplaceAll, ReplacesEveryOccurrenceLeftToRightWithoutOverlap) {
  EXPECT_EQ(ReplaceAll(u"ALG start= AUTO & ALG start= AUTO", u"ALG start= AUTO", u"ALG start= DISABLED"),
            u"ALG start= DISABLED & ALG start= DISABLED");
  EXPECT_EQ(ReplaceAll(u"aaaa", u"aa", u"b"), u"bb");
  EXPECT_EQ(ReplaceAll(u"aaa", u"aa", u"b"), u"ba");
}

TEST(ReplaceAll, DoesNotSearchTheInsertedTextAgain) {
  EXPECT_EQ(ReplaceAll(u"x", u"x", u"xx"), u"xx");
  EXPECT_EQ(ReplaceAll(u"AUTO", u"AUTO", u"AUTOAUTO"), u"AUTOAUTO");
}

TEST(ReplaceAll, ComparesExactlyAndIgnoresWordBoundaries) {
  EXPECT_EQ(ReplaceAll(u"alg start= auto", u"ALG start= AUTO", u"-"), u"alg start= auto");
  EXPECT_EQ(ReplaceAll(u"xALG start= AUTO", u"ALG start= AUTO", u"-"), u"x-");
  EXPECT_EQ(ReplaceAll(u"ALG start=  AUTO", u"ALG start= AUTO", u"-"), u"ALG start=  AUTO");
}

TEST(ReplaceAll, EmptyFindOrTextReplacesNothing) {
  EXPECT_EQ(ReplaceAll(u"abc", u"", u"x"), u"abc");
  EXPECT_EQ(ReplaceAll(u"", u"a", u"x"), u"");
}

TEST(FindText, GivesTheOneBasedPositionOfTheFirstOccurrence) {
  EXPECT_EQ(FindText(u"0.0.0.0 example.com", u"example"), 9u);
  EXPECT_EQ(FindText(u"abcabc", u"bc"), 2u);
  EXPECT_EQ(FindText(u"Example", u"example"), 0u);
  EXPECT_EQ(FindText(u"abc", u"abcd"), 0u);
}

TEST(FindText, EmptyPartIsFoundInAnyNonEmptyTextOnly) {
  EXPECT_EQ(FindText(u"a", u""), 1u);
  EXPECT_EQ(FindText(u"", u""), 0u);
  EXPECT_EQ(FindText(u"", u"a"), 0u);
}

}  // namespace
}  // namespace quellbrook
