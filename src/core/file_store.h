#pragma once
// Whole-file byte access under the file channel. Writes never touch the target
// until everything is on disk: a replacement is written next to it, flushed and
// then swapped in, so a failure at any step leaves the old file whole.

#include <memory>
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

class FileReplacement {
 public:
  // Discards the replacement unless it was committed; the target stays as it was.
  virtual ~FileReplacement() = default;
  virtual void Append(std::string_view bytes) = 0;
  // Flushes the replacement and puts it in the target's place, keeping the
  // target's attributes and security settings. After a failure it may be
  // called again, and goes on from the step that failed.
  virtual void Commit() = 0;
};

class FileStore {
 public:
  virtual ~FileStore() = default;
  // The bytes of an existing file; a relative path resolves against the
  // current directory.
  virtual std::string ReadAll(std::u16string_view path) = 0;
  // Starts replacing (or creating) the file. Fails as opening the target for
  // writing would: read-only file or directory (UnwritableTarget), folder
  // missing or not writable, file in use.
  virtual std::unique_ptr<FileReplacement> BeginReplace(std::u16string_view path) = 0;
};

}  // namespace quellbrook
