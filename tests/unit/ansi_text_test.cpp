#include <gtest/gtest.h>

#include "core/ansi_text.h"
#include "fakes/iconv_code_page.h"
#include "support/u16.h"

namespace quellbrook {
namespace {

using namespace std::string_literals;
using test_support::Utf8;

class AnsiTextTest : public ::testing::Test {
 protected:
  IconvCodePage gbk_{"CP936", 2};
};

TEST_F(AnsiTextTest, DecodesCodePage936) {
  EXPECT_EQ(DecodeLossless(gbk_, "sc config \xb7\xfe\xce\xf1"s), u"sc config 服务");
  EXPECT_EQ(EncodeLossless(gbk_, u"服务").bytes, "\xb7\xfe\xce\xf1"s);
}

TEST_F(AnsiTextTest, CarriesEveryByteThroughUnchanged) {
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
  const std::string rows[] = {"plain ascii\r\n", "\xb7\xfe\xce\xf1 mixed", "nul\0inside\0"s, "\0"s,
                              "bad pair \x81\x20 and lone \xff byte", "lead byte at the end \xb7",
                              "lead byte before a break \xb7\r\nnext", "", everyByte};
  for (const std::string& bytes : rows) {
    const std::u16string text = DecodeLossless(gbk_, bytes);
    EXPECT_EQ(text.find(u'\0'), std::u16string::npos) << "a text box would cut the text at a NUL";
    const EncodedText encoded = EncodeLossless(gbk_, text);
    EXPECT_FALSE(encoded.unrepresentableAt.has_value());
    EXPECT_EQ(encoded.bytes, bytes);
  }
}

TEST_F(AnsiTextTest, InvalidBytesNeverHideALineBreak) {
  const std::u16string text = DecodeLossless(gbk_, "a\x81\r\nb"s);
  ASSERT_EQ(text.size(), 5u);
  EXPECT_EQ(text[0], u'a');
  EXPECT_EQ(text.substr(2), u"\r\nb");
}

// An emoji is a surrogate pair, and the index points at its first unit.
// U+10000 is D800 DC00: its second unit lies in the escape range, yet is no
// escaped byte.
TEST_F(AnsiTextTest, ReportsTheFirstCharacterTheCodePageCannotHold) {
  const std::pair<std::u16string, std::size_t> rows[] = {
      {u"ok\u0E01no", 2}, {u"服务\U0001F600", 2}, {u"a\U00010000", 1}};
  for (const auto& [text, at] : rows) {
    EXPECT_EQ(EncodeLossless(gbk_, text).unrepresentableAt, std::optional<std::size_t>(at)) << Utf8(text);
  }
}

// A code page that decodes everything but maps byte E5 back as E4: characters that
// do not survive the round trip must be carried as raw bytes instead.
class LossyCodePage final : public CodePage {
 public:
  std::optional<std::u16string> Decode(std::string_view bytes) const override {
    return std::u16string(bytes.begin(), bytes.end());
  }
  std::optional<std::string> Encode(std::u16string_view text) const override {
    std::string bytes;
    for (char16_t unit : text) {
      if (unit > 0xFF) return std::nullopt;
      bytes += static_cast<char>(unit == 0xE5 ? 0xE4 : unit);
    }
    return bytes;
  }
  int MaxCharBytes() const override { return 1; }
};

TEST(AnsiTextLossyCodePage, KeepsCharactersThatWouldNotRoundTrip) {
  LossyCodePage lossy;
  const std::string bytes = "\xe4\xe5\xe4";
  const std::u16string text = DecodeLossless(lossy, bytes);
  EXPECT_EQ(EncodeLossless(lossy, text).bytes, bytes);
}

}  // namespace
}  // namespace quellbrook
