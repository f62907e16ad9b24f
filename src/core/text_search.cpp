#include "core/text_search.h"

namespace quellbrook {

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view find,
                          std::u16string_view replacement) {
  if (find.empty()) return std::u16string(text);
  std::u16string result;
  result.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t at = text.find(find); at != std::u16string_view::npos; at = text.find(find, start)) {
    result.append(text.substr(start, at - start));
    result.append(replacement);
    start = at + find.size();
  }
  result.append(text.substr(start));
  return result;
}

std::size_t FindText(std::u16string_view text, std::u16string_view part) {
  if (text.empty()) return 0;
  const std::size_t at = text.find(part);
  return at == std::u16string_view::npos ? 0 : at + 1;
}

}  // namespace quellbrook
