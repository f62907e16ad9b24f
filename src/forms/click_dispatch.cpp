#include <exception>

#include "core/failure.h"
#include "core/file_channel.h"
#include "forms/form_logic.h"
#include "forms/services.h"

namespace quellbrook {
namespace {

void Report(const PlatformError& failure, Services& services) {
  services.files.Abandon();
  services.boxes.ShowFailure(failure);
}

}  // namespace

void RunClickHandler(FormLogic& logic, ControlId control, Services& services) {
  try {
    logic.Click(control);
  } catch (const std::exception&) {
    Report(CurrentFailure(), services);
  }
}

}  // namespace quellbrook
