#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "wait.h"

namespace quellbrook::test_support {
namespace fs = std::filesystem;
namespace {

// Read-only files cannot be deleted on Windows; clear the flag first.
void RemoveTree(const path& folder) {
  std::error_code ignored;
  for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
  }
  fs::remove_all(folder, ignored);
}

}  // namespace

TempFolder::TempFolder(std::string_view prefix) {
  static std::atomic<unsigned> counter{0};
  std::error_code error;
  const path base = fs::temp_directory_path(error);
  if (error) {
    ADD_FAILURE() << "no temp directory: " << error.message();
    return;
  }
  const std::string stem = std::string(prefix) + std::to_string(std::random_device{}()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    const path candidate = base / (stem + std::to_string(counter++));
    if (fs::create_directory(candidate, error)) {
      path_ = candidate;
      return;
    }
  }
  ADD_FAILURE() << "cannot create a test folder: " << error.message();
}

TempFolder::~TempFolder() {
  if (path_.empty()) return;
  // A process that was just ended may still hold a file for a moment.
  for (int attempt = 0; attempt < 50; ++attempt) {
    RemoveTree(path_);
    if (!Exists(path_)) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

std::vector<path> TempFolder::Names() const {
  std::vector<path> names;
  for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

CurrentFolderScope::CurrentFolderScope(const path& folder) : previous_(fs::current_path()) {
  fs::current_path(folder);
}

CurrentFolderScope::~CurrentFolderScope() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
}

bool WriteBytes(const path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

std::optional<std::string> ReadBytes(const path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const path& file) {
  std::error_code ignored;
  return fs::exists(file, ignored);
}

bool WaitForFile(const path& file, std::chrono::milliseconds timeout) {
  return WaitUntil([&] { return !ReadBytes(file).value_or("").empty(); }, static_cast<int>(timeout.count()));
}

}  // namespace quellbrook::test_support
