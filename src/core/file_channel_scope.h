#pragma once
// One use of the file channel, from opening a file to closing it: however the
// scope ends, a failure or an exception included, it leaves the channel
// closed, so that the next action can open a file. A file being written keeps
// its old content unless the user closed it.

#include "core/file_channel.h"

namespace quellbrook {

class FileChannelScope {
 public:
  explicit FileChannelScope(FileChannel& files) noexcept : files_(files) {}
  ~FileChannelScope() {
    if (files_.IsOpen()) files_.Abandon();
  }
  FileChannelScope(const FileChannelScope&) = delete;
  FileChannelScope& operator=(const FileChannelScope&) = delete;

 private:
  FileChannel& files_;
};

}  // namespace quellbrook
