#include "fakes/iconv_code_page.h"

#include <stdexcept>
#include <vector>

namespace quellbrook {
namespace {

// Runs a whole conversion; false on any invalid or unconvertible input.
bool Convert(iconv_t converter, const char* input, std::size_t inputSize, std::string& output) {
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  std::vector<char> buffer(inputSize * 4 + 16);
  char* in = const_cast<char*>(input);
  std::size_t inLeft = inputSize;
  char* out = buffer.data();
  std::size_t outLeft = buffer.size();
  if (iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) return false;
  if (iconv(converter, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) return false;
  output.assign(buffer.data(), out);
  return true;
}

}  // namespace

IconvCodePage::IconvCodePage(const char* encoding, int maxCharBytes)
    : decoder_(iconv_open("UTF-16LE", encoding)), encoder_(iconv_open(encoding, "UTF-16LE")),
      maxCharBytes_(maxCharBytes) {
  if (decoder_ == reinterpret_cast<iconv_t>(-1) || encoder_ == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(std::string("iconv has no code page ") + encoding);
  }
}

IconvCodePage::~IconvCodePage() {
  iconv_close(decoder_);
  iconv_close(encoder_);
}

std::optional<std::u16string> IconvCodePage::Decode(std::string_view bytes) const {
  std::string utf16;
  if (!Convert(decoder_, bytes.data(), bytes.size(), utf16)) return std::nullopt;
  std::u16string text(utf16.size() / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<unsigned char>(utf16[2 * i]) |
                                    static_cast<unsigned char>(utf16[2 * i + 1]) << 8);
  }
  return text;
}

std::optional<std::string> IconvCodePage::Encode(std::u16string_view text) const {
  std::string utf16(text.size() * 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    utf16[2 * i] = static_cast<char>(text[i] & 0xFF);
    utf16[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  std::string bytes;
  if (!Convert(encoder_, utf16.data(), utf16.size(), bytes)) return std::nullopt;
  return bytes;
}

}  // namespace quellbrook
