#include "fakes/iconv_code_page.h"

#include <bit>
#include <stdexcept>

namespace quellbrook {
namespace {

static_assert(std::endian::native == std::endian::little, "text units are handed to iconv as UTF-16LE");

// One whole conversion into room for `room` units, the longest possible
// result; nothing on any invalid, incomplete or unconvertible input.
template <typename Output>
std::optional<Output> Convert(iconv_t converter, const void* input, std::size_t inputSize, std::size_t room) {
  Output output(room, typename Output::value_type{});
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(static_cast<const char*>(input));
  char* out = reinterpret_cast<char*>(output.data());
  std::size_t outLeft = room * sizeof(output[0]);
  if (iconv(converter, &in, &inputSize, &out, &outLeft) == static_cast<std::size_t>(-1) ||
      iconv(converter, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
    return std::nullopt;
  }
  output.resize(room - outLeft / sizeof(output[0]));
  return output;
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
  return Convert<std::u16string>(decoder_, bytes.data(), bytes.size(), bytes.size());
}

std::optional<std::string> IconvCodePage::Encode(std::u16string_view text) const {
  return Convert<std::string>(encoder_, text.data(), text.size() * 2,
                              text.size() * static_cast<std::size_t>(maxCharBytes_));
}

}  // namespace quellbrook
