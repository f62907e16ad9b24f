// ReplaceAll and FindText against the plainest loops that implement their rules
// (built once per function: QUELLBROOK_FUZZ_REPLACE selects ReplaceAll).
#include "core/text_search.h"
#include "fuzz/fuzz_support.h"

using namespace quellbrook;

namespace {

[[maybe_unused]] std::size_t NaiveFind(std::u16string_view text, std::u16string_view part) {
  if (text.empty()) return 0;
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    if (text.substr(at).starts_with(part)) return at + 1;
  }
  return 0;
}

[[maybe_unused]] std::u16string NaiveReplace(std::u16string_view text, std::u16string_view find,
                                             std::u16string_view with) {
  std::u16string result;
  for (std::size_t at = 0; at < text.size();) {
    if (!find.empty() && text.substr(at).starts_with(find)) {
      result += with;
      at += find.size();
    } else {
      result += text[at++];
    }
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  const std::u16string part = fuzz::SmallAlphabetText(data, 6);
#ifdef QUELLBROOK_FUZZ_REPLACE
  const std::u16string replacement = fuzz::SmallAlphabetText(data, 6);
  const std::u16string text = fuzz::SmallAlphabetText(data, 4096);
  fuzz::Check(ReplaceAll(text, part, replacement) == NaiveReplace(text, part, replacement), "ReplaceAll");
#else
  const std::u16string text = fuzz::SmallAlphabetText(data, 4096);
  fuzz::Check(FindText(text, part) == NaiveFind(text, part), "FindText");
#endif
  return 0;
}
