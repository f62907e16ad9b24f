#pragma once
// The extra optimization window.

#include "platform/form_logic.h"

namespace quellbrook {

extern const FormTable kForm2Table;
extern const WindowDefinition kForm2Window;

}  // namespace quellbrook
