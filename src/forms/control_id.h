#pragma once
// Stable control IDs, unique within a top-level window. Automation tools, the
// end-to-end tests and users' scripts find controls by them:
// CommandN = 1000+N, CheckN = 2000+N, TextN = 3000+N, FrameN = 4000+N.

namespace quellbrook {

enum class ControlId : int {};

// The window itself, as the container of its top-level controls.
inline constexpr ControlId kFormClientArea{0};

constexpr ControlId Command(int n) { return ControlId{1000 + n}; }
constexpr ControlId Check(int n) { return ControlId{2000 + n}; }
constexpr ControlId Text(int n) { return ControlId{3000 + n}; }
constexpr ControlId Frame(int n) { return ControlId{4000 + n}; }

constexpr int ToInt(ControlId id) { return static_cast<int>(id); }

}  // namespace quellbrook
