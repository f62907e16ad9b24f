#pragma once
// Saves that another program briefly holds. Virus scanners, the search
// indexer and sync clients open a freshly written file for a moment, and the
// save is refused while they do: the opening and the replacing steps are
// tried again after growing pauses, for under about one second per save in
// all, before the last refusal is reported.

#include <memory>

#include "core/file_store.h"
#include "core/pause.h"

namespace quellbrook {

class RetryingFileStore final : public FileStore {
 public:
  RetryingFileStore(std::unique_ptr<FileStore> inner, std::unique_ptr<Pause> pause);

  std::string ReadAll(std::u16string_view path) override;
  std::unique_ptr<FileReplacement> BeginReplace(std::u16string_view path) override;

 private:
  std::unique_ptr<FileStore> inner_;
  std::unique_ptr<Pause> pause_;
};

// Whether waiting may mend the failure: the refusals of a file that another
// program holds open, never an UnwritableTarget.
bool IsTransientRefusal(const PlatformError& failure);

}  // namespace quellbrook
