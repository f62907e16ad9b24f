#pragma once
// The twenty XP service switches of the main window, one row each, and the one
// toggle they share: it rewrites the start mode of one service in xp.bat and
// clears the other switch of the pair.

#include <array>
#include <string_view>

#include "forms/control_id.h"

namespace quellbrook {

class Controls;
struct Services;

// The script the switches rewrite, the same one the XP panel loads and saves.
inline constexpr std::u16string_view kSwitchedScript = u"xp.bat";

enum class SwitchDirection {
  kOn,   // DISABLED becomes AUTO
  kOff,  // AUTO becomes DISABLED
};

struct ServiceSwitch {
  ControlId checkBox;
  std::u16string_view caption;
  // As the script spells it, case included.
  std::u16string_view service;
  SwitchDirection direction;
  // Matched exactly, case-sensitive, anywhere in a line.
  std::u16string_view findText;
  std::u16string_view replacement;
  // The other switch of the same service.
  ControlId partner;
};

// Check1 to Check20: for the k-th service, Check(2k-1) switches it on and
// Check(2k) off.
extern const std::array<ServiceSwitch, 20> kServiceSwitches;

// The switch whose check box is `checkBox`, or nullptr.
const ServiceSwitch* FindServiceSwitch(ControlId checkBox);

// Runs after the user has changed the box, which already shows its new state.
// The rewrite goes in the switch's own direction whether the box became ticked
// or clear; setting the partner's box runs nothing of the partner's.
void ToggleServiceSwitch(const ServiceSwitch& toggled, Controls& controls, Services& services);

}  // namespace quellbrook
