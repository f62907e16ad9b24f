#include "win32/ui/installed_faces.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "forms/font_face.h"
#include "win32/ui/device_context.h"

namespace quellbrook::win32 {
namespace {

int CALLBACK StopAtFirstFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Whether the screen's fonts include a family of exactly this name, in any
// character set.
bool Enumerates(std::u16string_view face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::copy(face.begin(), face.end(), wanted.lfFaceName);
  WindowDc screen(nullptr);
  if (screen.Get() == nullptr) return false;
  bool found = false;
  ::EnumFontFamiliesExW(screen.Get(), &wanted, &StopAtFirstFont, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

std::u16string_view InstalledFaceName(std::u16string_view face) {
  // No lock: the program has one thread, the UI thread, and only it asks.
  static std::map<std::u16string, std::u16string, std::less<>> names;
  auto known = names.find(face);
  if (known == names.end()) {
    std::u16string name;
    if (Enumerates(face)) {
      name = face;
    } else if (std::u16string_view english = EnglishFaceName(face); Enumerates(english)) {
      name = english;
    }
    known = names.emplace(std::u16string(face), std::move(name)).first;
  }
  // Entries of a std::map stay where they are: the view outlives later calls.
  return known->second;
}

}  // namespace quellbrook::win32
