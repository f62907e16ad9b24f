#include "forms/font_face.h"

namespace quellbrook {

std::u16string_view EnglishFaceName(std::u16string_view face) {
  if (face == u"黑体") return u"SimHei";
  if (face == u"宋体") return u"SimSun";
  return {};
}

FontChoice WithInstalledFace(const FontChoice& choice, std::u16string_view installedName) {
  FontChoice drawn = choice;
  drawn.face = installedName.empty() ? kFallbackFace : installedName;
  return drawn;
}

}  // namespace quellbrook
