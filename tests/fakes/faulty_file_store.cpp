#include "fakes/faulty_file_store.h"

namespace quellbrook {
namespace {

class FaultyReplacement final : public FileReplacement {
 public:
  FaultyReplacement(FaultyFileStore& store, std::unique_ptr<FileReplacement> inner)
      : store_(store), inner_(std::move(inner)) {}

  void Append(std::string_view bytes) override {
    if (store_.failAt == SaveStep::kAppend && ++appends_ == store_.failAppend && store_.Fails(SaveStep::kAppend)) {
      throw FaultyFileStore::FailureOf(SaveStep::kAppend);
    }
    inner_->Append(bytes);
  }

  // The inner replacement is dropped unfinished on a failure, as the Win32
  // store drops its temporary file.
  void Commit() override {
    for (SaveStep step : {SaveStep::kFlush, SaveStep::kReplace}) {
      if (store_.Fails(step)) throw FaultyFileStore::FailureOf(step);
    }
    inner_->Commit();
    // The new content is in place: as on Windows, attributes that cannot be
    // put back do not undo a save that has happened.
    if (store_.failAt == SaveStep::kAttributes) ++store_.attributesLost;
  }

 private:
  FaultyFileStore& store_;
  std::unique_ptr<FileReplacement> inner_;
  int appends_ = 0;
};

}  // namespace

PlatformError FaultyFileStore::FailureOf(SaveStep step) {
  switch (step) {
    case SaveStep::kOpen: return PlatformError(error_number::kAccessDenied, u"拒绝访问。");
    case SaveStep::kAppend: return PlatformError(112, u"磁盘空间不足。");         // ERROR_DISK_FULL
    case SaveStep::kFlush: return PlatformError(29, u"系统无法写入指定的设备。");  // ERROR_WRITE_FAULT
    case SaveStep::kReplace: return PlatformError(1175, u"无法删除要替换的文件。");  // ERROR_UNABLE_TO_REMOVE_REPLACED
    case SaveStep::kAttributes: break;
  }
  return PlatformError(error_number::kAccessDenied, u"拒绝访问。");
}

bool FaultyFileStore::Fails(SaveStep step) {
  if (failAt != step) return false;
  if (!failuresLeft) return true;
  if (*failuresLeft == 0) return false;
  --*failuresLeft;
  return true;
}

std::unique_ptr<FileReplacement> FaultyFileStore::BeginReplace(std::u16string_view path) {
  if (Fails(SaveStep::kOpen)) throw FailureOf(SaveStep::kOpen);
  return std::make_unique<FaultyReplacement>(*this, inner_->BeginReplace(path));
}

}  // namespace quellbrook
