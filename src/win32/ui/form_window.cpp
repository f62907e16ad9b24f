#include "win32/ui/form_window.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "forms/work_area_fit.h"
#include "win32/ui/device_context.h"
#include "win32/ui/dpi.h"
#include "win32/system/wide_text.h"
#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

bool IsClickable(ControlKind kind) {
  return kind == ControlKind::kCommandButton || kind == ControlKind::kCheckBox;
}

DWORD InitialStateStyle(const ControlRow& row) {
  DWORD style = 0;
  if (!StartsHidden(row)) style |= WS_VISIBLE;
  if (StartsDisabled(row)) style |= WS_DISABLED;
  return style;
}

// The table's rows of one container, in tab order.
std::vector<const ControlRow*> ChildrenInTabOrder(const FormTable& form, ControlId container) {
  std::vector<const ControlRow*> children;
  for (const ControlRow& row : form.controls) {
    if (row.container == container) children.push_back(&row);
  }
  std::stable_sort(children.begin(), children.end(),
                   [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
  return children;
}

// Adds one to a count for its lifetime.
class CountedScope {
 public:
  explicit CountedScope(int& count) noexcept : count_(count) { ++count_; }
  ~CountedScope() { --count_; }
  CountedScope(const CountedScope&) = delete;
  CountedScope& operator=(const CountedScope&) = delete;

 private:
  int& count_;
};

// The icon file holds every size from 16 to 256: the one drawn for the
// window's DPI is taken, not a stretched one.
UniqueIcon LoadIconResource(HINSTANCE instance, int id, int sizeMetric, UINT dpi) {
  int size = SystemMetricForDpi(sizeMetric, dpi);
  UniqueIcon icon(static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  if (!icon) ThrowLastError();
  return icon;
}

// `window` moved just enough to lie inside the work area of the monitor it
// is mostly on, so that no taskbar covers it.
RECT InsideWorkArea(const RECT& window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoW(::MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor)) return window;
  const RECT& area = monitor.rcWork;
  const PixelRect fitted = FitIntoWorkArea({window.left, window.top, window.right, window.bottom},
                                           {area.left, area.top, area.right, area.bottom});
  return RECT{fitted.left, fitted.top, fitted.right, fitted.bottom};
}

}  // namespace

FormWindow::FormWindow(const WindowDefinition& definition, const FormContext& context)
    : form_(definition.form),
      services_(context.services),
      tracker_(context.tracker),
      dialogOwner_(context.dialogOwner),
      dpi_(SystemDpi()) {
  RegisterWindowClass(context.instance, kFormClassName, COLOR_BTNFACE);
  CreateWindowFor(context.instance, kFormClassName, ToWide(form_.caption).c_str(), Style(), 0,
                  WindowRectAt(dpi_), nullptr, 0);

  // The window may have landed on a monitor whose DPI differs from the
  // system's, and a fixed position may put part of it off its work area.
  dpi_ = WindowDpi(Handle());
  RECT placed{};
  ::GetWindowRect(Handle(), &placed);
  RECT wanted = WindowRectAt(dpi_);
  if (form_.position) {
    wanted = InsideWorkArea(wanted);
  } else {
    ::OffsetRect(&wanted, placed.left - wanted.left, placed.top - wanted.top);
  }
  if (!::EqualRect(&placed, &wanted)) {
    ::SetWindowPos(Handle(), nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                   wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  LoadArt(context.instance);
  CreateFonts();
  CreateControls(context.instance, kFormClientArea, Handle());
  if (controls_.size() != form_.controls.size()) {
    throw std::logic_error("a control of the window table lies in no container of the window");
  }
  widgets_.emplace(ToInt(kFormClientArea), WindowWidget(Handle()));
  for (const auto& [id, control] : controls_) widgets_.emplace(id, WindowWidget(control.window));

  {
    DialogOwner::Scope scope(dialogOwner_, Handle());
    logic_ = definition.createLogic(*this, services_);
  }
  tracker_.Add(Handle());
  tracked_ = true;
}

FormWindow::~FormWindow() {
  if (IsOpen()) ::DestroyWindow(Handle());
}

void FormWindow::Show(int showCommand) {
  ::ShowWindow(Handle(), showCommand);
  ::UpdateWindow(Handle());
}

void FormWindow::BringToFront() {
  ::ShowWindow(Handle(), ::IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
  ::SetForegroundWindow(Handle());
}

WindowWidget& FormWindow::operator[](ControlId id) {
  auto found = widgets_.find(ToInt(id));
  if (found == widgets_.end()) throw std::out_of_range("the window has no control with this ID");
  return found->second;
}

DWORD FormWindow::Style() const {
  DWORD frame = form_.border == BorderStyle::kSizable ? WS_OVERLAPPEDWINDOW
                                                      : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  return frame | WS_CLIPCHILDREN;
}

RECT FormWindow::WindowRectAt(UINT dpi) const {
  RECT rect{0, 0, TwipsToPixels(form_.clientWidth, dpi), TwipsToPixels(form_.clientHeight, dpi)};
  AdjustWindowRectForDpi(rect, Style(), 0, dpi);
  if (!form_.position) {
    // The system places the window; only the size is ours.
    return RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT + rect.right - rect.left,
                CW_USEDEFAULT + rect.bottom - rect.top};
  }
  // The table places the client area; the frame goes around it.
  ::OffsetRect(&rect, TwipsToPixels(form_.position->x, dpi), TwipsToPixels(form_.position->y, dpi));
  return rect;
}

RECT FormWindow::ControlRect(const ControlRow& row) const {
  // Rows inside a frame are relative to the frame's outer top-left corner,
  // which is also its client origin: a frame has no border of its own.
  int left = TwipsToPixels(row.rect.left, dpi_);
  int top = TwipsToPixels(row.rect.top, dpi_);
  return RECT{left, top, left + TwipsToPixels(row.rect.width, dpi_),
              top + TwipsToPixels(row.rect.height, dpi_)};
}

void FormWindow::LoadArt(HINSTANCE instance) {
  LoadIcons(instance);
  if (form_.art.backgroundPicture != 0) {
    background_.Reset(static_cast<HBITMAP>(::LoadImageW(
        instance, MAKEINTRESOURCEW(form_.art.backgroundPicture), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!background_) ThrowLastError();
  }
}

void FormWindow::LoadIcons(HINSTANCE instance) {
  if (form_.art.icon == 0) return;
  UniqueIcon big = LoadIconResource(instance, form_.art.icon, SM_CXICON, dpi_);
  UniqueIcon small = LoadIconResource(instance, form_.art.icon, SM_CXSMICON, dpi_);
  ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
  ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
  // The window no longer shows the old ones when they are destroyed.
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

void FormWindow::CreateControls(HINSTANCE instance, ControlId container, HWND parent) {
  // Creation order is z-order, which is the order of tab navigation.
  for (const ControlRow* row : ChildrenInTabOrder(form_, container)) {
    if (controls_.contains(ToInt(row->id))) throw std::logic_error("two controls of the window table have one ID");
    HWND window = CreateControl(instance, *row, parent);
    if (row->kind == ControlKind::kFrame) CreateControls(instance, row->id, window);
  }
}

HWND FormWindow::CreateControl(HINSTANCE instance, const ControlRow& row, HWND parent) {
  RECT rect = ControlRect(row);
  DWORD style = InitialStateStyle(row);

  if (row.kind == ControlKind::kFrame) {
    auto frame = std::make_unique<FrameWindow>(instance, parent, row, style, rect, dpi_);
    HWND window = frame->Handle();
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(row)), FALSE);
    controls_.emplace(ToInt(row.id), Control{&row, window, std::move(frame)});
    return window;
  }

  const wchar_t* className = L"BUTTON";
  DWORD exStyle = 0;
  style |= WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP;
  switch (row.kind) {
    case ControlKind::kCommandButton:
      style |= BS_PUSHBUTTON | BS_MULTILINE;
      break;
    case ControlKind::kCheckBox:
      // The box ticks itself, then reports the click.
      style |= BS_AUTOCHECKBOX | BS_MULTILINE | BS_VCENTER;
      break;
    case ControlKind::kTextBox:
      className = L"EDIT";
      exStyle = WS_EX_CLIENTEDGE;
      if (row.scrollBars == ScrollBars::kNone) {
        style |= ES_AUTOHSCROLL;
      } else {
        style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
        if (row.scrollBars == ScrollBars::kBoth) style |= ES_AUTOHSCROLL | WS_HSCROLL;
      }
      break;
    case ControlKind::kFrame:
      break;
  }
  // A text box lays its text out again for each font it gets: it is born
  // empty and gets its font, then its initial text, once.
  const bool textBox = row.kind == ControlKind::kTextBox;
  HWND window = ::CreateWindowExW(exStyle, className, textBox ? L"" : ToWide(row.caption).c_str(), style,
                                  rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(ToInt(row.id))),
                                  instance, nullptr);
  if (window == nullptr) ThrowLastError(row.caption);
  if (textBox) ::SendMessageW(window, EM_SETLIMITTEXT, 0, 0);
  ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(row)), FALSE);
  controls_.emplace(ToInt(row.id), Control{&row, window, nullptr});
  if (textBox && !row.caption.empty()) {
    if (!::SetWindowTextW(window, ToWide(row.caption).c_str())) ThrowLastError(row.caption);
  }
  return window;
}

void FormWindow::CreateFonts() {
  std::map<const FontChoice*, UniqueFont> fonts;
  fonts.emplace(&form_.defaultFont, CreateFontForDpi(form_.defaultFont, dpi_));
  for (const ControlRow& row : form_.controls) {
    if (row.font != nullptr && !fonts.contains(row.font)) {
      fonts.emplace(row.font, CreateFontForDpi(*row.font, dpi_));
    }
  }
  fonts_.swap(fonts);
  // The old fonts go only after every control has been given its new one.
  for (const auto& [id, control] : controls_) {
    ::SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(*control.row)), TRUE);
  }
}

