#pragma once
// The large files the benchmarks work on, the same bytes on every run:
// HOSTS files of generated entries and xp.bat scripts of a million lines.

#include <cstddef>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

namespace quellbrook::bench {

// `lines` entries "0.0.0.0 <name>" of random host names, every thousandth with
// a Chinese comment in code page 936 ("# 第N段"), CR LF after each; `needle`,
// if given, is the name of the 100th.
inline std::string MakeHostsFile(std::size_t lines, std::string_view needle = {}) {
  std::mt19937 random(20091230);
  const std::string_view tlds[] = {"com", "cn", "net", "org", "info"};
  std::uniform_int_distribution<int> letter(0, 35), length(6, 18), tld(0, 4);
  std::string text;
  text.reserve(lines * 30);
  for (std::size_t n = 1; n <= lines; ++n) {
    text += "0.0.0.0 ";
    if (n == 100 && !needle.empty()) {
      text += needle;
    } else {
      for (int i = length(random); i > 0; --i) text += "abcdefghijklmnopqrstuvwxyz0123456789"[letter(random)];
      text += '.';
      text += tlds[tld(random)];
    }
    if (n % 1000 == 0) text += " # \xb5\xda" + std::to_string(n / 1000) + "\xb6\xce";
    text += "\r\n";
  }
  return text;
}

// A script of `lines` lines in code page 936 that cycles through comments in
// Chinese, the switched services in both modes, other services and echoes.
inline std::string MakeXpScript(std::size_t lines) {
  const std::string_view pattern[] = {
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
  script.reserve(lines * 34);
  for (std::size_t n = 0; n < lines; ++n) {
    script += pattern[n % std::size(pattern)];
    script += "\r\n";
  }
  return script;
}

}  // namespace quellbrook::bench
