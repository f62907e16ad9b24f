#pragma once
// Files on disk. A replacement is written to a new file beside the target and
// swapped in by ReplaceFileW, which keeps the target's attributes, security,
// creation time and streams; until then the target is untouched.

#include <string>

#include "core/file_store.h"

namespace quellbrook::win32 {

class Win32FileStore final : public FileStore {
 public:
  std::string ReadAll(std::u16string_view path) override;
  std::unique_ptr<FileReplacement> BeginReplace(std::u16string_view path) override;
};

// The absolute form of `path`, relative paths taken from the current directory.
std::wstring FullPath(std::u16string_view path);

}  // namespace quellbrook::win32
