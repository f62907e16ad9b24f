#include "forms/form_table.h"

namespace quellbrook {

const ControlRow* FindControl(const FormTable& form, ControlId id) {
  for (const ControlRow& control : form.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

}  // namespace quellbrook
