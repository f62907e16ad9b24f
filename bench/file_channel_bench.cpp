// Throughput of loading and saving a script through the file channel: a clean
// code page 936 file takes the whole-file conversion, a file with stray bytes
// the character-by-character one. The file is in memory: the figures are the
// channel's and the conversion's, without the disk.

#include <benchmark/benchmark.h>

#include <string>

#include "core/file_channel.h"
#include "fakes/iconv_code_page.h"
#include "fakes/memory_file_store.h"

namespace quellbrook {
namespace {

// About `bytes` of batch lines in code page 936; with `strayEvery` > 0, one
// invalid byte after every that many lines.
std::string MakeScript(std::size_t bytes, int strayEvery) {
  const std::string line = "sc config wuauserv start= DISABLED & rem \xb9\xd8\xb1\xd5\xd7\xd4\xb6\xaf\xb8\xfc\xd0\xc2\r\n";
  std::string script;
  for (int n = 1; script.size() < bytes; ++n) {
    script += line;
    if (strayEvery > 0 && n % strayEvery == 0) script += '\xff';
  }
  return script;
}

void Load(benchmark::State& state, int strayEvery) {
  const std::string bytes = MakeScript(static_cast<std::size_t>(state.range(0)), strayEvery);
  MemoryFileStore store;
  store.Put("x.bat", bytes);
  IconvCodePage codePage("CP936", 2);
  FileChannel files(store, codePage);
  for (auto _ : state) benchmark::DoNotOptimize(ReadJoinedText(files, u"x.bat"));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_LoadCleanScript(benchmark::State& state) { Load(state, 0); }
void BM_LoadScriptWithStrayBytes(benchmark::State& state) { Load(state, 10); }

void BM_SaveScript(benchmark::State& state) {
  const std::string bytes = MakeScript(static_cast<std::size_t>(state.range(0)), 0);
  MemoryFileStore store;
  store.Put("x.bat", bytes);
  IconvCodePage codePage("CP936", 2);
  FileChannel files(store, codePage);
  const std::u16string text = ReadJoinedText(files, u"x.bat");
  for (auto _ : state) WriteSavedText(files, u"x.bat", text);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_LoadCleanScript)->Arg(4 << 10)->Arg(1 << 20);
BENCHMARK(BM_LoadScriptWithStrayBytes)->Arg(4 << 10)->Arg(1 << 20);
BENCHMARK(BM_SaveScript)->Arg(4 << 10)->Arg(1 << 20);

}  // namespace
}  // namespace quellbrook

BENCHMARK_MAIN();
