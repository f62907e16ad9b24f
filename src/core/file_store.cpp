#include "core/file_store.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

namespace quellbrook {

using namespace std::chrono_literals;

std::u16string ReadOnlyDetail(std::u16string_view path) {
  return u"文件“" + std::u16string(path) + u"”设有只读属性，请先在其属性中取消“只读”。";
}

bool IsTransientRefusal(const PlatformError& failure) {
  if (dynamic_cast<const UnwritableTarget*>(&failure) != nullptr) return false;
  // Access denied, sharing and lock violations while the file is open
  // elsewhere; ReplaceFileW's "could not remove the replaced file" and "could
  // not move the replacement", which leave both files under their own names.
  constexpr std::uint32_t kTransient[] = {error_number::kAccessDenied, error_number::kSharingViolation,
                                          error_number::kLockViolation, error_number::kUnableToRemoveReplaced,
                                          error_number::kUnableToMoveReplacement};
  return std::find(std::begin(kTransient), std::end(kTransient), failure.Number()) != std::end(kTransient);
}

void SaveWaitingForHolders(FileStore& store, std::u16string_view path, std::string_view bytes) {
  // Growing pauses, 945 ms in all: a scanner's look at a file usually ends
  // within the first few, and a file held for longer is reported soon enough.
  constexpr std::array kPauses = {15ms, 30ms, 60ms, 120ms, 240ms, 480ms};
  for (std::size_t next = 0;; ++next) {
    try {
      return store.Save(path, bytes);
    } catch (const PlatformError& failure) {
      if (!IsTransientRefusal(failure) || next == kPauses.size()) throw;
    }
    store.Pause(kPauses[next]);
  }
}

}  // namespace quellbrook
