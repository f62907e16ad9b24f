#pragma once
// The POSIX file store with one step of a save made to fail on request, so
// that every operation that writes can be driven through every way a save
// breaks down.

#include <memory>
#include <optional>

#include "core/failure.h"
#include "core/file_store.h"

namespace quellbrook {

// The steps of a save in the order they happen.
enum class SaveStep {
  kOpen,        // BeginReplace: the replacement cannot be created
  kAppend,      // the k-th Append of the save
  kFlush,       // Commit: the replacement cannot be flushed to disk
  kReplace,     // Commit: the replacement cannot take the target's place
  kAttributes,  // Commit, after the replace: the attributes cannot be put back
};

class FaultyFileStore final : public FileStore {
 public:
  explicit FaultyFileStore(std::unique_ptr<FileStore> inner) : inner_(std::move(inner)) {}

  std::string ReadAll(std::u16string_view path) override { return inner_->ReadAll(path); }
  std::unique_ptr<FileReplacement> BeginReplace(std::u16string_view path) override;

  // The step the next saves fail at; kAppend fails at the failAppend-th Append
  // (1-based). Nothing: every step works.
  std::optional<SaveStep> failAt;
  int failAppend = 1;
  // How many more times that step fails before it works, as when another
  // program lets go of the file. Nothing: it never works.
  std::optional<int> failuresLeft;
  // How many saves left their attributes behind (the kAttributes fault).
  int attributesLost = 0;

  // The number each step fails with, as Windows would report it.
  static PlatformError FailureOf(SaveStep step);
  // Whether `step` fails this time, counting the failure.
  bool Fails(SaveStep step);

 private:
  std::unique_ptr<FileStore> inner_;
};

}  // namespace quellbrook
