#pragma once
// Whole-file byte access under the file channel. Writes never touch the target
// until everything is on disk: a replacement is written next to it, flushed and
// then swapped in, so a failure at any step leaves the old file whole.

#include <memory>
#include <string>
#include <string_view>

namespace quellbrook {

class FileReplacement {
 public:
  // Discards the replacement unless it was committed; the target stays as it was.
  virtual ~FileReplacement() = default;
  virtual void Append(std::string_view bytes) = 0;
  // Flushes the replacement and puts it in the target's place, keeping the
  // target's attributes and security settings.
  virtual void Commit() = 0;
};

class FileStore {
 public:
  virtual ~FileStore() = default;
  // The bytes of an existing file; a relative path resolves against the
  // current directory.
  virtual std::string ReadAll(std::u16string_view path) = 0;
  // Starts replacing (or creating) the file. Fails as opening the target for
  // writing would: read-only file, directory, folder missing or not writable.
  virtual std::unique_ptr<FileReplacement> BeginReplace(std::u16string_view path) = 0;
};

}  // namespace quellbrook
