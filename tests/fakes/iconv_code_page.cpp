#include "fakes/iconv_code_page.h"

#include <bit>
#include <stdexcept>

namespace quellbrook {
namespace {

static_assert(std::endian::native == std::endian::little, "text units are handed to iconv as UTF-16LE");

// One whole conversion into `output`, which the caller sizes for the longest
// possible result; false on any invalid, incomplete or unconvertible input.
template <typename Output>
bool Convert(iconv_t converter, const char* input, std::size_t inputSize, Output& output) {
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(input);
  char* out = reinterpret_cast<char*>(output.data());
  std::size_t outLeft = output.size() * sizeof(output[0]);
  const std::size_t room = outLeft;
  if (iconv(converter, &in, &inputSize, &out, &outLeft) == static_cast<std::size_t>(-1) ||
      iconv(converter, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
    return false;
  }
  output.resize((room - outLeft) / sizeof(output[0]));
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

// Every byte gives at most one UTF-16 unit, and every unit at most
// MaxCharBytes bytes.
std::optional<std::u16string> IconvCodePage::Decode(std::string_view bytes) const {
  std::u16string text(bytes.size(), u'\0');
  if (!Convert(decoder_, bytes.data(), bytes.size(), text)) return std::nullopt;
  return text;
}

std::optional<std::string> IconvCodePage::Encode(std::u16string_view text) const {
  std::string bytes(text.size() * static_cast<std::size_t>(maxCharBytes_), '\0');
  if (!Convert(encoder_, reinterpret_cast<const char*>(text.data()), text.size() * 2, bytes)) return std::nullopt;
  return bytes;
}

}  // namespace quellbrook
