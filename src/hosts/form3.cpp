#include "hosts/form3.h"

#include "forms/default_font.h"
#include "resource_ids.h"

namespace quellbrook {
namespace {

// The HOSTS editor arrives with its controls; until then the window shows its
// frame only and has nothing to click.
class Form3 final : public FormLogic {
 public:
  void Click(ControlId) override {}
};

std::unique_ptr<FormLogic> CreateForm3(Controls&, Services&) { return std::make_unique<Form3>(); }

}  // namespace

const FormTable kForm3Table{
    .caption = u"HOSTS迷你防火墙",
    .clientWidth = 5400,
    .clientHeight = 5535,
    .position = std::nullopt,
    .border = BorderStyle::kSizable,
    .defaultFont = kDefaultFont,
    .art = {.icon = QUELLBROOK_IDI_HOSTS},
    .controls = {},
};

const WindowDefinition kForm3Window{kForm3Table, &CreateForm3};

}  // namespace quellbrook
