#include "core/joined_text.h"

#include "core/file_channel.h"
#include "core/file_channel_scope.h"

namespace quellbrook {

std::u16string ReadJoinedText(FileChannel& files, std::u16string_view path) {
  const FileChannelScope scope(files);
  files.OpenForInput(path);
  std::u16string joined = files.ReadJoinedRest();
  files.CloseFile();
  return joined;
}

void WriteSavedText(FileChannel& files, std::u16string_view path, std::u16string_view text) {
  const FileChannelScope scope(files);
  files.OpenForOutput(path);
  files.WriteLine(text);
  files.CloseFile();
}

}  // namespace quellbrook
