// Both HOSTS searches, which scan bytes, against reading the file line by line
// through the channel and keeping the lines where FindText finds the text.
#include "core/ansi_text.h"
#include "core/file_channel.h"
#include "core/text_search.h"
#include "fuzz/fuzz_support.h"
#include "hosts/hosts_lines.h"

using namespace quellbrook;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const CodePage& gbk = fuzz::Gbk();
  // The search as typed (any character, CJK from the code page included) or as
  // a file's bytes decode.
  const std::u16string search = input.ConsumeBool() ? fuzz::SmallAlphabetText(input, 4)
                                                    : DecodeLossless(gbk, input.ConsumeRandomLengthString(6));
  MemoryFileStore store;
  store.Put("hosts", input.ConsumeRemainingBytesAsString());

  FileChannel files(store, gbk);
  files.OpenForInput(u"hosts");
  std::u16string last;
  std::u16string all;
  while (!files.AtEnd()) {
    const std::u16string line = files.ReadLine();
    if (FindText(line, search) == 0) continue;
    last = line + u"|";
    all.insert(0, last);
  }
  files.CloseFile();

  const HostsLines hosts = HostsLines::Read(files, u"hosts");
  fuzz::Check(!files.IsOpen(), "channel closed");
  fuzz::Check(hosts.LastMatch(search, u"|") == last, "LastMatch");
  fuzz::Check(hosts.MatchesLastFirst(search, u"|") == all, "MatchesLastFirst");
  return 0;
}
