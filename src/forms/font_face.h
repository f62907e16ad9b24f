#pragma once
// Which face a table's font is drawn in. SimHei is an optional feature of
// non-Chinese Windows 10 and 11; where it is missing, the system would pick a
// face of its own, which may not fit the captions. SimSun, which every Windows
// has, draws with the same metrics (one em per Chinese character, half an em
// per ASCII character), so a caption that fits in one fits in the other.

#include <string_view>

#include "forms/form_table.h"

namespace quellbrook {

inline constexpr std::u16string_view kFallbackFace = u"宋体";

// The English name a Chinese face is also listed under (empty when there is
// none): Windows of other languages may list only that one.
inline std::u16string_view EnglishFaceName(std::u16string_view face) {
  if (face == u"黑体") return u"SimHei";
  if (face == u"宋体") return u"SimSun";
  return {};
}

// `choice` in the face the system lists under `installedName`, or in SimSun
// when the system lists it under no name (`installedName` empty).
inline FontChoice WithInstalledFace(FontChoice choice, std::u16string_view installedName) {
  choice.face = installedName.empty() ? kFallbackFace : installedName;
  return choice;
}

}  // namespace quellbrook
