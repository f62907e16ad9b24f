// The ANSI code page conversions with the real system tables, in code page 936
// (simplified Chinese), and the lossless text of ansi_text.h on top of them.

#include <gtest/gtest.h>

#include <windows.h>

#include "core/ansi_text.h"
#include "win32/system/ansi_code_page.h"

namespace quellbrook::win32 {
namespace {

// "中文" in GBK.
const std::string kChineseBytes = "\xD6\xD0\xCE\xC4";

class CodePage936Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::GetACP(), 936u) << "these tests need the Chinese ANSI code page: run them with "
                                   "LC_ALL=zh_CN.UTF-8 under Wine, or on Chinese Windows";
  }

  AnsiCodePage codePage_;
};

TEST_F(CodePage936Test, DecodesAndEncodesChinese) {
  EXPECT_EQ(codePage_.Decode("ab" + kChineseBytes), u"ab中文");
  EXPECT_EQ(codePage_.Encode(u"ab中文"), "ab" + kChineseBytes);
  EXPECT_EQ(codePage_.MaxCharBytes(), 2);
  EXPECT_EQ(codePage_.Decode(""), u"");
  EXPECT_EQ(codePage_.Encode(u""), "");
}

TEST_F(CodePage936Test, DecodeRefusesInvalidSequences) {
  EXPECT_EQ(codePage_.Decode("ok\xD6"), std::nullopt) << "a lead byte without its trail byte";
  EXPECT_EQ(codePage_.Decode("\xFF"), std::nullopt);
}

// The system's tables differ from the iconv stand-in of the unit tests, and a
// best-fit table would write "A" for U+00C0.
TEST_F(CodePage936Test, EncodeRefusesCharactersOutsideTheCodePageWithoutBestFitSubstitutes) {
  EXPECT_EQ(codePage_.Encode(u"\u0E01"), std::nullopt) << "Thai";
  EXPECT_EQ(codePage_.Encode(u"a\U0001F600"), std::nullopt) << "an emoji";
  EXPECT_EQ(codePage_.Encode(std::u16string(1, char16_t{0xD800})), std::nullopt) << "a lone surrogate";
  EXPECT_EQ(codePage_.Encode(u"\u00C0"), std::nullopt);
  EXPECT_EQ(codePage_.Encode(u"\uFF21x"), "\xA3\xC1x") << "full-width A has its own GBK code";
}

TEST_F(CodePage936Test, LosslessTextGivesBackEveryByte) {
  const std::string bytes = std::string("A\0", 2) + kChineseBytes + "\xFF" + "B\r\n\x80\x81" + "\xD6";
  std::u16string text = DecodeLossless(codePage_, bytes);

  EXPECT_EQ(text.find(u'\0'), std::u16string::npos) << "a text box would cut the text at a NUL";
  EXPECT_NE(text.find(u"中文"), std::u16string::npos);
  EncodedText back = EncodeLossless(codePage_, text);
  EXPECT_EQ(back.unrepresentableAt, std::nullopt);
  EXPECT_EQ(back.bytes, bytes);
}

}  // namespace
}  // namespace quellbrook::win32
