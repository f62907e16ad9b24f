#include "scripts/service_switch.h"

#include <string>

#include "core/file_channel.h"
#include "core/text_search.h"
#include "forms/services.h"
#include "forms/widget.h"

namespace quellbrook {

const ServiceSwitch* FindServiceSwitch(ControlId checkBox) {
  for (const ServiceSwitch& row : kServiceSwitches) {
    if (row.checkBox == checkBox) return &row;
  }
  return nullptr;
}

namespace {

// The script as joined text, with the switch's replacement made in every line.
// Line by line keeps the work linear: nothing is searched across a line break,
// and a line without the find text (most of them) is copied only once.
std::u16string RewrittenScript(const ServiceSwitch& toggled, FileChannel& files) {
  files.OpenForInput(kSwitchedScript);
  std::u16string text;
  while (!files.AtEnd()) {
    const std::u16string line = files.ReadLine();
    if (FindText(line, toggled.findText) == 0) {
      text += line;
    } else {
      text += ReplaceAll(line, toggled.findText, toggled.replacement);
    }
    text += u"\r\n";
  }
  files.CloseFile();
  return text;
}

}  // namespace

void ToggleServiceSwitch(const ServiceSwitch& toggled, Controls& controls, Services& services) {
  const std::u16string text = RewrittenScript(toggled, services.files);
  // Saved like a panel's text, so every toggle adds one empty line at the end.
  WriteSavedText(services.files, kSwitchedScript, text);
  // Only after the file is in place: a failed rewrite leaves the partner alone.
  if (controls[toggled.checkBox].CheckValue() == 1) controls[toggled.partner].SetCheckValue(0);
}

}  // namespace quellbrook
