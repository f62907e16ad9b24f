#include "hosts/hosts_lines.h"

#include "core/file_channel.h"
#include "core/text_search.h"

namespace quellbrook {
namespace {

constexpr char16_t kLineEnd = u'\r';
constexpr std::size_t kNone = std::u16string_view::npos;

// The line that holds position `at`, or that the CR at `at` ends.
std::u16string_view LineAround(std::u16string_view text, std::size_t at) {
  const std::size_t before = at == 0 ? kNone : text.rfind(kLineEnd, at - 1);
  const std::size_t begin = before == kNone ? 0 : before + 1;
  return text.substr(begin, text.find(kLineEnd, at) - begin);
}

std::size_t BeginOf(std::u16string_view text, std::u16string_view line) {
  return static_cast<std::size_t>(line.data() - text.data());
}

// Calls `visit` with every line that holds `search`, last first, until it
// returns false. The scan runs over the whole text at once rather than line by
// line; lines without a match cost nothing beyond the scan.
template <typename Visit>
void ForEachMatchLastFirst(std::u16string_view text, std::u16string_view search, Visit visit) {
  // No line holds a CR, so a search text with one matches nowhere.
  if (search.find(kLineEnd) != kNone) return;
  // `text[from - 1]` is the CR that ends the last line still to scan.
  for (std::size_t from = text.size(); from > 0;) {
    std::u16string_view line;
    if (search.empty()) {
      // Every line is a candidate; FindText's rule leaves out the empty ones.
      line = LineAround(text, from - 1);
      from = BeginOf(text, line);
      if (FindText(line, search) == 0) continue;
    } else {
      const std::size_t at = text.rfind(search, from - 1);
      if (at == kNone) return;
      line = LineAround(text, at);
      from = BeginOf(text, line);
    }
    if (!visit(line)) return;
  }
}

}  // namespace

HostsLines HostsLines::Read(FileChannel& files, std::u16string_view path) {
  files.OpenForInput(path);
  std::u16string text;
  while (!files.AtEnd()) {
    text += files.ReadLine();
    text += kLineEnd;
  }
  files.CloseFile();
  return HostsLines(std::move(text));
}

std::u16string HostsLines::LastMatch(std::u16string_view search, std::u16string_view suffix) const {
  std::u16string found;
  ForEachMatchLastFirst(text_, search, [&](std::u16string_view line) {
    found.reserve(line.size() + suffix.size());
    found.append(line).append(suffix);
    return false;
  });
  return found;
}

std::u16string HostsLines::MatchesLastFirst(std::u16string_view search, std::u16string_view suffix) const {
  std::u16string matches;
  ForEachMatchLastFirst(text_, search, [&](std::u16string_view line) {
    matches.append(line).append(suffix);
    return true;
  });
  return matches;
}

}  // namespace quellbrook
