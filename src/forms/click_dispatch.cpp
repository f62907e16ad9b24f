#include <exception>

#include "core/failure.h"
#include "forms/form_logic.h"
#include "forms/services.h"

namespace quellbrook {

void RunClickHandler(FormLogic& logic, ControlId control, Services& services) {
  try {
    logic.Click(control);
  } catch (const std::exception&) {
    services.boxes.ShowFailure(CurrentFailure());
  }
}

}  // namespace quellbrook
