// Any bytes through the file channel in code page 936: the lossless codec
// gives them back exactly, ReadLine splits them at CR LF or a lone CR, and
// writing the lines back gives the file with every line break made CR LF and
// a final one added.
#include "core/ansi_text.h"
#include "core/file_channel.h"
#include "fuzz/fuzz_support.h"

using namespace quellbrook;

namespace {

// The line rules on the bytes themselves: no ANSI code page uses a CR or LF
// byte inside a character.
std::string WithCrLfLineBreaks(std::string_view bytes) {
  std::string result;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t cr = std::min(bytes.find('\r', at), bytes.size());
    result.append(bytes.substr(at, cr - at)).append("\r\n");
    at = cr + 1;
    if (at < bytes.size() && bytes[at] == '\n') ++at;
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const CodePage& gbk = fuzz::Gbk();
  const std::u16string text = DecodeLossless(gbk, bytes);
  const EncodedText encoded = EncodeLossless(gbk, text);
  fuzz::Check(!encoded.unrepresentableAt && encoded.bytes == bytes, "DecodeLossless/EncodeLossless");

  MemoryFileStore store;
  store.Put("in", bytes);
  FileChannel files(store, gbk);
  files.OpenForInput(u"in");
  std::vector<std::u16string> lines;
  while (!files.AtEnd()) lines.push_back(files.ReadLine());
  files.CloseFile();

  files.OpenForOutput(u"out");
  for (const std::u16string& line : lines) files.WriteLine(line);
  files.CloseFile();
  fuzz::Check(store.Bytes("out") == WithCrLfLineBreaks(bytes), "lines written back");
  fuzz::Check(!files.IsOpen(), "channel closed");
  return 0;
}
