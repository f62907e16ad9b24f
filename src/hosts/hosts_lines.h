#pragma once
// The HOSTS file as the two searches scan it. It is read whole through the
// file channel and closed again before the user is asked for the search text,
// so that no other program finds the file locked while the input box waits.
//
// The scan runs over the file's bytes, with the line rules of the channel: a
// line ends at CR LF or at a lone CR. Only the lines where the search text's
// bytes occur are decoded, and FindText on the decoded line has the last word.

#include <string>
#include <string_view>

#include "core/code_page.h"

namespace quellbrook {

class FileChannel;

class HostsLines {
 public:
  // Opens the file, reads it whole and closes it.
  static HostsLines Read(FileChannel& files, std::u16string_view path);
  HostsLines(std::string bytes, const CodePage& codePage) : bytes_(std::move(bytes)), codePage_(codePage) {}

  // The last line that contains `search` by FindText's rule, followed by
  // `suffix`; the empty text when no line does.
  std::u16string LastMatch(std::u16string_view search, std::u16string_view suffix) const;
  // Every line that contains `search`, last first, each followed by `suffix`;
  // the empty text when no line does.
  std::u16string MatchesLastFirst(std::u16string_view search, std::u16string_view suffix) const;

 private:
  std::u16string Matches(std::u16string_view search, std::u16string_view suffix, bool all) const;

  std::string bytes_;
  const CodePage& codePage_;
};

}  // namespace quellbrook
