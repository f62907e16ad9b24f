#pragma once
// The platform buttons "XP", "Vista" and "Win7": each shows its panel, hides the
// other two and leaves only its own optimize button enabled.

#include "forms/control_id.h"

namespace quellbrook {

class Controls;

// Switches to the panel of `platformButton`; false when it is not a platform
// button.
bool SwitchPlatform(ControlId platformButton, Controls& controls);

}  // namespace quellbrook
