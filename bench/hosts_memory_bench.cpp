// Peak memory of the HOSTS window's operations on a 100 MB HOSTS file, next to
// the file's size, with each result checked. Prints figures; exits non-zero
// only when a result is wrong.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "fakes/fake_services.h"
#include "fakes/fake_window.h"
#include "hosts/form3.h"

namespace quellbrook {
namespace {

double PeakMegabytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// The HOSTS file a line at a time: entries up to `megabytes`, one of them with
// a Chinese comment, and a last line to find.
template <typename Take>
void ForEachLine(std::size_t megabytes, Take take) {
  std::size_t bytes = 0;
  for (std::size_t n = 0; bytes < (megabytes << 20); ++n) {
    const std::string line =
        n == 100 ? "0.0.0.0 needle.cn # \xb5\xda\xd2\xbb\r\n" : "0.0.0.0 host" + std::to_string(n) + ".example.com\r\n";
    take(line);
    bytes += line.size();
  }
  take("0.0.0.0 last-needle.cn\r\n");
}

int Run(std::size_t megabytes) {
  constexpr char kHosts[] = "WINDOWS/system32/drivers/etc/hosts";
  std::size_t fileBytes = 0;
  ForEachLine(megabytes, [&](std::string_view line) { fileBytes += line.size(); });
  const double fileMegabytes = static_cast<double>(fileBytes) / (1 << 20);
  std::printf("HOSTS file: %.1f MB; peak before any operation: %.1f MB\n", fileMegabytes, PeakMegabytes());

  // Each operation in a fresh process of its own, so that each peak is its own.
  // The file is held in memory: the store's copies (the file, and during a
  // save its replacement as well) are counted out, as a disk would hold them;
  // the growth of the replacement's buffer while it is written stays in.
  auto measure = [&](const char* name, int first, int second, int storeCopies, auto check) {
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child != 0) {
      int status = 0;
      ::waitpid(child, &status, 0);
      return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    FakeServices platform;
    std::string contents;
    contents.reserve(fileBytes);
    ForEachLine(megabytes, [&](std::string_view line) { contents += line; });
    platform.store.Put(kHosts, std::move(contents));
    platform.environment.variables[u"SystemRoot"] = u"WINDOWS";
    FakeWindow form(kForm3Window, platform.services());
    platform.boxes.answers = {u"needle.cn", u"needle"};
    for (int command : {first, second}) {
      if (command != 0) form.Click(Command(command));
    }
    const double peak = PeakMegabytes() - storeCopies * fileMegabytes;  // before the check copies the box
    const bool ok = check(form[Text(1)].Text(), *platform.store.Bytes(kHosts)) && platform.boxes.failures.empty();
    std::printf("%-16s %s  peak %.1f MB (%.2f x the file)\n", name, ok ? "correct" : "WRONG  ", peak,
                peak / fileMegabytes);
    std::fflush(stdout);
    ::_exit(ok ? 0 : 1);
  };
  const std::u16string suffix(kFoundSuffix);
  bool correct = measure("refresh", 1, 0, 1, [&](const std::u16string& box, const std::string&) {
    return box.size() == fileBytes - 2 && box.ends_with(u"last-needle.cn\r\n");  // 第一: four bytes, two characters
  });
  correct &= measure("find", 4, 0, 1, [&](const std::u16string& box, const std::string&) {
    return box == u"0.0.0.0 last-needle.cn" + suffix;
  });
  correct &= measure("fuzzy find", 5, 0, 1, [&](const std::u16string& box, const std::string&) {
    return box.starts_with(u"0.0.0.0 last-needle.cn" + suffix + u"\n0.0.0.0 needle.cn # 第一" + suffix + u"\n");
  });
  correct &= measure("refresh and save", 1, 3, 2, [&](const std::u16string&, const std::string& file) {
    return file.size() == fileBytes + 2 && file.ends_with("last-needle.cn\r\n\r\n");
  });
  return correct ? 0 : 1;
}

}  // namespace
}  // namespace quellbrook

int main(int argc, char** argv) { return quellbrook::Run(argc > 1 ? std::stoul(argv[1]) : 100); }
