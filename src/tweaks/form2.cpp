#include "tweaks/form2.h"

#include "forms/default_font.h"
#include "resource_ids.h"

namespace quellbrook {
namespace {

// The registry tweaks arrive with their buttons; until then the window shows
// its frame only and has nothing to click.
class Form2 final : public FormLogic {
 public:
  void Click(ControlId) override {}
};

std::unique_ptr<FormLogic> CreateForm2(Controls&, Services&) { return std::make_unique<Form2>(); }

}  // namespace

const FormTable kForm2Table{
    .caption = u"隔外优化",
    .clientWidth = 4935,
    .clientHeight = 2490,
    .position = TwipsPoint{4695, 3570},
    .border = BorderStyle::kFixedSingle,
    .defaultFont = kDefaultFont,
    .art = {.icon = QUELLBROOK_IDI_MAIN},
    .controls = {},
};

const WindowDefinition kForm2Window{kForm2Table, &CreateForm2};

}  // namespace quellbrook
