#pragma once
// The single file channel every action uses: one file at a time, opened, read
// or written whole, and closed within one event.
//
// Lines end at CR LF or at a lone CR; an LF that does not follow a CR belongs to
// its line. Text is converted in the system's ANSI code page without loss.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/code_page.h"
#include "core/file_store.h"

namespace quellbrook {

class FileChannel {
 public:
  FileChannel(FileStore& store, const CodePage& codePage) : store_(store), codePage_(codePage) {}
  FileChannel(const FileChannel&) = delete;
  FileChannel& operator=(const FileChannel&) = delete;

  // Opening drops whatever the channel held before.
  void OpenForInput(std::u16string_view path);
  // True when no character is left to read.
  bool AtEnd() const;
  // The next line without its terminator.
  std::u16string ReadLine();

  // Creates the file, or empties it if it exists, as far as anyone can tell:
  // the old content stays on disk until CloseFile puts the new one in place.
  void OpenForOutput(std::u16string_view path);
  // Writes the text unchanged, line breaks included, then CR LF. A write that
  // fails drops the unfinished file; the old one keeps its content.
  void WriteLine(std::u16string_view text);

  // Finishes the open file: a written one takes the old file's place. Closing
  // with nothing open does nothing.
  void CloseFile();
  // Drops whatever is open, after a failure; a file being written keeps its
  // old content.
  void Discard() noexcept;

  bool IsOpen() const { return mode_ != Mode::kClosed; }

 private:
  enum class Mode { kClosed, kInput, kOutput };

  FileStore& store_;
  const CodePage& codePage_;
  Mode mode_ = Mode::kClosed;
  std::u16string path_;
  std::u16string input_;
  std::size_t position_ = 0;
  std::string output_;
  std::size_t linesWritten_ = 0;
};

// How a text file travels between disk and a text box: loaded as the joined
// text (every line followed by CR LF) and saved as the box's text followed by
// one CR LF.
std::u16string ReadJoinedText(FileChannel& files, std::u16string_view path);
void WriteSavedText(FileChannel& files, std::u16string_view path, std::u16string_view text);

}  // namespace quellbrook
