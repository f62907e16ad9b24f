#include "fakes/posix_file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "core/failure.h"

namespace quellbrook {
namespace {

std::filesystem::path ToPath(std::u16string_view path) {
  std::u16string portable(path);
  std::replace(portable.begin(), portable.end(), u'\\', u'/');
  return std::filesystem::path(portable);
}

// The Win32 error a Windows program would meet in the same situation.
std::uint32_t Win32ErrorFor(int posixError) {
  switch (posixError) {
    case ENOENT: return error_number::kFileNotFound;
    case ENOTDIR: return error_number::kPathNotFound;
    case ENOMEM: return error_number::kNotEnoughMemory;
    case EBUSY: return error_number::kSharingViolation;
    default: return error_number::kAccessDenied;
  }
}

[[noreturn]] void ThrowFileError(int posixError, std::u16string_view path) {
  throw SystemError(Win32ErrorFor(posixError), path);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() { Reset(); }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
  FileDescriptor& operator=(FileDescriptor&&) = delete;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

class PosixReplacement final : public FileReplacement {
 public:
  PosixReplacement(std::filesystem::path target, std::u16string displayPath, std::filesystem::path temp,
                   FileDescriptor fd, std::optional<mode_t> targetMode)
      : target_(std::move(target)), displayPath_(std::move(displayPath)), temp_(std::move(temp)),
        fd_(std::move(fd)), targetMode_(targetMode) {}

  ~PosixReplacement() override {
    fd_.Reset();
    if (!committed_) ::unlink(temp_.c_str());
  }

  void Append(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_.Get(), bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        ThrowFileError(errno, displayPath_);
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
  }

  void Commit() override {
    // A second call after a failed rename goes on with the rename.
    if (fd_.Get() >= 0) {
      if (targetMode_ && ::fchmod(fd_.Get(), *targetMode_ & 07777) != 0) ThrowFileError(errno, displayPath_);
      if (::fsync(fd_.Get()) != 0) ThrowFileError(errno, displayPath_);
      fd_.Reset();
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) ThrowFileError(errno, displayPath_);
    committed_ = true;
  }

 private:
  std::filesystem::path target_;
  std::u16string displayPath_;
  std::filesystem::path temp_;
  FileDescriptor fd_;
  std::optional<mode_t> targetMode_;
  bool committed_ = false;
};

}  // namespace

std::string PosixFileStore::ReadAll(std::u16string_view path) {
  const std::filesystem::path file = ToPath(path);
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) {
    // Windows tells a missing folder from a missing file.
    const bool noFolder = errno == ENOENT && !std::filesystem::is_directory(std::filesystem::absolute(file).parent_path());
    ThrowFileError(noFolder ? ENOTDIR : errno, path);
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) ThrowFileError(errno, path);
  if (S_ISDIR(info.st_mode)) ThrowFileError(EISDIR, path);
  // Sized once from the file, read in place; a file that grows meanwhile
  // still comes whole.
  std::string bytes(static_cast<std::size_t>(info.st_size) + 1, '\0');
  std::size_t used = 0;
  for (;;) {
    if (used == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t count = ::read(fd.Get(), bytes.data() + used, bytes.size() - used);
    if (count < 0) {
      if (errno == EINTR) continue;
      ThrowFileError(errno, path);
    }
    if (count == 0) break;
    used += static_cast<std::size_t>(count);
  }
  bytes.resize(used);
  return bytes;
}

std::unique_ptr<FileReplacement> PosixFileStore::BeginReplace(std::u16string_view path) {
  const std::filesystem::path target = std::filesystem::absolute(ToPath(path));
  std::optional<mode_t> targetMode;
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) throw UnwritableTarget(SystemError(error_number::kAccessDenied, path));
    if ((info.st_mode & S_IWUSR) == 0) {
      throw UnwritableTarget(SystemError(error_number::kAccessDenied, ReadOnlyDetail(path)));
    }
    targetMode = info.st_mode;
  } else if (errno != ENOENT) {
    ThrowFileError(errno, path);
  }
  std::string tempName = "~";
  tempName += target.filename().string();
  tempName += ".XXXXXX";
  std::string pattern = (target.parent_path() / tempName).string();
  FileDescriptor fd(::mkstemp(pattern.data()));
  if (fd.Get() < 0) ThrowFileError(errno == ENOENT ? ENOTDIR : errno, path);
  return std::make_unique<PosixReplacement>(target, std::u16string(path), std::filesystem::path(pattern),
                                            std::move(fd), targetMode);
}

}  // namespace quellbrook
