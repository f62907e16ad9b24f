#pragma once
// The HOSTS window.

#include "forms/form_logic.h"

namespace quellbrook {

extern const FormTable kForm3Table;
extern const WindowDefinition kForm3Window;

}  // namespace quellbrook
