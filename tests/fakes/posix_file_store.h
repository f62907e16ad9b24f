#pragma once
// The file store of the native build, used by the tests on real temporary
// folders. It keeps the Windows rules the program relies on: a file without
// write permission for its owner counts as read-only and is never replaced
// (even for root), and a replacement goes through a flushed temporary file in
// the target's folder.

#include "core/file_store.h"

namespace quellbrook {

class PosixFileStore final : public FileStore {
 public:
  std::string ReadAll(std::u16string_view path) override;
  std::unique_ptr<FileReplacement> BeginReplace(std::u16string_view path) override;
};

}  // namespace quellbrook
