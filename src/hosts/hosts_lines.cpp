#include "hosts/hosts_lines.h"

#include <algorithm>
#include <array>
#include <type_traits>
#include <vector>

#include "core/ansi_text.h"
#include "core/file_channel.h"
#include "core/file_channel_scope.h"
#include "core/text_search.h"
#include "core/utf16.h"

namespace quellbrook {
namespace {

// Finds a text from right to left, skipping ahead as Horspool's search does:
// the window moves left by the distance from the pattern's start to the first
// pattern character that could lie under the window's first position. Keyed by
// the low byte, so the table stays small; a shared byte only shortens a move.
template <typename Char>
class BackwardSearch {
 public:
  using View = std::basic_string_view<Char>;

  explicit BackwardSearch(View pattern) : pattern_(pattern) {
    move_.fill(pattern.size());
    for (std::size_t j = pattern.size(); j-- > 1;) move_[LowByte(pattern[j])] = j;
  }

  // The last position at or before `last` where the pattern starts, or npos.
  std::size_t LastAtOrBefore(View text, std::size_t last) const {
    if (text.size() < pattern_.size()) return View::npos;
    std::size_t at = std::min(last, text.size() - pattern_.size());
    for (;;) {
      if (text[at] == pattern_[0] && text.substr(at, pattern_.size()) == pattern_) return at;
      const std::size_t move = move_[LowByte(text[at])];
      if (at < move) return View::npos;
      at -= move;
    }
  }

 private:
  static std::size_t LowByte(Char c) { return static_cast<std::make_unsigned_t<Char>>(c) & 0xFF; }

  View pattern_;
  std::array<std::size_t, 256> move_;
};

// Whether position `at` holds a character of a line rather than a line break:
// a CR, or the LF that completes a CR LF.
template <typename Char>
bool InLine(std::basic_string_view<Char> text, std::size_t at) {
  return text[at] != Char('\r') && (text[at] != Char('\n') || at == 0 || text[at - 1] != Char('\r'));
}

// The line that holds position `at`, which lies in a line.
template <typename Char>
std::basic_string_view<Char> LineAround(std::basic_string_view<Char> text, std::size_t at) {
  const std::size_t before = text.rfind(Char('\r'), at);
  std::size_t begin = 0;
  if (before != text.npos) begin = text[before + 1] == Char('\n') ? before + 2 : before + 1;
  const std::size_t end = std::min(text.find(Char('\r'), at), text.size());
  return text.substr(begin, end - begin);
}

// Calls `visit` with every line that holds `pattern` (every non-empty line for
// an empty pattern), last first, until it returns false. One scan over the
// whole text: lines without a match cost no more than the scan. The pattern
// holds no CR.
template <typename Char, typename Visit>
void ForEachLineHolding(std::basic_string_view<Char> text, std::basic_string_view<Char> pattern, Visit visit) {
  const BackwardSearch<Char> scan(pattern);
  // Everything from `from` on has been scanned.
  for (std::size_t from = text.size(); from > 0;) {
    const std::size_t at = pattern.empty() ? from - 1 : scan.LastAtOrBefore(text, from - 1);
    if (at == text.npos) return;
    if (!InLine(text, at)) {
      from = at;
      continue;
    }
    const std::basic_string_view<Char> line = LineAround(text, at);
    if (!visit(line)) return;
    from = static_cast<std::size_t>(line.data() - text.data());
  }
}

// Appends the line, decoded, when FindText finds the search text in it: the
// scan may have found its bytes straddling two characters.
template <typename Char>
bool AppendIfFound(const CodePage& codePage, std::basic_string_view<Char> line, std::u16string_view search,
                   std::u16string& text) {
  const std::size_t start = text.size();
  if constexpr (std::is_same_v<Char, char>) {
    AppendDecodedLossless(codePage, line, text);
  } else {
    text.append(line);
  }
  if (FindText(std::u16string_view(text).substr(start), search) != 0) return true;
  text.resize(start);
  return false;
}

template <typename Char>
std::u16string MatchesIn(const CodePage& codePage, std::basic_string_view<Char> text,
                         std::basic_string_view<Char> pattern, std::u16string_view search,
                         std::u16string_view suffix, bool all) {
  std::u16string matches;
  if (!all) {
    ForEachLineHolding(text, pattern, [&](std::basic_string_view<Char> line) {
      if (!AppendIfFound(codePage, line, search, matches)) return true;
      matches.append(suffix);
      return false;
    });
    return matches;
  }
  // The lines first, so that the result is allocated once: a line decodes to
  // no more units than it has bytes.
  std::vector<std::basic_string_view<Char>> lines;
  std::size_t size = 0;
  ForEachLineHolding(text, pattern, [&](std::basic_string_view<Char> line) {
    lines.push_back(line);
    size += line.size() + suffix.size();
    return true;
  });
  matches.reserve(size);
  for (const std::basic_string_view<Char> line : lines) {
    if (AppendIfFound(codePage, line, search, matches)) matches.append(suffix);
  }
  return matches;
}

}  // namespace

HostsLines HostsLines::Read(FileChannel& files, std::u16string_view path) {
  const FileChannelScope scope(files);
  files.OpenForInput(path);
  AnsiBytes file = files.ReadRestAsBytes();
  files.CloseFile();
  return HostsLines(std::move(file.bytes), file.codePage);
}

std::u16string HostsLines::LastMatch(std::u16string_view search, std::u16string_view suffix) const {
  return Matches(search, suffix, false);
}

std::u16string HostsLines::MatchesLastFirst(std::u16string_view search, std::u16string_view suffix) const {
  return Matches(search, suffix, true);
}

std::u16string HostsLines::Matches(std::u16string_view search, std::u16string_view suffix, bool all) const {
  // No line holds a CR.
  if (search.find(u'\r') != search.npos) return {};
  if (std::any_of(search.begin(), search.end(), IsSurrogate)) {
    // Half of a pair may match inside a pair of the text, which bytes cannot
    // show: search the decoded text instead.
    const std::u16string text = DecodeLossless(codePage_, bytes_);
    return MatchesIn(codePage_, std::u16string_view(text), search, search, suffix, all);
  }
  const EncodedText pattern = EncodeLossless(codePage_, search);
  // A character the code page cannot hold occurs in no line it decodes.
  if (pattern.unrepresentableAt) return {};
  return MatchesIn(codePage_, std::string_view(bytes_), std::string_view(pattern.bytes), search, suffix, all);
}

}  // namespace quellbrook
