#pragma once
// The handlers of one window. The platform forwards every click of a button or
// check box here, after a check box has taken its new value.

#include <memory>

#include "forms/control_id.h"
#include "forms/form_table.h"

namespace quellbrook {

class Controls;
struct Services;

class FormLogic {
 public:
  virtual ~FormLogic() = default;
  // Runs the click handler of `control`; a control without one is ignored.
  virtual void Click(ControlId control) = 0;
};

// A window as the platform creates it: its table and the factory of its logic.
struct WindowDefinition {
  const FormTable& form;
  std::unique_ptr<FormLogic> (*createLogic)(Controls& controls, Services& services);
};

// Runs one click the way every window does: a failure that the handler does not
// trap ends it at the failing step and is shown as the platform's error report.
// Any std::exception counts as such a failure; the program goes on, with the
// file channel closed for the next handler.
void RunClickHandler(FormLogic& logic, ControlId control, Services& services);

}  // namespace quellbrook
