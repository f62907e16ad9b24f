#pragma once
// Files and folders in memory, for the unit tests, the fuzzers and the native
// benchmarks, under the rules of the Windows store that the program relies on:
// a save writes its replacement beside the target and puts it in the target's
// place only at Commit; a read-only file or a folder is refused as an
// UnwritableTarget; a missing folder is told from a missing file. Any one step
// of a save can be made to fail.

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/failure.h"
#include "core/file_store.h"

namespace quellbrook {

// The steps of a save that can fail, in the order they happen.
enum class SaveStep {
  kOpen,     // BeginReplace: the target cannot be opened for writing
  kAppend,   // the failAppend-th Append of the save
  kFlush,    // Commit: the replacement cannot be flushed to disk
  kReplace,  // Commit: the replacement cannot take the target's place
};

class MemoryFileStore final : public FileStore {
 public:
  std::string ReadAll(std::u16string_view path) override;
  std::unique_ptr<FileReplacement> BeginReplace(std::u16string_view path) override;

  // The test's side, by paths with either slash. Put creates the folders on
  // the way and clears the read-only flag.
  void Put(std::string_view path, std::string bytes);
  // Nothing when the file is missing or is a folder.
  std::optional<std::string> Bytes(std::string_view path) const;
  void MakeFolder(std::string_view path);
  void Remove(std::string_view path);
  void SetReadOnly(std::string_view path, bool readOnly = true);
  // Files and folders directly in `folder` ("": the current one), sorted.
  std::vector<std::string> Names(std::string_view folder = "") const;

  // The step the next saves fail at; kAppend fails at the failAppend-th
  // Append (1-based). Nothing: every step works.
  std::optional<SaveStep> failAt;
  int failAppend = 1;
  // How many more times that step fails before it works, as when another
  // program lets go of the file. Nothing: it never works.
  std::optional<int> failuresLeft;

  // The failure of each step, as Windows reports it.
  static PlatformError FailureOf(SaveStep step);

 private:
  class Replacement;
  struct File {
    std::string bytes;
    bool readOnly = false;
  };

  bool Fails(SaveStep step);
  bool FolderExists(const std::string& folder) const { return folder.empty() || folders_.contains(folder); }

  std::map<std::string, File> files_;
  std::set<std::string> folders_;
  int replacements_ = 0;
};

}  // namespace quellbrook
