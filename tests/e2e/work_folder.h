#pragma once
// A fresh folder that serves one test as the program's current directory, with
// byte-exact access to its files by name. Removed, with everything in it, when
// the test ends.

#include <optional>
#include <string>
#include <string_view>

#include "test_files.h"

namespace quellbrook::e2e {

class WorkFolder : public test_support::TempFolder {
 public:
  WorkFolder() : TempFolder("quellbrook-e2e-") {}

  bool Write(std::wstring_view name, std::string_view bytes) const {
    return test_support::WriteBytes(*this / name, bytes);
  }
  // The file's bytes, or nothing when it cannot be read.
  std::optional<std::string> Read(std::wstring_view name) const { return test_support::ReadBytes(*this / name); }
};

}  // namespace quellbrook::e2e
