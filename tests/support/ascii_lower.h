#pragma once
// ASCII letters in lower case, other bytes as they are: host names and batch
// commands compare without regard to case, whatever the locale.

#include <string>

namespace quellbrook::test_support {

inline std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace quellbrook::test_support
