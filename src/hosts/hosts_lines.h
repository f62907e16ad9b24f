#pragma once
// The HOSTS file as the two searches scan it. It is read whole through the
// file channel and closed again before the user is asked for the search text,
// so that no other program finds the file locked while the input box waits.

#include <string>
#include <string_view>
#include <vector>

namespace quellbrook {

class FileChannel;

class HostsLines {
 public:
  // Opens the file, reads its lines and closes it.
  static HostsLines Read(FileChannel& files, std::u16string_view path);

  // The last line that contains `search` by FindText's rule, followed by
  // `suffix`; the empty text when no line does.
  std::u16string LastMatch(std::u16string_view search, std::u16string_view suffix) const;
  // Every line that contains `search`, last first, each followed by `suffix`;
  // the empty text when no line does.
  std::u16string MatchesLastFirst(std::u16string_view search, std::u16string_view suffix) const;

 private:
  std::vector<std::u16string> lines_;
};

}  // namespace quellbrook
