#pragma once
// Lossless conversion between file bytes and control text.
//
// A text box cannot hold a NUL (it cuts the text there) and a code page cannot
// decode every byte sequence, yet loading and saving a file must give back its
// bytes. Each byte that is NUL or not part of a valid character travels through
// the text as one escape unit, a lone low surrogate U+DC00 + byte, which no
// decoder produces and nobody types; encoding turns it back into that byte.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/code_page.h"

namespace quellbrook {

std::u16string DecodeLossless(const CodePage& codePage, std::string_view bytes);

struct EncodedText {
  std::string bytes;
  // Index into the text of the first character the code page cannot represent;
  // bytes is then incomplete.
  std::optional<std::size_t> unrepresentableAt;
};

EncodedText EncodeLossless(const CodePage& codePage, std::u16string_view text);

}  // namespace quellbrook
