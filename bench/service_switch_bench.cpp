// One tick of an XP service switch on a 1 000 000-line xp.bat, side by side
// with `sed -i` making the same replacement in the same kind of file. The
// switch runs through the main window's click, file channel and atomic save
// exactly as in the program; both sides alternate between the two directions
// so that every run really replaces the service's lines.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/form1.h"
#include "fakes/fake_services.h"
#include "fakes/fake_window.h"

namespace quellbrook {
namespace {

constexpr int kLines = 1'000'000;

// A script of `kLines` lines in code page 936 that cycles through comments in
// Chinese, the ten switched services in both modes, other services and echoes.
std::string MakeScript() {
  const char* const kPattern[] = {
      ":: \xd7\xd4\xb6\xaf\xb8\xfc\xd0\xc2\xa3\xba\xbc\xb0\xca\xb1\xb0\xb2\xd7\xb0\xb0\xb2\xc8\xab\xb2\xb9\xb6\xa1",
      "sc config wuauserv start= AUTO",
      "sc config ALG start= DISABLED",
      "sc config Spooler start= AUTO",
      "sc config Messenger start= DISABLED",
      "echo \xd5\xfd\xd4\xda\xc9\xe8\xd6\xc3 Windows XP \xba\xf3\xcc\xa8\xb7\xfe\xce\xf1",
      "sc config wuauserv start= DISABLED",
      "sc config Themes start= AUTO",
  };
  std::string script;
  script.reserve(static_cast<std::size_t>(kLines) * 34);
  for (int n = 0; n < kLines; ++n) {
    script += kPattern[n % std::size(kPattern)];
    script += "\r\n";
  }
  return script;
}

// A fresh folder holding xp.bat, made the current folder for the benchmark.
class ScriptFolder {
 public:
  ScriptFolder()
      : folder_(std::filesystem::temp_directory_path() / ("quellbrook-bench-" + std::to_string(::getpid()))),
        previous_(std::filesystem::current_path()) {
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    const std::string script = MakeScript();
    std::ofstream("xp.bat", std::ios::binary) << script;
    bytes_ = script.size();
  }
  ~ScriptFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }
  std::size_t Bytes() const { return bytes_; }

 private:
  std::filesystem::path folder_;
  std::filesystem::path previous_;
  std::size_t bytes_ = 0;
};

void Report(benchmark::State& state, const ScriptFolder& folder) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * folder.Bytes()));
  state.counters["lines"] = kLines;
}

// "关闭自动更新" and "打开自动更新" in turn, as clicks on the main window.
void BM_ToggleServiceSwitch(benchmark::State& state) {
  ScriptFolder folder;
  FakeServices platform;
  FakeWindow form(kForm1Window, platform.services());
  bool off = true;
  for (auto _ : state) {
    form.Click(off ? Check(12) : Check(11));
    off = !off;
  }
  if (!platform.boxes.failures.empty()) state.SkipWithError("a toggle failed");
  Report(state, folder);
}

// The same replacements by GNU sed, in the C locale (bytes, its fastest mode).
// `sed -i` too writes a new file and renames it over the old one, but leaves
// it to the system to put it on disk; with `sync` after it, the new file is on
// disk before the command returns, as the switch's is.
void SedReplace(benchmark::State& state, const std::string& afterwards) {
  ScriptFolder folder;
  const std::string toOff = "LC_ALL=C sed -i 's/wuauserv start= AUTO/wuauserv start= DISABLED/g' xp.bat" + afterwards;
  const std::string toOn = "LC_ALL=C sed -i 's/wuauserv start= DISABLED/wuauserv start= AUTO/g' xp.bat" + afterwards;
  bool off = true;
  for (auto _ : state) {
    if (std::system((off ? toOff : toOn).c_str()) != 0) state.SkipWithError("sed failed");
    off = !off;
  }
  Report(state, folder);
}

void BM_SedReplace(benchmark::State& state) { SedReplace(state, ""); }
void BM_SedReplaceAndSync(benchmark::State& state) { SedReplace(state, " && sync xp.bat"); }

// sed runs in a child process, so only wall-clock time compares.
void Setup(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1)->Repetitions(5)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_ToggleServiceSwitch)->Apply(Setup);
BENCHMARK(BM_SedReplace)->Apply(Setup);
BENCHMARK(BM_SedReplaceAndSync)->Apply(Setup);

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
