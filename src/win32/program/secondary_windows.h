#pragma once
// The secondary windows, each at most once: created on first use and again
// after the user closed it, otherwise brought to the front.

#include <map>
#include <memory>

#include "forms/form_logic.h"
#include "forms/services.h"
#include "win32/ui/form_window.h"

namespace quellbrook::win32 {

class FormFactory {
 public:
  virtual std::unique_ptr<FormWindow> CreateForm(const WindowDefinition& definition) = 0;

 protected:
  ~FormFactory() = default;
};

class Win32SecondaryWindows final : public SecondaryWindows {
 public:
  explicit Win32SecondaryWindows(FormFactory& factory) noexcept : factory_(factory) {}

  void ShowSecondaryWindow(const WindowDefinition& window) override;

 private:
  FormFactory& factory_;
  std::map<const WindowDefinition*, std::unique_ptr<FormWindow>> forms_;
};

}  // namespace quellbrook::win32
