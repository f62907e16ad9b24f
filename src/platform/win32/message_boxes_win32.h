#pragma once
// The application's message, input and failure boxes, each modal to the form
// whose handler asks for it.

#include "platform/services.h"
#include "platform/win32/dialog_owner.h"

namespace quellbrook::win32 {

inline constexpr char16_t kApplicationTitle[] = u"Veltrane";

class Win32MessageBoxes final : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(const DialogOwner& owner) noexcept : owner_(owner) {}

  void ShowMessage(std::u16string_view text) override;
  std::u16string AskText(std::u16string_view prompt) override;
  void ShowFailure(const PlatformError& failure) override;

 private:
  const DialogOwner& owner_;
};

}  // namespace quellbrook::win32
