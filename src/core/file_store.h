#pragma once
// Whole files on disk, as bytes. A save never touches the target until the new
// bytes are on disk: they are written to a file beside it, flushed and then
// swapped in, so a failure at any step leaves the old file whole.

#include <chrono>
#include <string>
#include <string_view>
#include <utility>

#include "core/failure.h"

namespace quellbrook {

// A refusal that waiting cannot mend: the target is read-only or a directory.
// Stores throw it so that a save is refused at once rather than tried again.
class UnwritableTarget : public PlatformError {
 public:
  explicit UnwritableTarget(PlatformError refusal) : PlatformError(std::move(refusal)) {}
};

// The detail line of a refused read-only target: the file, and what the user
// changes so that it can be saved.
std::u16string ReadOnlyDetail(std::u16string_view path);

class FileStore {
 public:
  virtual ~FileStore() = default;
  // The bytes of an existing file; a relative path resolves against the
  // current directory.
  virtual std::string ReadAll(std::u16string_view path) = 0;
  // Puts `bytes` in the file's place, or creates it, keeping the old file's
  // attributes and security settings; one attempt, whole or not at all. Fails
  // as writing the target would: read-only file or directory
  // (UnwritableTarget), folder missing or not writable, file in use.
  virtual void Save(std::u16string_view path, std::string_view bytes) = 0;
  // A save killed between the two renames of its swap leaves no file under
  // the target's name and the old content under a backup name beside it: this
  // puts that content back. True when it did.
  virtual bool RecoverInterruptedSave(std::u16string_view path) = 0;
  // Waits on the user-interface thread while another program holds a file.
  virtual void Pause(std::chrono::milliseconds duration) = 0;
};

// Saves that another program briefly holds. Virus scanners, the search indexer
// and sync clients open a freshly written file for a moment, and the save is
// refused while they do: it is tried again after growing pauses, for under
// about one second in all, before the last refusal is reported.
void SaveWaitingForHolders(FileStore& store, std::u16string_view path, std::string_view bytes);

// Whether waiting may mend the failure: the refusals of a file that another
// program holds open, never an UnwritableTarget.
bool IsTransientRefusal(const PlatformError& failure);

}  // namespace quellbrook
