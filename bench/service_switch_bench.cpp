// One tick of an XP service switch on a 1 000 000-line xp.bat, side by side
// with `sed -i` making the same replacement in the same kind of file. The
// switch runs through the main window's click, file channel and atomic save
// exactly as in the program, on a file held in memory (sed's file sits in the
// page cache); both sides alternate between the two directions so that every
// run really replaces the service's lines.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/form1.h"
#include "generated_files.h"
#include "fakes/fake_services.h"
#include "fakes/fake_window.h"

namespace quellbrook {
namespace {

constexpr int kLines = 1'000'000;

// A fresh folder holding xp.bat, made the current folder for sed.
class ScriptFolder {
 public:
  ScriptFolder()
      : folder_(std::filesystem::temp_directory_path() / ("quellbrook-bench-" + std::to_string(::getpid()))),
        previous_(std::filesystem::current_path()) {
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    std::ofstream("xp.bat", std::ios::binary) << bench::MakeXpScript(kLines);
  }
  ~ScriptFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

 private:
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

void Report(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["lines"] = kLines;
}

// "关闭自动更新" and "打开自动更新" in turn, as clicks on the main window.
void BM_ToggleServiceSwitch(benchmark::State& state) {
  FakeServices platform;
  platform.store.Put("xp.bat", bench::MakeXpScript(kLines));
  const std::size_t bytes = platform.store.Bytes("xp.bat")->size();
  FakeWindow form(kForm1Window, platform.services());
  bool off = true;
  for (auto _ : state) {
    form.Click(off ? Check(12) : Check(11));
    off = !off;
  }
  if (!platform.boxes.failures.empty()) state.SkipWithError("a toggle failed");
  Report(state, bytes);
}

// The same replacements by GNU sed, in the C locale (bytes, its fastest mode).
// `sed -i` too writes a new file and renames it over the old one.
void BM_SedReplace(benchmark::State& state) {
  ScriptFolder folder;
  const std::size_t bytes = std::filesystem::file_size("xp.bat");
  const std::string toOff = "LC_ALL=C sed -i 's/wuauserv start= AUTO/wuauserv start= DISABLED/g' xp.bat";
  const std::string toOn = "LC_ALL=C sed -i 's/wuauserv start= DISABLED/wuauserv start= AUTO/g' xp.bat";
  bool off = true;
  for (auto _ : state) {
    if (std::system((off ? toOff : toOn).c_str()) != 0) state.SkipWithError("sed failed");
    off = !off;
  }
  Report(state, bytes);
}

// sed runs in a child process, so only wall-clock time compares.
void Setup(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1)->Repetitions(5)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_ToggleServiceSwitch)->Apply(Setup);
BENCHMARK(BM_SedReplace)->Apply(Setup);

}  // namespace
}  // namespace quellbrook

int main(int argc, char** argv) {
  // The runs share the machine with whatever else runs on it: interleaving
  // their repetitions spreads that load over all of them alike.
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
