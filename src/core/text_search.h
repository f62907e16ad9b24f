#pragma once
// Exact, case-sensitive text search and replacement.

#include <cstddef>
#include <string>
#include <string_view>

namespace quellbrook {

// A copy of `text` with every occurrence of `find` replaced, scanned left to
// right without overlap; the inserted text is not searched again. An empty
// `find` replaces nothing.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find,
                          std::u16string_view replacement);

// The 1-based position of the first occurrence of `part`, or 0. An empty part is
// found at position 1 of any non-empty text; an empty text contains nothing.
std::size_t FindText(std::u16string_view text, std::u16string_view part);

}  // namespace quellbrook
