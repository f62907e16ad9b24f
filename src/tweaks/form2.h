#pragma once
// The extra optimization window: ten buttons, each running one registry tweak.

#include "forms/form_logic.h"

namespace quellbrook {

extern const FormTable kForm2Table;
extern const WindowDefinition kForm2Window;

}  // namespace quellbrook
