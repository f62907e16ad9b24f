#pragma once
// The Win32 services of the program, for one ServiceSet. The secondary windows
// are left empty: they need the program's form factory, which the caller owns.

#include "forms/service_set.h"
#include "win32/ui/dialog_owner.h"
#include "win32/ui/form_tracker.h"

namespace quellbrook::win32 {

ServiceSet::Parts Win32ServiceParts(const DialogOwner& dialogOwner, FormTracker& forms);

}  // namespace quellbrook::win32
