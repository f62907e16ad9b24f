// The main window as constant data: every control of Form1 in container order
// (each frame followed by the controls inside it), and the eight decorative
// lines. The XP check boxes are captioned as their service switches.

#include "app/form1.h"
#include "forms/default_font.h"
#include "resource_ids.h"
#include "scripts/service_switch.h"

namespace quellbrook {
namespace {

constexpr ControlKind kButton = ControlKind::kCommandButton;
constexpr ControlKind kCheck = ControlKind::kCheckBox;
constexpr ControlKind kText = ControlKind::kTextBox;
constexpr ControlKind kFrame = ControlKind::kFrame;

// The optimize and navigation buttons use smaller type: 7.5 points, normal
// weight, GB2312 character set.
constexpr FontChoice kSongTi75{u"宋体", 75, 400, 134};
constexpr FontChoice kHeiTi75{u"黑体", 75, 400, 134};

constexpr std::u16string_view kText2Text =
    u"  感谢你使用“Varnock”制作的软件。\r\n"
    u"欢迎登陆Morvale论坛一起讨论一起研究。\r\n"
    u"  装机优化必备,适用于大众/共享或拨号上网\r\n"
    u"/内存小/精简用户。并卸去所有主流多余服务\r\n"
    u"包括打印/摄像/共享等等占大内存的资源服务\r\n"
    u"可选功能,增加隔外的优化加速功能。HOSTS迷\r\n"
    u"你防火墙。增加VISTA后台优化。增加Win7后台\r\n"
    u"优化,修正BAT设置增加多选项目,关闭更多没用\r\n"
    u"的后台服务。             \r\n"
    u"                                -----Varnock   10/01/06\r\n"
    u"                                ----varnock@morvale.example\r\n"
    u"                                --------Varnock 2006-2010\r\n";

constexpr std::u16string_view kText3Text = u"VISTA后台优化目前提供处理，不提供功能\r\n";
constexpr std::u16string_view kText4Text = u"暂提供后台处理，不提供功能\r\n";

constexpr ControlRow kControls[] = {
    {Frame(4), kFrame, kFormClientArea, u"Win7后台服务", {3600, 0, 5535, 5295}, 42, kHidden, nullptr},
    {Command(22), kButton, Frame(4), u"快速备份当前服务", {2880, 5040, 1575, 255}, 47, kShownEnabled, nullptr},
    {Command(21), kButton, Frame(4), u"保存", {1920, 5040, 975, 255}, 46, kDisabled, nullptr},
    {Command(20), kButton, Frame(4), u"编辑", {960, 5040, 975, 255}, 45, kShownEnabled, nullptr},
    {Text(4), kText, Frame(4), kText4Text, {0, 240, 5535, 4815}, 44, kDisabled, nullptr, ScrollBars::kBoth},
    {Command(19), kButton, Frame(4), u"刷新", {0, 5040, 975, 255}, 43, kShownEnabled, nullptr},
    {Command(18), kButton, kFormClientArea, u"优化", {2400, 5040, 1095, 225}, 41, kShownEnabled, &kSongTi75},
    {Command(17), kButton, kFormClientArea, u"Win7", {2400, 4800, 1095, 225}, 40, kShownEnabled, nullptr},
    {Frame(3), kFrame, kFormClientArea, u"XP选项", {120, 1800, 3375, 2775}, 19, kShownEnabled, nullptr},
    {Check(1), kCheck, Frame(3), ServiceSwitchCaption(Check(1)), {0, 600, 1335, 180}, 39, kShownEnabled, nullptr},
    {Check(2), kCheck, Frame(3), ServiceSwitchCaption(Check(2)), {1680, 600, 1335, 180}, 38, kShownEnabled, nullptr},
    {Check(3), kCheck, Frame(3), ServiceSwitchCaption(Check(3)), {0, 2280, 1575, 180}, 37, kShownEnabled, nullptr},
    {Check(4), kCheck, Frame(3), ServiceSwitchCaption(Check(4)), {1680, 2280, 1575, 180}, 36, kShownEnabled, nullptr},
    {Check(5), kCheck, Frame(3), ServiceSwitchCaption(Check(5)), {0, 360, 1095, 180}, 35, kShownEnabled, nullptr},
    {Check(6), kCheck, Frame(3), ServiceSwitchCaption(Check(6)), {1680, 360, 1095, 180}, 34, kShownEnabled, nullptr},
    {Check(7), kCheck, Frame(3), ServiceSwitchCaption(Check(7)), {0, 840, 1335, 180}, 33, kShownEnabled, nullptr},
    {Check(8), kCheck, Frame(3), ServiceSwitchCaption(Check(8)), {1680, 840, 1335, 180}, 32, kShownEnabled, nullptr},
    {Check(9), kCheck, Frame(3), ServiceSwitchCaption(Check(9)), {0, 2040, 1575, 180}, 31, kShownEnabled, nullptr},
    {Check(10), kCheck, Frame(3), ServiceSwitchCaption(Check(10)), {1680, 2040, 1575, 180}, 30, kShownEnabled, nullptr},
    {Check(13), kCheck, Frame(3), ServiceSwitchCaption(Check(13)), {0, 1080, 1455, 180}, 29, kShownEnabled, nullptr},
    {Check(14), kCheck, Frame(3), ServiceSwitchCaption(Check(14)), {1680, 1080, 1455, 180}, 28, kShownEnabled, nullptr},
    {Check(15), kCheck, Frame(3), ServiceSwitchCaption(Check(15)), {0, 1320, 1455, 180}, 27, kShownEnabled, nullptr},
    {Check(11), kCheck, Frame(3), ServiceSwitchCaption(Check(11)), {0, 1560, 1455, 180}, 26, kShownEnabled, nullptr},
    {Check(12), kCheck, Frame(3), ServiceSwitchCaption(Check(12)), {1680, 1560, 1455, 180}, 25, kShownEnabled, nullptr},
    {Check(16), kCheck, Frame(3), ServiceSwitchCaption(Check(16)), {1680, 1320, 1575, 180}, 24, kShownEnabled, nullptr},
    {Check(17), kCheck, Frame(3), ServiceSwitchCaption(Check(17)), {0, 2520, 1575, 180}, 23, kShownEnabled, nullptr},
    {Check(18), kCheck, Frame(3), ServiceSwitchCaption(Check(18)), {1680, 2520, 1575, 180}, 22, kShownEnabled, nullptr},
    {Check(19), kCheck, Frame(3), ServiceSwitchCaption(Check(19)), {0, 1800, 1455, 180}, 21, kShownEnabled, nullptr},
    {Check(20), kCheck, Frame(3), ServiceSwitchCaption(Check(20)), {1680, 1800, 1455, 180}, 20, kShownEnabled, nullptr},
    {Command(16), kButton, kFormClientArea, u"优化", {1200, 5040, 1215, 225}, 18, kShownEnabled, &kSongTi75},
    {Command(1), kButton, kFormClientArea, u"Vista", {1200, 4800, 1215, 225}, 17, kShownEnabled, nullptr},
    {Frame(2), kFrame, kFormClientArea, u"Vista后台服务", {3600, 0, 5535, 5295}, 11, kHidden, nullptr},
    {Text(3), kText, Frame(2), kText3Text, {0, 240, 5535, 4815}, 16, kDisabled, nullptr, ScrollBars::kBoth},
    {Command(10), kButton, Frame(2), u"刷新", {0, 5040, 975, 255}, 15, kShownEnabled, nullptr},
    {Command(11), kButton, Frame(2), u"编辑", {960, 5040, 975, 255}, 14, kDisabled, nullptr},
    {Command(12), kButton, Frame(2), u"保存", {1920, 5040, 975, 255}, 13, kDisabled, nullptr},
    {Command(13), kButton, Frame(2), u"快速备份当前服务", {2880, 5040, 1575, 255}, 12, kShownEnabled, nullptr},
    {Command(15), kButton, kFormClientArea, u"优化", {120, 5040, 1095, 225}, 10, kShownEnabled, &kSongTi75},
    {Command(14), kButton, kFormClientArea, u"XP", {120, 4800, 1095, 225}, 9, kShownEnabled, nullptr},
    {Frame(1), kFrame, kFormClientArea, u"XP后台服务", {3600, 0, 5535, 5295}, 3, kShownEnabled, nullptr},
    {Command(6), kButton, Frame(1), u"刷新", {0, 5040, 975, 255}, 8, kShownEnabled, nullptr},
    {Text(2), kText, Frame(1), kText2Text, {0, 240, 5535, 4815}, 7, kDisabled, nullptr, ScrollBars::kBoth},
    {Command(7), kButton, Frame(1), u"编辑", {960, 5040, 975, 255}, 6, kDisabled, nullptr},
    {Command(8), kButton, Frame(1), u"保存", {1920, 5040, 975, 255}, 5, kDisabled, nullptr},
    {Command(9), kButton, Frame(1), u"快速备份当前服务", {2880, 5040, 1575, 255}, 4, kShownEnabled, nullptr},
    {Command(5), kButton, kFormClientArea, u"HOSTS迷你防火墙", {1800, 4560, 1695, 225}, 2, kShownEnabled, &kHeiTi75},
    {Command(4), kButton, kFormClientArea, u"隔外优化", {120, 4560, 1695, 225}, 1, kShownEnabled, &kSongTi75},
};

constexpr LineRow kLines[] = {
    {3480, 120, 3600, 120},    // Line8
    {3480, 120, 3480, 720},    // Line7
    {480, 1680, 480, 1560},    // Line6
    {2640, 1320, 2640, 1570},  // Line5
    {480, 1560, 2640, 1560},   // Line4
    {3240, 720, 3500, 720},    // Line3
    {3240, 0, 3240, 1330},     // Line2
    {0, 1320, 3240, 1320},     // Line1
};

}  // namespace

const FormTable kForm1Table{
    .caption = u"Quellbrook",
    .clientWidth = 9120,
    .clientHeight = 5310,
    .position = TwipsPoint{3720, 2610},
    .border = BorderStyle::kFixedSingle,
    .defaultFont = kDefaultFont,
    .art = {.icon = QUELLBROOK_IDI_MAIN, .backgroundPicture = QUELLBROOK_IDB_BANNER},
    .controls = kControls,
    .lines = kLines,
};

}  // namespace quellbrook
