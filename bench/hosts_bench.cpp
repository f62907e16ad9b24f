// The HOSTS window's operations on blocklist-sized HOSTS files, each next to
// the command-line tool that does the same work: refresh next to iconv from
// GBK to UTF-16LE, find next to grep -F, fuzzy find with every line matching
// next to tac. Every figure is wall time; the tools write to a file. The
// window's HOSTS file is held in memory, the tools' sits in the page cache.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/fake_services.h"
#include "generated_files.h"
#include "fakes/fake_window.h"
#include "hosts/form3.h"

extern char** environ;

namespace quellbrook {
namespace {

// The one line that find looks for, early in the file so that every search
// scans nearly all of it.
constexpr std::string_view kNeedle = "ad-tracker-for-bench.cn";
constexpr std::u16string_view kNeedleText = u"ad-tracker-for-bench.cn";

// A SystemRoot folder holding system32\drivers\etc\hosts, one per size, made
// once for the whole run.
class HostsFolder {
 public:
  explicit HostsFolder(std::size_t lines)
      : root_(std::filesystem::temp_directory_path() /
              ("quellbrook-hosts-bench-" + std::to_string(::getpid()) + "-" + std::to_string(lines))),
        bytes_(bench::MakeHostsFile(lines, kNeedle)) {
    std::filesystem::create_directories(root_ / "system32" / "drivers" / "etc");
    std::ofstream(File(), std::ios::binary) << bytes_;
  }
  ~HostsFolder() { std::filesystem::remove_all(root_); }

  static HostsFolder& Of(std::size_t lines) {
    static std::map<std::size_t, std::unique_ptr<HostsFolder>> folders;
    auto& folder = folders[lines];
    if (!folder) folder = std::make_unique<HostsFolder>(lines);
    return *folder;
  }

  const std::string& Contents() const { return bytes_; }
  std::filesystem::path File() const { return root_ / "system32" / "drivers" / "etc" / "hosts"; }
  std::filesystem::path Output() const { return root_ / "tool-output"; }
  std::size_t Bytes() const { return bytes_.size(); }

 private:
  std::filesystem::path root_;
  std::string bytes_;
};

// Runs a command with its standard output in `output` and waits for it.
void RunTool(const std::vector<std::string>& command, const std::filesystem::path& output) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> argv;
  for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::runtime_error("cannot start " + command[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  // grep exits with 1 when nothing matched, which is no failure here.
  if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) throw std::runtime_error(command[0] + " failed");
}

class HostsWindow {
 public:
  explicit HostsWindow(const HostsFolder& folder) {
    platform_.environment.variables[u"SystemRoot"] = u"WINDOWS";
    platform_.store.Put("WINDOWS/system32/drivers/etc/hosts", folder.Contents());
  }
  FakeWidget& Box() { return form_[Text(1)]; }
  void Click(ControlId button, std::u16string_view answer = {}) {
    if (button == Command(4) || button == Command(5)) platform_.boxes.answers.emplace_back(answer);
    form_.Click(button);
    if (!platform_.boxes.failures.empty()) throw std::runtime_error("the operation failed");
  }

 private:
  FakeServices platform_;
  FakeWindow form_{kForm3Window, platform_.services()};
};

void Report(benchmark::State& state, const HostsFolder& folder) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * folder.Bytes()));
}

void BM_Refresh(benchmark::State& state) {
  HostsFolder& folder = HostsFolder::Of(static_cast<std::size_t>(state.range(0)));
  HostsWindow window(folder);
  for (auto _ : state) window.Click(Command(1));
  Report(state, folder);
}

void BM_IconvGbkToUtf16(benchmark::State& state) {
  HostsFolder& folder = HostsFolder::Of(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) RunTool({"iconv", "-f", "GBK", "-t", "UTF-16LE", folder.File().string()}, folder.Output());
  Report(state, folder);
}

void BM_Find(benchmark::State& state) {
  HostsFolder& folder = HostsFolder::Of(static_cast<std::size_t>(state.range(0)));
  HostsWindow window(folder);
  for (auto _ : state) window.Click(Command(4), kNeedleText);
  if (window.Box().Text() != u"0.0.0.0 " + std::u16string(kNeedleText) + std::u16string(kFoundSuffix)) {
    state.SkipWithError("find did not find the line");
  }
  Report(state, folder);
}

void BM_GrepF(benchmark::State& state) {
  HostsFolder& folder = HostsFolder::Of(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    RunTool({"env", "LC_ALL=C", "grep", "-F", std::string(kNeedle), folder.File().string()}, folder.Output());
  }
  Report(state, folder);
}

// Every line holds the sink address. The box starts empty each time, so the
// result is the file's lines in reverse order, as tac writes them.
void BM_FuzzyFindEveryLine(benchmark::State& state) {
  HostsFolder& folder = HostsFolder::Of(static_cast<std::size_t>(state.range(0)));
  HostsWindow window(folder);
  for (auto _ : state) {
    state.PauseTiming();
    window.Box().SetText(u"");
    state.ResumeTiming();
    window.Click(Command(5), u"0.0.0.0");
  }
  Report(state, folder);
}

void BM_Tac(benchmark::State& state) {
  HostsFolder& folder = HostsFolder::Of(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) RunTool({"tac", folder.File().string()}, folder.Output());
  Report(state, folder);
}

void BM_SaveAfterRefresh(benchmark::State& state) {
  HostsFolder& folder = HostsFolder::Of(static_cast<std::size_t>(state.range(0)));
  HostsWindow window(folder);
  window.Click(Command(1));
  for (auto _ : state) {
    state.PauseTiming();
    window.Click(Command(1));  // each save adds an empty line; start from the same text
    state.ResumeTiming();
    window.Click(Command(3));
  }
  Report(state, folder);
}

// Five runs of each, reported as mean, median and minimum: other programs on
// the machine only ever add time, so the minimum is the figure to compare.
void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(150000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark->Repetitions(5)->ReportAggregatesOnly(true);
  benchmark->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

BENCHMARK(BM_Refresh)->Apply(Sizes);
BENCHMARK(BM_IconvGbkToUtf16)->Apply(Sizes);
BENCHMARK(BM_Find)->Apply(Sizes);
BENCHMARK(BM_GrepF)->Apply(Sizes);
BENCHMARK(BM_FuzzyFindEveryLine)->Apply(Sizes);
BENCHMARK(BM_Tac)->Apply(Sizes);
BENCHMARK(BM_SaveAfterRefresh)->Apply(Sizes);

}  // namespace
}  // namespace quellbrook

BENCHMARK_MAIN();
