#pragma once
// A control window as the logic sees it.

#include <windows.h>

#include "forms/widget.h"

namespace quellbrook::win32 {

class WindowWidget final : public CheckBox {
 public:
  explicit WindowWidget(HWND window) noexcept : window_(window) {}

  std::u16string Text() const override;
  void SetText(std::u16string_view text) override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  // The control's own visibility, whatever its container shows.
  bool Visible() const override;
  void SetVisible(bool visible) override;
  int CheckValue() const override;
  void SetCheckValue(int value) override;

 private:
  HWND window_;
};

}  // namespace quellbrook::win32
