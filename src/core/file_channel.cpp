#include "core/file_channel.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/ansi_text.h"
#include "core/failure.h"
#include "core/number_text.h"
#include "core/utf16.h"

namespace quellbrook {
namespace {

// Line breaks as the reader counts them: CR LF or a lone CR.
std::size_t CountLineBreaks(std::u16string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\r'));
}

// Characters that show nothing of their own, or that would garble the report
// around them: controls, spaces, joiners, marks that attach to the quote before
// them, bidirectional overrides that reverse the rest of the line, lone
// surrogates, variation selectors, tags.
bool ShowsAsItself(char32_t c) {
  static constexpr std::pair<char32_t, char32_t> kInvisible[] = {
      {0x0000, 0x0020}, {0x007F, 0x00A0}, {0x00AD, 0x00AD}, {0x0300, 0x036F}, {0x061C, 0x061C},
      {0x115F, 0x1160}, {0x1680, 0x1680}, {0x180E, 0x180E}, {0x2000, 0x200F}, {0x2028, 0x202F},
      {0x205F, 0x206F}, {0x3164, 0x3164}, {0xD800, 0xDFFF}, {0xFE00, 0xFE0F}, {0xFEFF, 0xFEFF},
      {0xFFF0, 0xFFFF}, {0xE0000, 0xE0FFF},
  };
  for (const auto& [first, last] : kInvisible) {
    if (c >= first && c <= last) return false;
  }
  return true;
}

PlatformError UnrepresentableCharacter(std::u16string_view text, std::size_t at, std::size_t line,
                                       std::u16string_view path) {
  std::u16string character(1, text[at]);
  char32_t codePoint = text[at];
  if (StartsSurrogatePair(text, at)) {
    character += text[at + 1];
    codePoint = PairedCodePoint(text[at], text[at + 1]);
  }
  const std::u16string which = ShowsAsItself(codePoint) ? u"字符“" + character + u"”" : u"不可见字符";
  return SystemError(error_number::kNoUnicodeTranslation,
                     u"第 " + DecimalText(line) + u" 行的" + which + u"（U+" + HexText(codePoint, 4) +
                         u"）无法用当前代码页保存，文件未作改动：" + std::u16string(path));
}

}  // namespace

void FileChannel::OpenForInput(std::u16string_view path) {
  Discard();
  // A save that was killed inside its swap may have left the old content
  // under a backup name: it is put back before the file is read.
  store_.RecoverInterruptedSave(path);
  input_ = DecodeLossless(codePage_, store_.ReadAll(path));
  path_ = path;
  mode_ = Mode::kInput;
}

bool FileChannel::AtEnd() const {
  if (mode_ != Mode::kInput) throw SystemError(error_number::kInvalidHandle);
  return position_ >= input_.size();
}

std::u16string FileChannel::ReadLine() {
  if (AtEnd()) throw SystemError(error_number::kHandleEof, path_);
  const std::size_t carriageReturn = std::min(input_.find(u'\r', position_), input_.size());
  std::u16string line = input_.substr(position_, carriageReturn - position_);
  position_ = carriageReturn + 1;
  if (position_ < input_.size() && input_[position_] == u'\n') ++position_;
  return line;
}

void FileChannel::OpenForOutput(std::u16string_view path) {
  Discard();
  path_ = path;
  mode_ = Mode::kOutput;
}

void FileChannel::WriteLine(std::u16string_view text) {
  if (mode_ != Mode::kOutput) throw SystemError(error_number::kInvalidHandle);
  EncodedText encoded = EncodeLossless(codePage_, text);
  if (encoded.unrepresentableAt) {
    const std::size_t at = *encoded.unrepresentableAt;
    const PlatformError failure =
        UnrepresentableCharacter(text, at, linesWritten_ + CountLineBreaks(text.substr(0, at)) + 1, path_);
    Discard();
    throw failure;
  }
  // The line break is ASCII, the same bytes in every ANSI code page. A save
  // writes one line, the whole text: its bytes are taken over, not copied.
  if (output_.empty()) output_.swap(encoded.bytes); else output_.append(encoded.bytes);
  output_.append("\r\n");
  linesWritten_ += CountLineBreaks(text) + 1;
}

void FileChannel::CloseFile() {
  const bool written = mode_ == Mode::kOutput;
  const std::u16string path = path_;
  const std::string bytes = std::move(output_);
  Discard();
  if (!written) return;
  // A save killed inside its swap is put right first, so that the new content
  // takes the place, attributes included, of the file the user had.
  store_.RecoverInterruptedSave(path);
  SaveWaitingForHolders(store_, path, bytes);
}

void FileChannel::Discard() noexcept {
  mode_ = Mode::kClosed;
  input_.clear();
  input_.shrink_to_fit();
  position_ = 0;
  output_.clear();
  output_.shrink_to_fit();
  linesWritten_ = 0;
}

std::u16string ReadJoinedText(FileChannel& files, std::u16string_view path) {
  files.OpenForInput(path);
  std::u16string joined;
  while (!files.AtEnd()) joined.append(files.ReadLine()).append(u"\r\n");
  files.CloseFile();
  return joined;
}

void WriteSavedText(FileChannel& files, std::u16string_view path, std::u16string_view text) {
  files.OpenForOutput(path);
  files.WriteLine(text);
  files.CloseFile();
}

}  // namespace quellbrook
