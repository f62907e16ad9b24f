#pragma once
// Stable control IDs, unique within a top-level window. Automation tools, the
// end-to-end tests and users' scripts find controls by them:
// CommandN = 1000+N, CheckN = 2000+N, TextN = 3000+N, FrameN = 4000+N.

namespace quellbrook {

enum class ControlId : int {};

// A check box's ID. Only through one does the logic reach a check box's
// value, so that no text box or button is ever asked for one.
struct CheckBoxId {
  ControlId id;
  constexpr operator ControlId() const { return id; }
  friend constexpr bool operator==(CheckBoxId, CheckBoxId) = default;
};

// The window itself, as the container of its top-level controls.
inline constexpr ControlId kFormClientArea{0};

constexpr ControlId Command(int n) { return ControlId{1000 + n}; }
constexpr CheckBoxId Check(int n) { return CheckBoxId{ControlId{2000 + n}}; }
constexpr ControlId Text(int n) { return ControlId{3000 + n}; }
constexpr ControlId Frame(int n) { return ControlId{4000 + n}; }

constexpr int ToInt(ControlId id) { return static_cast<int>(id); }

}  // namespace quellbrook
