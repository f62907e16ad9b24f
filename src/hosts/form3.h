#pragma once
// The HOSTS window.

#include "platform/form_logic.h"

namespace quellbrook {

extern const FormTable kForm3Table;
extern const WindowDefinition kForm3Window;

}  // namespace quellbrook
