#include "hosts/hosts_lines.h"

#include "core/file_channel.h"
#include "core/text_search.h"

namespace quellbrook {

HostsLines HostsLines::Read(FileChannel& files, std::u16string_view path) {
  HostsLines hosts;
  files.OpenForInput(path);
  while (!files.AtEnd()) hosts.lines_.push_back(files.ReadLine());
  files.CloseFile();
  return hosts;
}

std::u16string HostsLines::LastMatch(std::u16string_view search, std::u16string_view suffix) const {
  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
    if (FindText(*line, search) != 0) return *line + std::u16string(suffix);
  }
  return {};
}

std::u16string HostsLines::MatchesLastFirst(std::u16string_view search, std::u16string_view suffix) const {
  std::u16string matches;
  for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
    if (FindText(*line, search) != 0) matches.append(*line).append(suffix);
  }
  return matches;
}

}  // namespace quellbrook
