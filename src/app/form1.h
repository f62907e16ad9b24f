#pragma once
// The main window: three script panels, the XP options, the platform switch and
// the navigation to the two secondary windows.

#include "forms/form_logic.h"

namespace quellbrook {

extern const FormTable kForm1Table;
extern const WindowDefinition kForm1Window;

}  // namespace quellbrook
