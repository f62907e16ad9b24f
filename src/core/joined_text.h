#pragma once
// How a text file travels between disk and a text box: loaded as the joined
// text (every line followed by CR LF) and saved as the box's text followed by
// one CR LF.

#include <string>
#include <string_view>

namespace quellbrook {

class FileChannel;

std::u16string ReadJoinedText(FileChannel& files, std::u16string_view path);
void WriteSavedText(FileChannel& files, std::u16string_view path, std::u16string_view text);

}  // namespace quellbrook
