#pragma once
// A window described as constant data: its frame, and one row per control with
// kind, container, caption, rectangle in twips, tab index, initial state and
// font. The Win32 layer creates real windows from these tables and the test
// substitutes build in-memory controls from the very same rows.

#include <optional>
#include <span>
#include <string_view>

#include "forms/control_id.h"

namespace quellbrook {

// 1/1440 inch; 15 twips make a pixel at 96 dots per inch.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

struct TwipsPoint {
  int x;
  int y;
};

enum class ControlKind { kCommandButton, kCheckBox, kTextBox, kFrame };

enum class ScrollBars { kNone, kVertical, kBoth };

struct FontChoice {
  std::u16string_view face;
  int tenthsOfPoint;
  int weight;
  int charset;
};

// Bits of a control's state at creation; zero means visible and enabled.
enum InitialState : unsigned { kShownEnabled = 0, kHidden = 1, kDisabled = 2 };

struct ControlRow {
  ControlId id;
  ControlKind kind;
  ControlId container;
  // The caption of a button, check box or frame; the initial text of a text box.
  std::u16string_view caption;
  TwipsRect rect;
  int tabIndex;
  unsigned initialState = kShownEnabled;
  const FontChoice* font = nullptr;  // nullptr: the window's default font
  // Text boxes only: multi-line boxes wrap their lines unless they have a
  // horizontal scroll bar.
  ScrollBars scrollBars = ScrollBars::kNone;
};

// A decorative line drawn straight onto the client area, end points in twips.
struct LineRow {
  int x1;
  int y1;
  int x2;
  int y2;
};

enum class BorderStyle { kFixedSingle, kSizable };

// Resource IDs of the pictures a window shows; 0 means none.
struct FormArt {
  int icon = 0;
  int backgroundPicture = 0;
};

struct FormTable {
  std::u16string_view caption;
  int clientWidth;   // twips
  int clientHeight;  // twips
  // Screen position of the client area's top-left corner; empty: where the
  // system places new windows.
  std::optional<TwipsPoint> position;
  BorderStyle border;
  const FontChoice& defaultFont;
  FormArt art;
  std::span<const ControlRow> controls;
  std::span<const LineRow> lines = {};
};

constexpr bool StartsHidden(const ControlRow& c) { return (c.initialState & kHidden) != 0; }
constexpr bool StartsDisabled(const ControlRow& c) { return (c.initialState & kDisabled) != 0; }

}  // namespace quellbrook
