// The HOSTS window as data: one large text box over a row of five buttons,
// each button overlapping its right-hand neighbour by one pixel.

#include "forms/default_font.h"
#include "hosts/blocklist.h"
#include "hosts/form3.h"
#include "resource_ids.h"

namespace quellbrook {
namespace {

constexpr ControlKind kButton = ControlKind::kCommandButton;

// Not constexpr: the box's text is the embedded blocklist, which another
// translation unit defines; the rows are complete before main runs.
const ControlRow kControls[] = {
    {Text(1), ControlKind::kTextBox, kFormClientArea, BuiltInBlocklist(), {0, 0, 5415, 5295}, 0, kDisabled,
     nullptr, ScrollBars::kVertical},
    {Command(1), kButton, kFormClientArea, u"刷新", {0, 5280, 1095, 255}, 1},
    {Command(2), kButton, kFormClientArea, u"编辑", {1080, 5280, 1095, 255}, 2},
    {Command(3), kButton, kFormClientArea, u"保存", {2160, 5280, 1095, 255}, 3},
    {Command(4), kButton, kFormClientArea, u"查找", {3240, 5280, 1095, 255}, 4},
    {Command(5), kButton, kFormClientArea, u"模糊查找", {4320, 5280, 1095, 255}, 5},
};

}  // namespace

const FormTable kForm3Table{
    .caption = u"HOSTS迷你防火墙",
    .clientWidth = 5400,
    .clientHeight = 5535,
    .position = std::nullopt,
    .border = BorderStyle::kSizable,
    .defaultFont = kDefaultFont,
    .art = {.icon = QUELLBROOK_IDI_HOSTS},
    .controls = kControls,
};

}  // namespace quellbrook
