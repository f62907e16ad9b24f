#include "platform/form_spec.h"

namespace quellbrook {

const ControlSpec* FindControl(const FormSpec& form, ControlId id) {
  for (const ControlSpec& control : form.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

}  // namespace quellbrook
