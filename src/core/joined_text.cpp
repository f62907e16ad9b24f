#include "core/joined_text.h"

#include "core/file_channel.h"

namespace quellbrook {

std::u16string ReadJoinedText(FileChannel& files, std::u16string_view path) {
  files.OpenForInput(path);
  std::u16string joined = files.ReadJoinedRest();
  files.CloseFile();
  return joined;
}

void WriteSavedText(FileChannel& files, std::u16string_view path, std::u16string_view text) {
  files.OpenForOutput(path);
  files.WriteLine(text);
  files.CloseFile();
}

}  // namespace quellbrook
