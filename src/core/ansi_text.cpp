#include "core/ansi_text.h"

#include <algorithm>

#include "core/utf16.h"

namespace quellbrook {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// A unit in U+DC00..U+DCFF stands for a raw byte unless it completes a
// surrogate pair (U+10000 and its neighbours end in such units).
bool IsEscape(std::u16string_view text, std::size_t i) {
  const char16_t unit = text[i];
  return unit >= kEscapeBase && unit <= kEscapeBase + 0xFF && (i == 0 || !IsHighSurrogate(text[i - 1]));
}

// `bytes` decoded, provided that encoding the result gives the same bytes back.
std::optional<std::u16string> DecodeExactly(const CodePage& codePage, std::string_view bytes) {
  std::optional<std::u16string> text = codePage.Decode(bytes);
  if (!text) return std::nullopt;
  const std::optional<std::string> back = codePage.Encode(*text);
  if (!back || *back != bytes) return std::nullopt;
  return text;
}

// Character by character, escaping every byte that does not start a character
// which survives the round trip.
void DecodeByCharacter(const CodePage& codePage, std::string_view bytes, std::u16string& text) {
  const int maxCharBytes = codePage.MaxCharBytes();
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {  // every ANSI code page maps ASCII to itself
      text += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    bool decoded = false;
    for (int length = 1; length <= maxCharBytes && i + length <= bytes.size(); ++length) {
      if (std::optional<std::u16string> character = DecodeExactly(codePage, bytes.substr(i, length))) {
        text += *character;
        i += length;
        decoded = true;
        break;
      }
    }
    if (!decoded) {
      text += static_cast<char16_t>(kEscapeBase + lead);
      ++i;
    }
  }
}

// Bytes without a NUL, decoded whole when the code page gives them back
// exactly. A stray byte makes the whole refuse: then the lines around it
// decode whole, and only its own line goes character by character. Every ANSI
// code page maps ASCII to itself, and none uses an LF byte inside a character.
void DecodeWithoutNul(const CodePage& codePage, std::string_view bytes, std::u16string& text) {
  if (std::optional<std::u16string> decoded = DecodeExactly(codePage, bytes)) {
    text += *decoded;
    return;
  }
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size() - 1) + 1;
    const std::string_view line = bytes.substr(start, end - start);
    if (std::optional<std::u16string> decoded = DecodeExactly(codePage, line)) {
      text += *decoded;
    } else {
      DecodeByCharacter(codePage, line, text);
    }
    start = end;
  }
}

// Bytes decoded through the code page. A text box would end the text at a
// NUL, so each NUL is escaped and the pieces between them decoded on their own.
void DecodeThroughCodePage(const CodePage& codePage, std::string_view bytes, std::u16string& text) {
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t nul = std::min(bytes.find('\0', start), bytes.size());
    DecodeWithoutNul(codePage, bytes.substr(start, nul - start), text);
    if (nul < bytes.size()) text += kEscapeBase;
    start = nul + 1;
  }
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

}  // namespace

std::u16string DecodeLossless(const CodePage& codePage, std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  // Lines of ASCII alone, the bulk of most scripts, are widened as they are:
  // every ANSI code page maps ASCII to itself, and no character starts with an
  // ASCII byte. Only the runs of other lines between them go through the code
  // page and its round trip check: checking every line made a switch tick on
  // a 1 000 000-line script take 2.0 times a plain rewrite under Wine, this 1.5.
  std::size_t run = 0;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size() - 1) + 1;
    const std::string_view line = bytes.substr(start, end - start);
    if (IsAscii(line)) {
      DecodeThroughCodePage(codePage, bytes.substr(run, start - run), text);
      const std::size_t at = text.size();
      text.resize(at + line.size());
      std::transform(line.begin(), line.end(), text.begin() + static_cast<std::ptrdiff_t>(at),
                     [](char byte) { return byte == '\0' ? kEscapeBase : static_cast<char16_t>(byte); });
      run = end;
    }
    start = end;
  }
  DecodeThroughCodePage(codePage, bytes.substr(run), text);
  return text;
}

EncodedText EncodeLossless(const CodePage& codePage, std::u16string_view text) {
  EncodedText result;
  result.bytes.reserve(text.size());

  // Encodes text[begin, end), which holds no escapes; false when a character
  // cannot be represented (its index is then recorded).
  auto encodeRun = [&](std::size_t begin, std::size_t end) {
    if (begin == end) return true;
    if (std::optional<std::string> bytes = codePage.Encode(text.substr(begin, end - begin))) {
      result.bytes += *bytes;
      return true;
    }
    for (std::size_t i = begin; i < end;) {
      const std::size_t length = StartsSurrogatePair(text.substr(0, end), i) ? 2 : 1;
      std::optional<std::string> bytes = codePage.Encode(text.substr(i, length));
      if (!bytes) {
        result.unrepresentableAt = i;
        return false;
      }
      result.bytes += *bytes;
      i += length;
    }
    return true;
  };

  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsEscape(text, i)) continue;
    if (!encodeRun(runStart, i)) return result;
    result.bytes += static_cast<char>(text[i] - kEscapeBase);
    runStart = i + 1;
  }
  encodeRun(runStart, text.size());
  return result;
}

}  // namespace quellbrook
