#pragma once
// A control's row in its window's table, for tests that check a table.

#include "forms/form_table.h"

namespace quellbrook::test_support {

// The row of `id`, or nullptr when the window has no such control.
inline const ControlRow* FindControl(const FormTable& form, ControlId id) {
  for (const ControlRow& control : form.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

}  // namespace quellbrook::test_support
