#pragma once
// Files for tests, on Linux and on Windows alike: a fresh temporary folder
// removed with everything in it afterwards, the current folder kept while a
// test changes it, and plain byte access that bypasses the code under test.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quellbrook::test_support {

using std::filesystem::path;

class TempFolder {
 public:
  // The folder's name starts with `prefix`; a failure to create it fails the test.
  explicit TempFolder(std::string_view prefix = "quellbrook-test-");
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Empty when the folder could not be created.
  const path& Path() const { return path_; }
  path operator/(const path& name) const { return path_ / name; }
  // Names of everything inside, hidden and system files included, sorted.
  std::vector<path> Names() const;

 private:
  path path_;
};

// Makes `folder` the current folder for the scope's lifetime.
class CurrentFolderScope {
 public:
  explicit CurrentFolderScope(const path& folder);
  ~CurrentFolderScope();
  CurrentFolderScope(const CurrentFolderScope&) = delete;
  CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

 private:
  path previous_;
};

bool WriteBytes(const path& file, std::string_view bytes);
// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadBytes(const path& file);
bool Exists(const path& file);
// Polls until the file exists and is not empty.
bool WaitForFile(const path& file, std::chrono::milliseconds timeout);

}  // namespace quellbrook::test_support
