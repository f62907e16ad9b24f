#include "tweaks/form2.h"

#include "forms/services.h"
#include "tweaks/registry_tweak.h"

namespace quellbrook {
namespace {

// Every button runs its row of the tweak table; the window keeps no state and
// never changes its buttons.
class Form2 final : public FormLogic {
 public:
  explicit Form2(Services& services) : services_(services) {}

  void Click(ControlId control) override {
    if (const RegistryTweak* tweak = FindRegistryTweak(control)) RunRegistryTweak(*tweak, services_);
  }

 private:
  Services& services_;
};

std::unique_ptr<FormLogic> CreateForm2(Controls&, Services& services) { return std::make_unique<Form2>(services); }

}  // namespace

const WindowDefinition kForm2Window{kForm2Table, &CreateForm2};

}  // namespace quellbrook
