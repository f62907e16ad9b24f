#pragma once
#include "forms/form_table.h"

namespace quellbrook {

// The windows' default font: the classic Chinese UI face at 8 points. Its line
// (11 pixels at 96 DPI, one em in SimSun) fits inside the edges of the
// 225-twip platform buttons and the 180-twip check boxes at every DPI; 9 points
// would lose a pixel row of "XP", "Vista" and "Win7".
inline constexpr FontChoice kDefaultFont{u"宋体", 80, 400, 134};

}  // namespace quellbrook
