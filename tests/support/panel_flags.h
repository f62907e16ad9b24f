#pragma once
// A script panel's text box, edit and save buttons as "TES", with "-" for each
// one disabled: the panel's state in one comparable word.

#include <string>

#include "fakes/fake_window.h"
#include "scripts/script_panel.h"

namespace quellbrook::test_support {

inline std::string PanelFlags(FakeWindow& form, const ScriptPanel& panel) {
  std::string flags;
  flags += form[panel.textBox].Enabled() ? 'T' : '-';
  flags += form[panel.editButton].Enabled() ? 'E' : '-';
  flags += form[panel.saveButton].Enabled() ? 'S' : '-';
  return flags;
}

}  // namespace quellbrook::test_support
