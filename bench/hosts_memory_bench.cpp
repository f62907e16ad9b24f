// Peak memory of the HOSTS window's operations on a 100 MB HOSTS file, next to
// the file's size, with each result checked. Prints figures; exits non-zero
// only when a result is wrong.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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

int Run(std::size_t megabytes) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("quellbrook-hosts-memory-" + std::to_string(::getpid()));
  const std::filesystem::path hosts = root / "system32/drivers/etc/hosts";
  std::filesystem::create_directories(hosts.parent_path());
  // Written a line at a time: the benchmark's own peak stays small.
  std::size_t fileBytes = 0;
  {
    std::ofstream out(hosts, std::ios::binary);
    for (std::size_t n = 0; fileBytes < (megabytes << 20); ++n) {
      const std::string line =
          n == 100 ? "0.0.0.0 needle.cn # \xb5\xda\xd2\xbb\r\n" : "0.0.0.0 host" + std::to_string(n) + ".example.com\r\n";
      out << line;
      fileBytes += line.size();
    }
    out << "0.0.0.0 last-needle.cn\r\n";
    fileBytes += 24;
  }
  const double fileMegabytes = static_cast<double>(fileBytes) / (1 << 20);
  std::printf("HOSTS file: %.1f MB; peak before any operation: %.1f MB\n", fileMegabytes, PeakMegabytes());

  // Each operation in a fresh process of its own, so that each peak is its own.
  auto measure = [&](const char* name, int first, int second, auto check) {
    std::fflush(stdout);
    const pid_t child = ::fork();
    if (child != 0) {
      int status = 0;
      ::waitpid(child, &status, 0);
      return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    FakeServices platform;
    platform.environment.variables[u"SystemRoot"] = root.u16string();
    FakeWindow form(kForm3Window, platform.services());
    platform.boxes.answers = {u"needle.cn", u"needle"};
    for (int command : {first, second}) {
      if (command != 0) form.Click(Command(command));
    }
    const double peak = PeakMegabytes();  // before the check copies the box
    const bool ok = check(form[Text(1)].Text()) && platform.boxes.failures.empty();
    std::printf("%-16s %s  peak %.1f MB (%.2f x the file)\n", name, ok ? "correct" : "WRONG  ", peak,
                peak / fileMegabytes);
    std::fflush(stdout);
    ::_exit(ok ? 0 : 1);
  };
  const std::u16string suffix(kFoundSuffix);
  bool correct = measure("refresh", 1, 0, [&](const std::u16string& box) {
    return box.size() == fileBytes - 2 && box.ends_with(u"last-needle.cn\r\n");  // 第一: four bytes, two characters
  });
  correct &= measure("find", 4, 0, [&](const std::u16string& box) { return box == u"0.0.0.0 last-needle.cn" + suffix; });
  correct &= measure("fuzzy find", 5, 0, [&](const std::u16string& box) {
    return box.starts_with(u"0.0.0.0 last-needle.cn" + suffix + u"\n0.0.0.0 needle.cn # 第一" + suffix + u"\n");
  });
  correct &= measure("refresh and save", 1, 3, [&](const std::u16string&) {
    std::ifstream in(hosts, std::ios::binary);
    in.seekg(-18, std::ios::end);
    std::string tail(18, '\0');
    in.read(tail.data(), 18);
    return std::filesystem::file_size(hosts) == fileBytes + 2 && tail == "last-needle.cn\r\n\r\n";
  });
  std::filesystem::remove_all(root);
  return correct ? 0 : 1;
}

}  // namespace
}  // namespace quellbrook

int main(int argc, char** argv) { return quellbrook::Run(argc > 1 ? std::stoul(argv[1]) : 100); }
