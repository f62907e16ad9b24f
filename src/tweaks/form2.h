#pragma once
// The extra optimization window.

#include "platform/form_logic.h"

namespace quellbrook {

extern const FormSpec kForm2Spec;
extern const WindowDefinition kForm2Window;

}  // namespace quellbrook
