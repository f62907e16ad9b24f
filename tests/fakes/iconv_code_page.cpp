#include "fakes/iconv_code_page.h"

#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <vector>

namespace quellbrook {
namespace {

static_assert(std::endian::native == std::endian::little, "text units are handed to iconv as UTF-16LE");

// Runs a whole conversion into `output`, which starts with room for
// `expectedSize` bytes and grows as needed; false on any invalid or
// unconvertible input. Sized close to the result, so that large files cost no
// more memory traffic than the conversion itself, as on Windows.
template <typename Output>
bool Convert(iconv_t converter, const char* input, std::size_t inputSize, std::size_t expectedSize,
             Output& output) {
  using Unit = typename Output::value_type;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  output.resize(expectedSize / sizeof(Unit) + 8);
  char* in = const_cast<char*>(input);
  std::size_t inLeft = inputSize;
  std::size_t used = 0;
  for (bool flushing = false;;) {
    char* out = reinterpret_cast<char*>(output.data()) + used;
    std::size_t outLeft = output.size() * sizeof(Unit) - used;
    const std::size_t result = flushing ? iconv(converter, nullptr, nullptr, &out, &outLeft)
                                        : iconv(converter, &in, &inLeft, &out, &outLeft);
    used = output.size() * sizeof(Unit) - outLeft;
    if (result == static_cast<std::size_t>(-1)) {
      if (errno != E2BIG) return false;
      output.resize(output.size() * 2);
      continue;
    }
    if (flushing) break;
    flushing = true;
  }
  output.resize(used / sizeof(Unit));
  return true;
}

constexpr char32_t kInvalid = 0xFFFFFFFF;
constexpr char32_t kLead = 0xFFFFFFFE;

std::optional<std::u16string> IconvDecode(iconv_t decoder, std::string_view bytes) {
  std::u16string text;
  if (!Convert(decoder, bytes.data(), bytes.size(), bytes.size() * 2, text)) return std::nullopt;
  return text;
}

std::optional<std::string> IconvEncode(iconv_t encoder, std::u16string_view text) {
  std::string bytes;
  if (!Convert(encoder, reinterpret_cast<const char*>(text.data()), text.size() * 2, text.size(), bytes)) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

struct IconvCodePage::Tables {
  // Per byte: the character it stands for alone, kLead when it only starts a
  // two-byte character, or kInvalid.
  std::array<char32_t, 256> single{};
  // Per lead and trail byte: the character, or kInvalid.
  std::vector<char32_t> pairs = std::vector<char32_t>(std::size_t{256} * 256, kInvalid);
  // Per UTF-16 unit: its one or two bytes (big-endian) and how many; 0: none.
  std::vector<std::uint16_t> bytes = std::vector<std::uint16_t>(65536, 0);
  std::vector<std::uint8_t> length = std::vector<std::uint8_t>(65536, 0);

  Tables(iconv_t decoder, iconv_t encoder) {
    for (int lead = 0; lead < 256; ++lead) {
      const char one = static_cast<char>(lead);
      if (auto text = IconvDecode(decoder, std::string_view(&one, 1)); text && text->size() == 1) {
        single[lead] = (*text)[0];
        continue;
      }
      single[lead] = kInvalid;
      for (int trail = 0; trail < 256; ++trail) {
        const char two[] = {one, static_cast<char>(trail)};
        if (auto text = IconvDecode(decoder, std::string_view(two, 2)); text && text->size() == 1) {
          pairs[lead * 256 + trail] = (*text)[0];
          single[lead] = kLead;
        }
      }
    }
    for (char32_t unit = 0; unit < 65536; ++unit) {
      if (unit >= 0xD800 && unit <= 0xDFFF) continue;  // a lone surrogate has no bytes
      const char16_t one = static_cast<char16_t>(unit);
      const std::optional<std::string> encoded = IconvEncode(encoder, std::u16string_view(&one, 1));
      if (!encoded || encoded->empty() || encoded->size() > 2) continue;
      length[unit] = static_cast<std::uint8_t>(encoded->size());
      for (char byte : *encoded) bytes[unit] = static_cast<std::uint16_t>(bytes[unit] << 8 | static_cast<unsigned char>(byte));
    }
  }
};

IconvCodePage::IconvCodePage(const char* encoding, int maxCharBytes)
    : decoder_(iconv_open("UTF-16LE", encoding)), encoder_(iconv_open(encoding, "UTF-16LE")),
      maxCharBytes_(maxCharBytes) {
  if (decoder_ == reinterpret_cast<iconv_t>(-1) || encoder_ == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(std::string("iconv has no code page ") + encoding);
  }
  if (maxCharBytes <= 2) {
    static std::map<std::string, std::shared_ptr<const Tables>> built;
    std::shared_ptr<const Tables>& tables = built[encoding];
    if (!tables) tables = std::make_shared<const Tables>(decoder_, encoder_);
    tables_ = tables;
  }
}

IconvCodePage::~IconvCodePage() {
  iconv_close(decoder_);
  iconv_close(encoder_);
}

// The callers convert long texts in slices, so one pass into room for the
// longest possible result, cut to size afterwards, costs little memory.
std::optional<std::u16string> IconvCodePage::Decode(std::string_view bytes) const {
  if (!tables_) return IconvDecode(decoder_, bytes);
  const Tables& tables = *tables_;
  const std::size_t size = bytes.size();
  std::u16string text(size, u'\0');
  std::size_t at = 0;
  for (std::size_t i = 0; i < size;) {
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    char32_t unit = tables.single[lead];
    if (unit == kLead) {
      if (i == size) return std::nullopt;
      unit = tables.pairs[lead * 256 + static_cast<unsigned char>(bytes[i++])];
    }
    if (unit == kInvalid) return std::nullopt;
    text[at++] = static_cast<char16_t>(unit);
  }
  text.resize(at);
  return text;
}

std::optional<std::string> IconvCodePage::Encode(std::u16string_view text) const {
  if (!tables_) return IconvEncode(encoder_, text);
  const Tables& tables = *tables_;
  std::string bytes(text.size() * 2, '\0');
  std::size_t at = 0;
  for (const char16_t unit : text) {
    const std::uint8_t length = tables.length[unit];
    if (length == 0) return std::nullopt;
    const std::uint16_t value = tables.bytes[unit];
    if (length == 2) bytes[at++] = static_cast<char>(value >> 8);
    bytes[at++] = static_cast<char>(value & 0xFF);
  }
  bytes.resize(at);
  return bytes;
}

}  // namespace quellbrook
