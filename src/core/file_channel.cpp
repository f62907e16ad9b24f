#include "core/file_channel.h"

#include <algorithm>
#include <string>

#include "core/ansi_text.h"
#include "core/failure.h"
#include "core/number_text.h"

namespace quellbrook {
namespace {

// Line breaks as the reader counts them: CR LF or a lone CR.
std::size_t CountLineBreaks(std::u16string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\r'));
}

PlatformError UnrepresentableCharacter(std::u16string_view text, std::size_t at, std::size_t line,
                                       std::u16string_view path) {
  std::u16string character(1, text[at]);
  char32_t codePoint = text[at];
  const bool pair = codePoint >= 0xD800 && codePoint <= 0xDBFF && at + 1 < text.size() &&
                    text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF;
  if (pair) {
    character += text[at + 1];
    codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[at + 1] - 0xDC00);
  }
  return SystemError(error_number::kNoUnicodeTranslation,
                     u"第 " + DecimalText(line) + u" 行的字符“" + character + u"”（U+" +
                         HexText(codePoint, 4) + u"）无法用当前代码页保存，文件未作改动：" +
                         std::u16string(path));
}

}  // namespace

FileChannel::FileChannel(FileStore& store, const CodePage& codePage) : store_(store), codePage_(codePage) {}

FileChannel::~FileChannel() { Abandon(); }

bool FileChannel::IsOpen() const { return mode_ != Mode::kClosed; }

void FileChannel::RequireClosed() const {
  if (mode_ != Mode::kClosed) throw SystemError(error_number::kTooManyOpenFiles, path_);
}

void FileChannel::OpenForInput(std::u16string_view path) {
  RequireClosed();
  std::u16string text = DecodeLossless(codePage_, store_.ReadAll(path));
  input_ = std::move(text);
  position_ = 0;
  path_ = path;
  mode_ = Mode::kInput;
}

bool FileChannel::AtEnd() const {
  if (mode_ != Mode::kInput) throw SystemError(error_number::kInvalidHandle);
  return position_ >= input_.size();
}

std::u16string FileChannel::ReadLine() {
  if (AtEnd()) throw SystemError(error_number::kHandleEof, path_);
  const std::size_t carriageReturn = input_.find(u'\r', position_);
  if (carriageReturn == std::u16string::npos) {
    std::u16string line = input_.substr(position_);
    position_ = input_.size();
    return line;
  }
  std::u16string line = input_.substr(position_, carriageReturn - position_);
  position_ = carriageReturn + 1;
  if (position_ < input_.size() && input_[position_] == u'\n') ++position_;
  return line;
}

void FileChannel::OpenForOutput(std::u16string_view path) {
  RequireClosed();
  output_ = store_.BeginReplace(path);
  linesWritten_ = 0;
  path_ = path;
  mode_ = Mode::kOutput;
}

void FileChannel::WriteLine(std::u16string_view text) {
  if (mode_ != Mode::kOutput) throw SystemError(error_number::kInvalidHandle);
  // The text goes out a slice at a time, so a failure can come part way
  // through: the unfinished replacement is then dropped at once, and the old
  // file stays as it was. The line break is ASCII, the same bytes in every
  // ANSI code page.
  try {
    const std::optional<std::size_t> unrepresentable =
        EncodeLosslessInSlices(codePage_, text, [this](std::string_view bytes) { output_->Append(bytes); });
    if (unrepresentable) {
      const std::size_t at = *unrepresentable;
      const std::size_t lineNumber = linesWritten_ + CountLineBreaks(text.substr(0, at)) + 1;
      throw UnrepresentableCharacter(text, at, lineNumber, path_);
    }
    output_->Append("\r\n");
  } catch (...) {
    Abandon();
    throw;
  }
  linesWritten_ += CountLineBreaks(text) + 1;
}

void FileChannel::CloseFile() {
  std::unique_ptr<FileReplacement> output = std::move(output_);
  const bool commit = mode_ == Mode::kOutput;
  Abandon();
  if (commit) output->Commit();
}

void FileChannel::Abandon() noexcept {
  output_.reset();
  input_.clear();
  input_.shrink_to_fit();
  position_ = 0;
  mode_ = Mode::kClosed;
}

}  // namespace quellbrook
