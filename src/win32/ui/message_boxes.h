#pragma once
// The application's message, input and failure boxes: owned by the form whose
// handler asks for them, and modal to every window of the program.

#include "forms/services.h"
#include "win32/ui/dialog_owner.h"
#include "win32/ui/form_tracker.h"

namespace quellbrook::win32 {

inline constexpr char16_t kApplicationTitle[] = u"Veltrane";

class Win32MessageBoxes final : public MessageBoxes {
 public:
  Win32MessageBoxes(const DialogOwner& owner, FormTracker& forms) noexcept : owner_(owner), forms_(forms) {}

  void ShowMessage(std::u16string_view text) override;
  std::u16string AskText(std::u16string_view prompt) override;
  void ShowFailure(const PlatformError& failure) override;

 private:
  const DialogOwner& owner_;
  FormTracker& forms_;
};

}  // namespace quellbrook::win32
