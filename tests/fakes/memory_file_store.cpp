#include "fakes/memory_file_store.h"

#include <algorithm>
#include <utility>

#include "support/u16.h"

namespace quellbrook {
namespace {

std::string Key(std::string_view path) {
  std::string key(path);
  std::replace(key.begin(), key.end(), '\\', '/');
  return key;
}

std::string Key(std::u16string_view path) { return Key(test_support::Utf8(path)); }

std::string FolderOf(const std::string& key) {
  const std::size_t slash = key.rfind('/');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

}  // namespace

std::string MemoryFileStore::ReadAll(std::u16string_view path) {
  const std::string key = Key(path);
  if (folders_.contains(key)) throw SystemError(error_number::kAccessDenied, path);
  const auto file = files_.find(key);
  if (file != files_.end()) return file->second.bytes;
  throw SystemError(FolderExists(FolderOf(key)) ? error_number::kFileNotFound : error_number::kPathNotFound, path);
}

void MemoryFileStore::Save(std::u16string_view path, std::string_view bytes) {
  const std::string key = Key(path);
  if (!FolderExists(FolderOf(key))) throw SystemError(error_number::kPathNotFound, path);
  if (folders_.contains(key)) throw UnwritableTarget(SystemError(error_number::kAccessDenied, path));
  const auto file = files_.find(key);
  if (file != files_.end() && file->second.readOnly) {
    throw UnwritableTarget(SystemError(error_number::kAccessDenied, ReadOnlyDetail(path)));
  }
  for (const SaveStep step : {SaveStep::kOpen, SaveStep::kWrite, SaveStep::kFlush, SaveStep::kReplace}) {
    if (Fails(step)) throw FailureOf(step);
  }
  files_[key] = File{std::string(bytes)};
}

bool MemoryFileStore::RecoverInterruptedSave(std::u16string_view path) {
  const auto kept = interrupted_.find(Key(path));
  if (kept == interrupted_.end() || files_.contains(kept->first)) return false;
  files_[kept->first] = File{std::move(kept->second)};
  interrupted_.erase(kept);
  return true;
}

void MemoryFileStore::Interrupt(std::string_view path) {
  const std::string key = Key(path);
  interrupted_[key] = std::move(files_.at(key).bytes);
  files_.erase(key);
}

void MemoryFileStore::Put(std::string_view path, std::string bytes) {
  const std::string key = Key(path);
  MakeFolder(FolderOf(key));
  files_[key] = File{std::move(bytes)};
}

std::optional<std::string> MemoryFileStore::Bytes(std::string_view path) const {
  const auto file = files_.find(Key(path));
  if (file == files_.end()) return std::nullopt;
  return file->second.bytes;
}

void MemoryFileStore::MakeFolder(std::string_view path) {
  for (std::string folder = Key(path); !folder.empty(); folder = FolderOf(folder)) folders_.insert(folder);
}

void MemoryFileStore::Remove(std::string_view path) { files_.erase(Key(path)); }

void MemoryFileStore::SetReadOnly(std::string_view path, bool readOnly) { files_.at(Key(path)).readOnly = readOnly; }

std::vector<std::string> MemoryFileStore::Names(std::string_view folder) const {
  const std::string key = Key(folder);
  std::set<std::string> names;
  const auto collect = [&](const std::string& entry) {
    if (FolderOf(entry) == key) names.insert(entry.substr(key.empty() ? 0 : key.size() + 1));
  };
  for (const auto& [entry, file] : files_) collect(entry);
  for (const std::string& entry : folders_) collect(entry);
  return {names.begin(), names.end()};
}

PlatformError MemoryFileStore::FailureOf(SaveStep step) {
  switch (step) {
    case SaveStep::kOpen: break;
    case SaveStep::kWrite: return PlatformError(112, u"磁盘空间不足。");          // ERROR_DISK_FULL
    case SaveStep::kFlush: return PlatformError(29, u"系统无法写入指定的设备。");  // ERROR_WRITE_FAULT
    case SaveStep::kReplace: return PlatformError(1175, u"无法删除要替换的文件。");  // ERROR_UNABLE_TO_REMOVE_REPLACED
  }
  return PlatformError(error_number::kAccessDenied, u"拒绝访问。");
}

bool MemoryFileStore::Fails(SaveStep step) {
  if (failAt != step) return false;
  if (!failuresLeft) return true;
  if (*failuresLeft == 0) return false;
  --*failuresLeft;
  return true;
}

}  // namespace quellbrook
