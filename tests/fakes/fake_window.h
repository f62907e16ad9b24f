#pragma once
// An in-memory window built from a window's control table, for tests. Its
// clicks follow the rules of real controls: only a control that is enabled and
// visible, inside containers that are enabled and visible, can be clicked; a
// check box takes its new value before the handler runs; and a handler's
// failure goes through the same dispatch as on Windows.

#include <map>
#include <memory>
#include <string>

#include "forms/form_logic.h"
#include "forms/services.h"
#include "forms/widget.h"

namespace quellbrook {

class FakeWidget final : public CheckBox {
 public:
  explicit FakeWidget(const ControlRow& row);

  std::u16string Text() const override { return text_; }
  void SetText(std::u16string_view text) override;
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  int CheckValue() const override { return checkValue_; }
  void SetCheckValue(int value) override { checkValue_ = value; }

  const ControlRow& Row() const { return row_; }
  // How often the logic has set the text; a real text box is slow to fill.
  int TextSetCount() const { return textSetCount_; }

 private:
  const ControlRow& row_;
  std::u16string text_;
  bool enabled_;
  bool visible_;
  int checkValue_ = 0;
  int textSetCount_ = 0;
};

class FakeWindow final : public Controls {
 public:
  FakeWindow(const WindowDefinition& definition, Services& services);

  FakeWidget& operator[](ControlId id) override;
  FakeWidget& operator[](CheckBoxId id) override { return (*this)[ControlId{id}]; }
  const FormTable& Table() const { return form_; }
  // Clicks the control as a user would; false when the user could not click it.
  bool Click(ControlId id);
  // Whether the user can see the control: it and all its containers are visible.
  bool Showing(ControlId id);

 private:
  bool Reachable(ControlId id);
  // Whether `flag` holds for the control and every container around it.
  bool WholeChain(ControlId id, bool (FakeWidget::*flag)() const);

  const FormTable& form_;
  Services& services_;
  std::map<ControlId, std::unique_ptr<FakeWidget>> widgets_;
  std::unique_ptr<FormLogic> logic_;
};

}  // namespace quellbrook
