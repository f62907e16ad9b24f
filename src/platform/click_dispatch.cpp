#include <new>

#include "platform/failure.h"
#include "platform/file_channel.h"
#include "platform/form_logic.h"
#include "platform/services.h"

namespace quellbrook {

void RunClickHandler(FormLogic& logic, ControlId control, Services& services) {
  try {
    logic.Click(control);
    return;
  } catch (const PlatformError& failure) {
    services.files.Abandon();
    services.boxes.ShowFailure(failure);
  } catch (const std::bad_alloc&) {
    services.files.Abandon();
    services.boxes.ShowFailure(SystemError(error_number::kNotEnoughMemory));
  }
}

}  // namespace quellbrook
