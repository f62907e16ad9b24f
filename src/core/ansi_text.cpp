#include "core/ansi_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

// Decodes a stretch of whole lines through the code page. NUL bytes split it;
// each piece between them takes the fast whole-piece conversion when it can.
void DecodeThroughCodePage(const CodePage& codePage, std::string_view bytes, std::u16string& text) {
  std::size_t start = 0;
  while (start <= bytes.size()) {
    std::size_t nul = bytes.find('\0', start);
    if (nul == std::string_view::npos) nul = bytes.size();
    const std::string_view piece = bytes.substr(start, nul - start);
    if (std::optional<std::u16string> decoded = DecodeExactly(codePage, piece)) {
      text += *decoded;
    } else {
      DecodeByCharacter(codePage, piece, text);
    }
    if (nul == bytes.size()) break;
    text += kEscapeBase;
    start = nul + 1;
  }
}

// Long texts convert a slice at a time, so that the code page's own buffers
// stay small and warm instead of each being a fresh copy of a whole script,
// and a stray byte slows down only its slice. A slice ends right after an
// ASCII byte or unit: in no ANSI code page does a character go on past one
// (a double-byte character may end in one, never start with one), and a unit
// after it cannot complete a surrogate pair.
constexpr std::size_t kSliceLength = std::size_t{64} * 1024;

template <typename Unit>
std::size_t SliceEnd(std::basic_string_view<Unit> text, std::size_t begin) {
  if (text.size() - begin <= kSliceLength) return text.size();
  const auto ascii = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(begin + kSliceLength), text.end(),
                                  [](Unit unit) { return static_cast<std::uint32_t>(unit) < 0x80; });
  return ascii == text.end() ? text.size() : static_cast<std::size_t>(ascii - text.begin()) + 1;
}


// ASCII as it is, with each NUL escaped like any other byte a text box cannot hold.
void Widen(std::string_view ascii, std::u16string& text) {
  const std::size_t at = text.size();
  text.resize(at + ascii.size());
  char16_t* out = text.data() + at;
  for (std::size_t i = 0; i < ascii.size(); ++i) {
    const auto byte = static_cast<unsigned char>(ascii[i]);
    out[i] = byte == 0 ? kEscapeBase : byte;
  }
}

// Eight bytes at a time: a file of mostly ASCII is scanned at memory speed.
std::size_t FindNonAscii(std::string_view bytes, std::size_t from) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t i = from;
  for (std::uint64_t word = 0; i + sizeof word <= bytes.size(); i += sizeof word) {
    std::memcpy(&word, bytes.data() + i, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  for (; i < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::u16string DecodeLossless(const CodePage& codePage, std::string_view bytes) {
  std::u16string text;
  AppendDecodedLossless(codePage, bytes, text);
  return text;
}

void AppendDecodedLossless(const CodePage& codePage, std::string_view bytes, std::u16string& text) {
  text.reserve(text.size() + bytes.size());
  // Every ANSI code page maps ASCII to itself, and none uses a line feed inside
  // a character. Lines of ASCII alone, the bulk of most files, are widened
  // directly; runs of lines holding other bytes go through the code page.
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t done = 0;
  for (std::size_t other = FindNonAscii(bytes, 0); other != kNone;) {
    const std::size_t lineFeed = bytes.rfind('\n', other);
    const std::size_t runStart = lineFeed == kNone || lineFeed < done ? done : lineFeed + 1;
    Widen(bytes.substr(done, runStart - done), text);
    // The run goes on for as long as each next line holds another such byte.
    std::size_t runEnd = runStart;
    while (other != kNone) {
      const std::size_t nextLineFeed = bytes.find('\n', other);
      runEnd = nextLineFeed == kNone ? bytes.size() : nextLineFeed + 1;
      other = FindNonAscii(bytes, runEnd);
      if (other == kNone || bytes.find('\n', runEnd) < other) break;
    }
    const std::string_view run = bytes.substr(runStart, runEnd - runStart);
    for (std::size_t begin = 0; begin < run.size();) {
      const std::size_t end = SliceEnd(run, begin);
      DecodeThroughCodePage(codePage, run.substr(begin, end - begin), text);
      begin = end;
    }
    done = runEnd;
  }
  Widen(bytes.substr(done), text);
}

std::optional<std::size_t> EncodeLosslessInSlices(const CodePage& codePage, std::u16string_view text,
                                                  const std::function<void(std::string_view)>& sink) {
  for (std::size_t begin = 0; begin < text.size();) {
    const std::size_t end = SliceEnd(text, begin);
    const EncodedText encoded = EncodeLossless(codePage, text.substr(begin, end - begin));
    if (encoded.unrepresentableAt) return begin + *encoded.unrepresentableAt;
    sink(encoded.bytes);
    begin = end;
  }
  return std::nullopt;
}

EncodedText EncodeLossless(const CodePage& codePage, std::u16string_view text) {
  EncodedText result;
  result.bytes.reserve(text.size() * 2);

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
