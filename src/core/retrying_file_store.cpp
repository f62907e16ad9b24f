#include "core/retrying_file_store.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <iterator>
#include <utility>

#include "core/failure.h"

namespace quellbrook {
namespace {

using namespace std::chrono_literals;

// Growing pauses, 945 ms in all: a scanner's look at a file usually ends
// within the first few, and a file held for longer is reported soon enough.
constexpr std::array<std::chrono::milliseconds, 6> kPauses = {15ms, 30ms, 60ms, 120ms, 240ms, 480ms};

// The pauses one save has left, shared by its opening and replacing steps.
class RetrySchedule {
 public:
  explicit RetrySchedule(Pause& pause) : pause_(pause) {}

  // Runs the step until it succeeds, fails for good, or the pauses run out;
  // the last failure then goes to the caller as it was thrown.
  template <typename Step>
  auto Run(Step step) {
    for (;;) {
      try {
        return step();
      } catch (const PlatformError& failure) {
        if (!IsTransientRefusal(failure) || next_ == kPauses.size()) throw;
      }
      pause_.Wait(kPauses[next_++]);
    }
  }

 private:
  Pause& pause_;
  std::size_t next_ = 0;
};

class RetryingReplacement final : public FileReplacement {
 public:
  RetryingReplacement(std::unique_ptr<FileReplacement> inner, RetrySchedule schedule)
      : inner_(std::move(inner)), schedule_(schedule) {}

  void Append(std::string_view bytes) override { inner_->Append(bytes); }
  void Commit() override {
    schedule_.Run([this] { inner_->Commit(); });
  }

 private:
  std::unique_ptr<FileReplacement> inner_;
  RetrySchedule schedule_;
};

}  // namespace

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

RetryingFileStore::RetryingFileStore(std::unique_ptr<FileStore> inner, std::unique_ptr<Pause> pause)
    : inner_(std::move(inner)), pause_(std::move(pause)) {}

std::string RetryingFileStore::ReadAll(std::u16string_view path) { return inner_->ReadAll(path); }

std::unique_ptr<FileReplacement> RetryingFileStore::BeginReplace(std::u16string_view path) {
  RetrySchedule schedule(*pause_);
  std::unique_ptr<FileReplacement> inner = schedule.Run([&] { return inner_->BeginReplace(path); });
  return std::make_unique<RetryingReplacement>(std::move(inner), schedule);
}

}  // namespace quellbrook
