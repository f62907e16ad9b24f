#pragma once
// The three script panels of the main window, one row each, and the five
// operations every panel offers on its script: refresh, edit, save, backup and
// optimize.

#include <array>
#include <optional>
#include <string_view>

#include "forms/control_id.h"

namespace quellbrook {

class Controls;
struct Services;

struct ScriptPanel {
  ControlId frame;
  // A bare name: read, written and run in the program's current directory.
  std::u16string_view scriptFile;
  ControlId textBox;
  ControlId refreshButton;
  ControlId editButton;
  ControlId saveButton;
  ControlId backupButton;
  ControlId optimizeButton;
  ControlId platformButton;
  std::u16string_view optimizeCommandLine;
  std::u16string_view backupCommandLine;
  std::u16string_view saveConfirmation;
  bool refreshUnlocksEdit;
};

// XP, Vista, Win7.
extern const std::array<ScriptPanel, 3> kScriptPanels;

enum class PanelOperation { kRefresh, kEdit, kSave, kBackup, kOptimize };

struct PanelButton {
  const ScriptPanel& panel;
  PanelOperation operation;
};

// The panel operation that `button` runs, if it is one of a panel's buttons.
std::optional<PanelButton> FindPanelButton(ControlId button);

void RunPanelOperation(const ScriptPanel& panel, PanelOperation operation, Controls& controls,
                       Services& services);

}  // namespace quellbrook
