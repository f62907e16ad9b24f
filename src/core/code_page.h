#pragma once
// The system's ANSI code page as two strict conversions. Lossless text handling
// on top of them lives in ansi_text.h.

#include <optional>
#include <string>
#include <string_view>

namespace quellbrook {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // The text of `bytes`, or nothing when any byte sequence is invalid.
  virtual std::optional<std::u16string> Decode(std::string_view bytes) const = 0;
  // The bytes of `text`, or nothing when any character has no exact mapping
  // (no best-fit substitutes, no default character).
  virtual std::optional<std::string> Encode(std::u16string_view text) const = 0;
  // The longest byte sequence of one character.
  virtual int MaxCharBytes() const = 0;
};

}  // namespace quellbrook
