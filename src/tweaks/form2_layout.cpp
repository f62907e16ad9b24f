// The extra optimization window as constant data: ten buttons in two columns
// and five rows, numbered and tabbed row by row, left before right.

#include "forms/default_font.h"
#include "resource_ids.h"
#include "tweaks/form2.h"

namespace quellbrook {
namespace {

constexpr ControlKind kButton = ControlKind::kCommandButton;

// The parentheses of Command7, Command9 and Command10 are full-width; the
// slashes of Command5 are ASCII.
constexpr ControlRow kControls[] = {
    {Command(1), kButton, kFormClientArea, u"删除我的电脑中共享文档", {120, 120, 2295, 375}, 0},
    {Command(2), kButton, kFormClientArea, u"卸载无用的动态链接", {2520, 120, 2295, 375}, 1},
    {Command(3), kButton, kFormClientArea, u"关闭光驱自动加载光盘", {120, 600, 2295, 375}, 2},
    {Command(4), kButton, kFormClientArea, u"加快XP自动更新率", {2520, 600, 2295, 375}, 3},
    {Command(5), kButton, kFormClientArea, u"加速开机/启动/网上邻居", {120, 1080, 2295, 375}, 4},
    {Command(6), kButton, kFormClientArea, u"NTFS文件系统优化", {2520, 1080, 2295, 375}, 5},
    {Command(7), kButton, kFormClientArea, u"关闭预读取\uFF08VISTA\uFF09", {120, 1560, 2295, 375}, 6},
    {Command(8), kButton, kFormClientArea, u"禁用Vista的UAP", {2520, 1560, 2295, 375}, 7},
    {Command(9), kButton, kFormClientArea, u"加快窗口弹出\uFF08VISTA\uFF09", {120, 2040, 2295, 375}, 8},
    {Command(10), kButton, kFormClientArea, u"快速启动系统\uFF08Win7\uFF09", {2520, 2040, 2295, 375}, 9},
};

}  // namespace

const FormTable kForm2Table{
    .caption = u"隔外优化",
    .clientWidth = 4935,
    .clientHeight = 2490,
    .position = TwipsPoint{4695, 3570},
    .border = BorderStyle::kFixedSingle,
    .defaultFont = kDefaultFont,
    .art = {.icon = QUELLBROOK_IDI_MAIN},
    .controls = kControls,
};

}  // namespace quellbrook
