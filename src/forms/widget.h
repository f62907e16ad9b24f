#pragma once
// The logic's whole view of a control: its text, its enabled and visible flags
// and, for a check box, its value. Setting any of them from the logic never runs
// the control's own click handling.

#include <string>
#include <string_view>

#include "forms/control_id.h"

namespace quellbrook {

class Widget {
 public:
  virtual ~Widget() = default;

  virtual std::u16string Text() const = 0;
  virtual void SetText(std::u16string_view text) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;
};

class CheckBox : public Widget {
 public:
  // 0 clear, 1 ticked.
  virtual int CheckValue() const = 0;
  virtual void SetCheckValue(int value) = 0;
};

// The controls of one window, addressed by their control IDs.
class Controls {
 public:
  virtual ~Controls() = default;
  virtual Widget& operator[](ControlId id) = 0;
  virtual CheckBox& operator[](CheckBoxId id) = 0;
};

}  // namespace quellbrook
