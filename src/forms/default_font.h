#pragma once
#include "forms/form_table.h"

namespace quellbrook {

// The windows' default font: the classic Chinese UI face at 9 points, whose
// 12-pixel glyphs fit the 180-twip check boxes.
inline constexpr FontChoice kDefaultFont{u"宋体", 90, 400, 134};

}  // namespace quellbrook
