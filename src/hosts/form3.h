#pragma once
// The HOSTS window.

#include "platform/form_logic.h"

namespace quellbrook {

extern const FormSpec kForm3Spec;
extern const WindowDefinition kForm3Window;

}  // namespace quellbrook
