#pragma once
// Files and folders in memory, for the unit tests, the fuzzers and the native
// benchmarks, under the rules of the Windows store that the program relies on:
// a save replaces the whole file or leaves it as it was; a read-only file or a
// folder is refused as an UnwritableTarget; a missing folder is told from a
// missing file. A save can be made to fail at any one of its steps, and a save
// can be left interrupted inside its swap. Pauses are recorded, not waited.

#include <chrono>
#include <map>
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
  kOpen,     // the target cannot be opened for writing (held by another program)
  kWrite,    // the replacement cannot be written (disk full)
  kFlush,    // the replacement cannot be flushed to disk
  kReplace,  // the replacement cannot take the target's place
};

class MemoryFileStore final : public FileStore {
 public:
  std::string ReadAll(std::u16string_view path) override;
  void Save(std::u16string_view path, std::string_view bytes) override;
  bool RecoverInterruptedSave(std::u16string_view path) override;
  void Pause(std::chrono::milliseconds duration) override { pauses.push_back(duration); }

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
  // Takes the file away and keeps its bytes as a save killed between the two
  // renames of its swap keeps them, for RecoverInterruptedSave to put back.
  void Interrupt(std::string_view path);

  // The step the next saves fail at. Nothing: every step works.
  std::optional<SaveStep> failAt;
  // How many more times that step fails before it works, as when another
  // program lets go of the file. Nothing: it never works.
  std::optional<int> failuresLeft;

  // The failure of each step, as Windows reports it.
  static PlatformError FailureOf(SaveStep step);

  std::vector<std::chrono::milliseconds> pauses;

 private:
  struct File {
    std::string bytes;
    bool readOnly = false;
  };

  bool Fails(SaveStep step);
  bool FolderExists(const std::string& folder) const { return folder.empty() || folders_.contains(folder); }

  std::map<std::string, File> files_;
  std::map<std::string, std::string> interrupted_;
  std::set<std::string> folders_;
};

}  // namespace quellbrook
