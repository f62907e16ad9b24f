#include "fakes/fake_window.h"

#include <stdexcept>
#include <string>

namespace quellbrook {

FakeWidget::FakeWidget(const ControlRow& row)
    : row_(row), text_(row.caption), enabled_(!StartsDisabled(row)), visible_(!StartsHidden(row)) {}

void FakeWidget::SetText(std::u16string_view text) {
  text_ = text;
  ++textSetCount_;
}

FakeWindow::FakeWindow(const WindowDefinition& definition, Services& services)
    : form_(definition.form), services_(services) {
  for (const ControlRow& row : form_.controls) widgets_.emplace(row.id, std::make_unique<FakeWidget>(row));
  logic_ = definition.createLogic(*this, services_);
}

FakeWidget& FakeWindow::operator[](ControlId id) {
  const auto found = widgets_.find(id);
  if (found == widgets_.end()) throw std::out_of_range("no control " + std::to_string(ToInt(id)));
  return *found->second;
}

bool FakeWindow::Showing(ControlId id) { return WholeChain(id, &FakeWidget::Visible); }

bool FakeWindow::Reachable(ControlId id) {
  return WholeChain(id, &FakeWidget::Visible) && WholeChain(id, &FakeWidget::Enabled);
}

bool FakeWindow::WholeChain(ControlId id, bool (FakeWidget::*flag)() const) {
  for (ControlId at = id; at != kFormClientArea; at = (*this)[at].Row().container) {
    if (!((*this)[at].*flag)()) return false;
  }
  return true;
}

bool FakeWindow::Click(ControlId id) {
  FakeWidget& widget = (*this)[id];
  const ControlKind kind = widget.Row().kind;
  if (kind != ControlKind::kCommandButton && kind != ControlKind::kCheckBox) return false;
  if (!Reachable(id)) return false;
  if (kind == ControlKind::kCheckBox) widget.SetCheckValue(widget.CheckValue() == 1 ? 0 : 1);
  RunClickHandler(*logic_, id, services_);
  return true;
}

}  // namespace quellbrook
