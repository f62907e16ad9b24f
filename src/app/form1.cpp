#include "app/form1.h"

#include "app/platform_switch.h"
#include "hosts/form3.h"
#include "forms/services.h"
#include "scripts/script_panel.h"
#include "scripts/service_switch.h"
#include "tweaks/form2.h"

namespace quellbrook {
namespace {

class Form1 final : public FormLogic {
 public:
  Form1(Controls& controls, Services& services) : controls_(controls), services_(services) {}

  void Click(ControlId control) override {
    if (const std::optional<PanelButton> button = FindPanelButton(control)) {
      return RunPanelOperation(button->panel, button->operation, controls_, services_);
    }
    if (const ServiceSwitch* serviceSwitch = FindServiceSwitch(control)) {
      return ToggleServiceSwitch(*serviceSwitch, controls_, services_);
    }
    if (SwitchPlatform(control, controls_)) return;
    if (control == Command(4)) return services_.showSecondaryWindow(kForm2Window);
    if (control == Command(5)) return services_.showSecondaryWindow(kForm3Window);
  }

 private:
  Controls& controls_;
  Services& services_;
};

std::unique_ptr<FormLogic> CreateForm1(Controls& controls, Services& services) {
  return std::make_unique<Form1>(controls, services);
}

}  // namespace

const WindowDefinition kForm1Window{kForm1Table, &CreateForm1};

}  // namespace quellbrook
