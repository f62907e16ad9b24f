#pragma once
// The single file channel every action uses: one file at a time, opened, read
// or written whole, and closed within one event.
//
// Lines end at CR LF or at a lone CR; an LF that does not follow a CR belongs to
// its line. Text is converted in the system's ANSI code page without loss.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/code_page.h"
#include "core/file_store.h"

namespace quellbrook {

// A file's bytes in the system's ANSI code page, with the code page that reads them.
struct AnsiBytes {
  std::string bytes;
  const CodePage& codePage;
};

class FileChannel {
 public:
  FileChannel(FileStore& store, const CodePage& codePage);
  ~FileChannel();
  FileChannel(const FileChannel&) = delete;
  FileChannel& operator=(const FileChannel&) = delete;

  void OpenForInput(std::u16string_view path);
  // True when no character is left to read.
  bool AtEnd() const;
  // The next line without its terminator.
  std::u16string ReadLine();
  // Every line that is left, each followed by CR LF, as a loop of ReadLine
  // would join them, in one pass and without a copy per line; nothing is left
  // to read afterwards.
  std::u16string ReadJoinedRest();
  // The rest of the file as its bytes, for a caller that scans them and decodes
  // only what it keeps (see ansi_text.h); nothing is left to read afterwards.
  AnsiBytes ReadRestAsBytes();

  // Creates the file, or empties it if it exists, as far as anyone can tell:
  // the old content stays on disk until CloseFile puts the new one in place.
  void OpenForOutput(std::u16string_view path);
  // Writes the text unchanged, line breaks included, then CR LF. A failed
  // write closes the channel; the file keeps its old content.
  void WriteLine(std::u16string_view text);

  // Finishes the open file; closing with nothing open does nothing.
  void CloseFile();
  // Drops whatever is open after a failure; a file being written keeps its old
  // content.
  void Abandon() noexcept;

  bool IsOpen() const;

 private:
  enum class Mode { kClosed, kInput, kOutput };
  void RequireClosed() const;
  // Decodes the file on first use: a caller that wants the bytes never pays for it.
  void Decode();

  FileStore& store_;
  const CodePage& codePage_;
  Mode mode_ = Mode::kClosed;
  std::u16string path_;
  std::string bytes_;
  bool decoded_ = false;
  std::u16string input_;
  std::size_t position_ = 0;
  std::unique_ptr<FileReplacement> output_;
  std::size_t linesWritten_ = 0;
};

}  // namespace quellbrook
