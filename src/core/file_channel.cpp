#include "core/file_channel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "core/ansi_text.h"
#include "core/failure.h"
#include "core/number_text.h"
#include "core/utf16.h"

namespace quellbrook {
namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

// Line breaks as the reader counts them: CR LF or a lone CR.
std::size_t CountLineBreaks(std::u16string_view text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\r'));
}

// The first CR at or after `from`, or npos. Four characters at a time: a word
// holds a CR exactly when one of its 16-bit lanes XOR CR is zero.
std::size_t FindCarriageReturn(std::u16string_view text, std::size_t from) {
  constexpr std::uint64_t kOnes = 0x0001000100010001u;
  constexpr std::uint64_t kHighBits = 0x8000800080008000u;
  constexpr std::uint64_t kCarriageReturns = kOnes * u'\r';
  std::size_t i = from;
  for (std::uint64_t word = 0; i + 4 <= text.size(); i += 4) {
    std::memcpy(&word, text.data() + i, sizeof word);
    const std::uint64_t lanes = word ^ kCarriageReturns;
    if (((lanes - kOnes) & ~lanes & kHighBits) != 0) break;
  }
  for (; i < text.size(); ++i) {
    if (text[i] == u'\r') return i;
  }
  return std::u16string_view::npos;
}

// True when every CR is followed by an LF and the text ends in CR LF: then
// the text is its own joined form.
bool IsJoined(std::u16string_view text) {
  if (!text.ends_with(kLineBreak)) return false;
  for (std::size_t cr = FindCarriageReturn(text, 0); cr != std::u16string_view::npos;
       cr = FindCarriageReturn(text, cr + 2)) {
    if (text[cr + 1] != u'\n') return false;
  }
  return true;
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

FileChannel::FileChannel(FileStore& store, const CodePage& codePage) : store_(store), codePage_(codePage) {}

FileChannel::~FileChannel() { Abandon(); }

bool FileChannel::IsOpen() const { return mode_ != Mode::kClosed; }

void FileChannel::RequireClosed() const {
  if (mode_ != Mode::kClosed) throw SystemError(error_number::kTooManyOpenFiles, path_);
}

void FileChannel::OpenForInput(std::u16string_view path) {
  RequireClosed();
  bytes_ = store_.ReadAll(path);
  decoded_ = false;
  input_.clear();
  position_ = 0;
  path_ = path;
  mode_ = Mode::kInput;
}

void FileChannel::Decode() {
  if (decoded_) return;
  input_ = DecodeLossless(codePage_, bytes_);
  bytes_.clear();
  bytes_.shrink_to_fit();
  decoded_ = true;
}

bool FileChannel::AtEnd() const {
  if (mode_ != Mode::kInput) throw SystemError(error_number::kInvalidHandle);
  // Bytes never decode to the empty text.
  return decoded_ ? position_ >= input_.size() : bytes_.empty();
}

std::u16string FileChannel::ReadLine() {
  if (AtEnd()) throw SystemError(error_number::kHandleEof, path_);
  Decode();
  const std::size_t carriageReturn = FindCarriageReturn(input_, position_);
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

std::u16string FileChannel::ReadJoinedRest() {
  if (AtEnd()) return {};
  Decode();
  const std::u16string_view rest = std::u16string_view(input_).substr(position_);
  std::u16string joined;
  if (IsJoined(rest)) {
    // Files saved by Windows programs are mostly in this form already.
    joined = position_ == 0 ? std::move(input_) : std::u16string(rest);
  } else {
    joined.reserve(rest.size() + rest.size() / 8 + kLineBreak.size());
    for (std::size_t at = 0; at < rest.size();) {
      const std::size_t carriageReturn = std::min(FindCarriageReturn(rest, at), rest.size());
      joined.append(rest.substr(at, carriageReturn - at)).append(kLineBreak);
      at = carriageReturn + 1;
      if (at < rest.size() && rest[at] == u'\n') ++at;
    }
  }
  input_.clear();
  position_ = 0;
  return joined;
}

AnsiBytes FileChannel::ReadRestAsBytes() {
  if (mode_ != Mode::kInput) throw SystemError(error_number::kInvalidHandle);
  // Decoding is lossless, so encoding what is left gives its bytes back.
  std::string rest = decoded_ ? EncodeLossless(codePage_, std::u16string_view(input_).substr(position_)).bytes
                              : std::move(bytes_);
  bytes_.clear();
  input_.clear();
  position_ = 0;
  decoded_ = true;
  return AnsiBytes{std::move(rest), codePage_};
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
  bytes_.clear();
  bytes_.shrink_to_fit();
  input_.clear();
  input_.shrink_to_fit();
  position_ = 0;
  mode_ = Mode::kClosed;
}

}  // namespace quellbrook
