#pragma once
// The two secondary windows, each at most once: created on first use and again
// after the user closed it, otherwise brought to the front.

#include <array>
#include <memory>

#include "platform/form_logic.h"
#include "platform/services.h"
#include "platform/win32/form_window.h"

namespace quellbrook::win32 {

class FormFactory {
 public:
  virtual std::unique_ptr<FormWindow> CreateForm(const WindowDefinition& definition) = 0;

 protected:
  ~FormFactory() = default;
};

class Win32SecondaryWindows final : public SecondaryWindows {
 public:
  Win32SecondaryWindows(FormFactory& factory, const WindowDefinition& extraOptimization,
                        const WindowDefinition& hostsFirewall) noexcept
      : factory_(factory), definitions_{&extraOptimization, &hostsFirewall} {}

  void ShowSecondaryWindow(SecondaryWindow window) override;

 private:
  static std::size_t SlotOf(SecondaryWindow window);

  FormFactory& factory_;
  std::array<const WindowDefinition*, 2> definitions_;
  std::array<std::unique_ptr<FormWindow>, 2> forms_;
};

}  // namespace quellbrook::win32
