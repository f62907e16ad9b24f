#pragma once
// A top-level window built from its table: frame, pictures, decorative lines
// and one real child window per control, laid out in twips at the window's
// DPI. It is the logic's Controls and forwards each click to the logic.

#include <windows.h>

#include <map>
#include <memory>
#include <unordered_map>

#include "forms/form_logic.h"
#include "forms/services.h"
#include "forms/widget.h"
#include "win32/ui/dialog_owner.h"
#include "win32/ui/form_tracker.h"
#include "win32/ui/frame_window.h"
#include "win32/system/unique_handle.h"
#include "win32/ui/window_base.h"
#include "win32/ui/window_widget.h"

namespace quellbrook::win32 {

inline constexpr wchar_t kFormClassName[] = L"QuellbrookForm";

// What every form shares with the rest of the program.
struct FormContext {
  HINSTANCE instance;
  Services& services;
  FormTracker& tracker;
  DialogOwner& dialogOwner;
};

class FormWindow final : public WindowBase, public Controls {
 public:
  // Creates the window hidden, with its controls in their initial state, and
  // then its logic.
  FormWindow(const WindowDefinition& definition, const FormContext& context);
  ~FormWindow();

  void Show(int showCommand);
  // Shows, restores and activates the window.
  void BringToFront();

  // Any control of the table, or kFormClientArea for the window itself.
  WindowWidget& operator[](ControlId id) override;
  WindowWidget& operator[](CheckBoxId id) override { return (*this)[ControlId{id}]; }

 private:
  struct Control {
    const ControlRow* row;
    HWND window;
    std::unique_ptr<FrameWindow> frame;  // frames only
  };

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  DWORD Style() const;
  RECT WindowRectAt(UINT dpi) const;
  RECT ControlRect(const ControlRow& row) const;
  void LoadArt(HINSTANCE instance);
  // The window's icons at its DPI.
  void LoadIcons(HINSTANCE instance);
  void CreateControls(HINSTANCE instance, ControlId container, HWND parent);
  HWND CreateControl(HINSTANCE instance, const ControlRow& row, HWND parent);
  void CreateFonts();
  HFONT FontOf(const ControlRow& row) const;
  // The window size whose client area is the table's twips at `dpi`; false
  // when the window no longer has its table's size.
  bool ScaledSize(UINT dpi, SIZE& size) const;
  void ApplyDpi(UINT dpi, const RECT& windowRect);
  void Paint();
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void RestoreFocus();
  void MoveFocus(WPARAM wParam, LPARAM lParam);
  LRESULT FocusedButtonId() const;

  const FormTable& form_;
  Services& services_;
  FormTracker& tracker_;
  DialogOwner& dialogOwner_;
  UINT dpi_ = 96;
  std::map<const FontChoice*, UniqueFont> fonts_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  UniqueBitmap background_;
  std::map<int, Control> controls_;  // by control ID
  std::unordered_map<int, WindowWidget> widgets_;
  HWND lastFocus_ = nullptr;
  bool tracked_ = false;
  int runningHandlers_ = 0;
  // Declared last: the logic goes first, while the controls it uses still exist.
  std::unique_ptr<FormLogic> logic_;
};

}  // namespace quellbrook::win32
