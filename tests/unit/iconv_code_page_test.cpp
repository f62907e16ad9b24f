// The native stand-in for the Windows code page converts through lookup tables;
// they must give exactly what iconv gives, valid or not.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "fakes/iconv_code_page.h"

namespace quellbrook {
namespace {

class IconvTablesTest : public ::testing::Test {
 protected:
  IconvCodePage tables_{"CP936", 2};
  IconvCodePage iconv_{"CP936", 2, false};
};

TEST_F(IconvTablesTest, EveryUnitEncodesAsIconvEncodesIt) {
  for (char32_t unit = 0; unit < 0x10000; ++unit) {
    const char16_t one = static_cast<char16_t>(unit);
    ASSERT_EQ(tables_.Encode({&one, 1}), iconv_.Encode({&one, 1})) << std::hex << static_cast<unsigned>(unit);
  }
}

TEST_F(IconvTablesTest, EveryOneAndTwoByteSequenceDecodesAsIconvDecodesIt) {
  for (int first = 0; first < 256; ++first) {
    const char one = static_cast<char>(first);
    ASSERT_EQ(tables_.Decode({&one, 1}), iconv_.Decode({&one, 1})) << first;
    for (int second = 0; second < 256; ++second) {
      const char two[] = {one, static_cast<char>(second)};
      ASSERT_EQ(tables_.Decode({two, 2}), iconv_.Decode({two, 2})) << first << ' ' << second;
    }
  }
}

// Long mixed texts take the block paths for ASCII runs as well.
TEST_F(IconvTablesTest, LongMixedTextsConvertAsWithIconv) {
  std::mt19937 random(936);
  for (int round = 0; round < 2000; ++round) {
    const int length = 1 + static_cast<int>(random() % 80);
    std::string bytes;
    std::u16string text;
    for (int i = 0; i < length; ++i) {
      const bool ascii = random() % 4 != 0;
      bytes += static_cast<char>(ascii ? random() % 0x80 : 0x80 + random() % 0x80);
      text += static_cast<char16_t>(ascii ? random() % 0x80 : 0x4E00 + random() % 0x5000);
    }
    ASSERT_EQ(tables_.Decode(bytes), iconv_.Decode(bytes)) << round;
    ASSERT_EQ(tables_.Encode(text), iconv_.Encode(text)) << round;
  }
}

}  // namespace
}  // namespace quellbrook
