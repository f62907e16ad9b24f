#pragma once
// Files on disk. A save writes a new file beside the target and swaps it in
// with ReplaceFileW, which keeps the target's attributes, security, creation
// time and streams; until then the target is untouched.

#include <string>

#include "core/file_store.h"

namespace quellbrook::win32 {

class Win32FileStore final : public FileStore {
 public:
  std::string ReadAll(std::u16string_view path) override;
  void Save(std::u16string_view path, std::string_view bytes) override;
  bool RecoverInterruptedSave(std::u16string_view path) override;
  // The thread sleeps: nothing else may run between the tries of one save.
  void Pause(std::chrono::milliseconds duration) override;
};

// The absolute form of `path`, relative paths taken from the current directory.
std::wstring FullPath(std::u16string_view path);

}  // namespace quellbrook::win32