HFONT FormWindow::FontOf(const ControlRow& row) const {
  return fonts_.at(row.font != nullptr ? row.font : &form_.defaultFont).Get();
}

bool FormWindow::ScaledSize(UINT dpi, SIZE& size) const {
  // A window the user has resized scales linearly, as the system does when
  // asked nothing; one of its table's size keeps to its twips.
  RECT client{};
  ::GetClientRect(Handle(), &client);
  if (client.right != TwipsToPixels(form_.clientWidth, dpi_) ||
      client.bottom != TwipsToPixels(form_.clientHeight, dpi_)) {
    return false;
  }
  const RECT window = WindowRectAt(dpi);
  size = SIZE{window.right - window.left, window.bottom - window.top};
  return true;
}

void FormWindow::ApplyDpi(UINT dpi, const RECT& windowRect) {
  dpi_ = dpi;
  ::SetWindowPos(Handle(), nullptr, windowRect.left, windowRect.top, windowRect.right - windowRect.left,
                 windowRect.bottom - windowRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
  CreateFonts();
  LoadIcons(reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(Handle(), GWLP_HINSTANCE)));
  for (const auto& [id, control] : controls_) {
    if (control.frame) control.frame->SetDpi(dpi);
    RECT rect = ControlRect(*control.row);
    ::SetWindowPos(control.window, nullptr, rect.left, rect.top, rect.right - rect.left,
                   rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void FormWindow::Paint() {
  // Painting has nobody to report to: what cannot be drawn is left out.
  PaintScope paint(Handle());
  HDC dc = paint.Dc();

  if (background_) {
    BITMAP bitmap{};
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    if (source && ::GetObjectW(background_.Get(), sizeof bitmap, &bitmap) != 0) {
      SelectedObject selected(source.Get(), background_.Get());
      if (dpi_ == kStandardDpi) {
        ::BitBlt(dc, 0, 0, bitmap.bmWidth, bitmap.bmHeight, source.Get(), 0, 0, SRCCOPY);
      } else {
        ::SetStretchBltMode(dc, HALFTONE);
        ::SetBrushOrgEx(dc, 0, 0, nullptr);
        ::StretchBlt(dc, 0, 0, ScaleFrom96Dpi(bitmap.bmWidth, dpi_), ScaleFrom96Dpi(bitmap.bmHeight, dpi_),
                     source.Get(), 0, 0, bitmap.bmWidth, bitmap.bmHeight, SRCCOPY);
      }
    }
  }

  if (!form_.lines.empty()) {
    COLORREF color = ::GetSysColor(COLOR_WINDOWTEXT);
    UniquePen pen(::CreatePen(PS_SOLID, 1, color));
    if (!pen) return;
    SelectedObject selected(dc, pen.Get());
    for (const LineRow& line : form_.lines) {
      int x1 = TwipsToPixels(line.x1, dpi_);
      int y1 = TwipsToPixels(line.y1, dpi_);
      int x2 = TwipsToPixels(line.x2, dpi_);
      int y2 = TwipsToPixels(line.y2, dpi_);
      ::MoveToEx(dc, x1, y1, nullptr);
      ::LineTo(dc, x2, y2);
      ::SetPixelV(dc, x2, y2, color);  // LineTo leaves out the end point
    }
  }
}

void FormWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Only clicks of our own buttons and check boxes; the dialog manager's
  // Enter and Escape (IDOK, IDCANCEL without a control) mean nothing here.
  if (HIWORD(wParam) != BN_CLICKED || lParam == 0 || !logic_) return;
  // A control's ID is unique in the whole window, frames' children included;
  // the control of the sender's ID must be the sender itself.
  HWND sender = reinterpret_cast<HWND>(lParam);
  auto found = controls_.find(::GetDlgCtrlID(sender));
  if (found == controls_.end()) return;
  const Control& control = found->second;
  if (control.window != sender || !IsClickable(control.row->kind)) return;
  DialogOwner::Scope scope(dialogOwner_, Handle());
  CountedScope handler(runningHandlers_);
  RunClickHandler(*logic_, control.row->id, services_);
}

void FormWindow::RestoreFocus() {
  HWND target = lastFocus_;
  if (target == nullptr || !::IsWindow(target) || !::IsChild(Handle(), target) ||
      !::IsWindowVisible(target) || !::IsWindowEnabled(target)) {
    target = ::GetNextDlgTabItem(Handle(), nullptr, FALSE);
  }
  if (target != nullptr) ::SetFocus(target);
}

// What DefDlgProc does for WM_NEXTDLGCTL, which multi-line text boxes send on Tab.
void FormWindow::MoveFocus(WPARAM wParam, LPARAM lParam) {
  HWND target = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                    : ::GetNextDlgTabItem(Handle(), ::GetFocus(), wParam != 0);
  if (target == nullptr) return;
  ::SetFocus(target);
  if ((::SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
    ::SendMessageW(target, EM_SETSEL, 0, -1);
  }
}

// Enter clicks the focused push button: the dialog manager asks the form for
// its default button and clicks that.
LRESULT FormWindow::FocusedButtonId() const {
  HWND focus = ::GetFocus();
  if (focus == nullptr || !::IsChild(Handle(), focus)) return 0;
  LRESULT code = ::SendMessageW(focus, WM_GETDLGCODE, 0, 0);
  if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0) return 0;
  return MAKELRESULT(::GetDlgCtrlID(focus), DC_HASDEFID);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(Handle(), focus)) lastFocus_ = focus;
      }
      return DefaultHandling(message, wParam, lParam);
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_NEXTDLGCTL:
      MoveFocus(wParam, lParam);
      return 0;
    case DM_GETDEFID:
      return FocusedButtonId();
    case kGetDpiScaledSizeMessage:
      // Sent before WM_DPICHANGED (Windows 10 1703 and later): the frame
      // grows by its own rule, the client area by its twips.
      return ScaledSize(static_cast<UINT>(wParam), *reinterpret_cast<SIZE*>(lParam)) ? TRUE : FALSE;
    case WM_DPICHANGED:
      ApplyDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_CLOSE:
      // The user cannot close a form whose handler waits in a box owned by it;
      // another program posting WM_CLOSE cannot either.
      if (runningHandlers_ > 0) return 0;
      return DefaultHandling(message, wParam, lParam);
    case WM_DESTROY:
      if (tracked_) {
        tracked_ = false;
        tracker_.Remove(Handle());
      }
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace quellbrook::win32
