#include <exception>

#include "core/failure.h"
#include "core/file_channel.h"
#include "forms/form_logic.h"
#include "forms/services.h"

namespace quellbrook {

void RunClickHandler(FormLogic& logic, ControlId control, Services& services) {
  try {
    logic.Click(control);
  } catch (const std::exception&) {
    // What the failed handler had open is dropped: a file being written
    // keeps its old content.
    services.files.Discard();
    services.boxes.ShowFailure(CurrentFailure());
  }
}

}  // namespace quellbrook
