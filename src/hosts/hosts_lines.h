#pragma once
// The HOSTS file as the two searches scan it. It is read whole through the
// file channel and closed again before the user is asked for the search text,
// so that no other program finds the file locked while the input box waits.

#include <cstddef>
#include <string>
#include <string_view>

namespace quellbrook {

class FileChannel;

class HostsLines {
 public:
  // Opens the file, reads every line and closes it.
  static HostsLines Read(FileChannel& files, std::u16string_view path);
  // The lines of a text in which every line ends in a CR; for tests.
  static HostsLines FromCrTerminated(std::u16string text) { return HostsLines(std::move(text)); }

  // The last line that contains `search` by FindText's rule, followed by
  // `suffix`; the empty text when no line does.
  std::u16string LastMatch(std::u16string_view search, std::u16string_view suffix) const;
  // Every line that contains `search`, last first, each followed by `suffix`;
  // the empty text when no line does.
  std::u16string MatchesLastFirst(std::u16string_view search, std::u16string_view suffix) const;

 private:
  explicit HostsLines(std::u16string text) : text_(std::move(text)) {}

  // Every line followed by a CR, a character that no line holds (the reader
  // ends lines at each one), so a search for text without a CR finds it inside
  // one line or not at all.
  std::u16string text_;
};

}  // namespace quellbrook
