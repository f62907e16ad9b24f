#pragma once
// The secondary windows, each at most once: created on first use and again
// after the user closed it, otherwise brought to the front.

#include <map>
#include <memory>

#include "forms/form_logic.h"
#include "win32/ui/form_window.h"

namespace quellbrook::win32 {

class SecondaryWindows {
 public:
  explicit SecondaryWindows(const FormContext& context) : context_(context) {}

  void Show(const WindowDefinition& window);

 private:
  FormContext context_;
  std::map<const WindowDefinition*, std::unique_ptr<FormWindow>> forms_;
};

}  // namespace quellbrook::win32
