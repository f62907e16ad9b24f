#include "app/platform_switch.h"

#include "forms/widget.h"
#include "scripts/script_panel.h"

namespace quellbrook {
namespace {

// The frames are shown or hidden in this fixed order: Vista, XP, Win7.
constexpr std::size_t kFrameOrder[] = {1, 0, 2};

}  // namespace

// Sets the six states without reading the current ones, so pressing the same
// button twice changes nothing more.
bool SwitchPlatform(ControlId platformButton, Controls& controls) {
  const ScriptPanel* chosen = nullptr;
  for (const ScriptPanel& panel : kScriptPanels) {
    if (panel.platformButton == platformButton) chosen = &panel;
  }
  if (chosen == nullptr) return false;

  for (std::size_t index : kFrameOrder) {
    const ScriptPanel& panel = kScriptPanels[index];
    controls[panel.frame].SetVisible(&panel == chosen);
  }
  for (const ScriptPanel& panel : kScriptPanels) {
    if (&panel != chosen) controls[panel.optimizeButton].SetEnabled(false);
  }
  controls[chosen->optimizeButton].SetEnabled(true);
  return true;
}

}  // namespace quellbrook
