#pragma once
// The twenty XP service switches of the main window, one row each, and the one
// toggle they share: it rewrites the start mode of one service in xp.bat and
// clears the other switch of the pair.

#include <array>
#include <string_view>

#include "forms/control_id.h"

namespace quellbrook {

class Controls;
struct Services;

// The script the switches rewrite, the same one the XP panel loads and saves.
inline constexpr std::u16string_view kSwitchedScript = u"xp.bat";

struct ServiceSwitch {
  CheckBoxId checkBox;
  std::u16string_view caption;
  // Matched exactly, case-sensitive, anywhere in a line.
  std::u16string_view findText;
  std::u16string_view replacement;
  // The other switch of the same service.
  CheckBoxId partner;
};

// Check1 to Check20: for the k-th service, Check(2k-1) switches it from
// DISABLED to AUTO and Check(2k) from AUTO to DISABLED. Constant data that the
// main window's table takes its check boxes' captions from.
inline constexpr std::array<ServiceSwitch, 20> kServiceSwitches{{
    {Check(1), u"打开放火墙", u"ALG start= DISABLED", u"ALG start= AUTO", Check(2)},
    {Check(2), u"关闭放火墙", u"ALG start= AUTO", u"ALG start= DISABLED", Check(1)},
    {Check(3), u"打开事件查看器", u"Eventlog start= DISABLED", u"Eventlog start= AUTO", Check(4)},
    {Check(4), u"关闭事件查看器", u"Eventlog start= AUTO", u"Eventlog start= DISABLED", Check(3)},
    {Check(5), u"打开帮助", u"helpsvc start= DISABLED", u"helpsvc start= AUTO", Check(6)},
    {Check(6), u"关闭帮助", u"helpsvc start= AUTO", u"helpsvc start= DISABLED", Check(5)},
    {Check(7), u"打开打印机", u"Spooler start= DISABLED", u"Spooler start= AUTO", Check(8)},
    {Check(8), u"关闭打印机", u"Spooler start= AUTO", u"Spooler start= DISABLED", Check(7)},
    {Check(9), u"打开扫描/摄像", u"stisvc start= DISABLED", u"stisvc start= AUTO", Check(10)},
    {Check(10), u"关闭扫描/摄像", u"stisvc start= AUTO", u"stisvc start= DISABLED", Check(9)},
    {Check(11), u"打开自动更新", u"wuauserv start= DISABLED", u"wuauserv start= AUTO", Check(12)},
    {Check(12), u"关闭自动更新", u"wuauserv start= AUTO", u"wuauserv start= DISABLED", Check(11)},
    {Check(13), u"打开布景主题", u"Themes start= DISABLED", u"Themes start= AUTO", Check(14)},
    {Check(14), u"关闭布景主题", u"Themes start= AUTO", u"Themes start= DISABLED", Check(13)},
    {Check(15), u"打开打印共享", u"LmHosts start= DISABLED", u"LmHosts start= AUTO", Check(16)},
    {Check(16), u"关闭打印共享", u"LmHosts start= AUTO", u"LmHosts start= DISABLED", Check(15)},
    {Check(17), u"打开双网卡共享", u"WebClient start= DISABLED", u"WebClient start= AUTO", Check(18)},
    {Check(18), u"关闭双网卡共享", u"WebClient start= AUTO", u"WebClient start= DISABLED", Check(17)},
    {Check(19), u"打开自分配IP", u"Dhcp start= DISABLED", u"Dhcp start= AUTO", Check(20)},
    {Check(20), u"关闭自分配IP", u"Dhcp start= AUTO", u"Dhcp start= DISABLED", Check(19)},
}};

// The caption of the switch of `checkBox`, for the main window's table.
consteval std::u16string_view ServiceSwitchCaption(ControlId checkBox) {
  for (const ServiceSwitch& row : kServiceSwitches) {
    if (row.checkBox == checkBox) return row.caption;
  }
  throw "no service switch has this check box";
}

// The switch whose check box is `checkBox`, or nullptr.
const ServiceSwitch* FindServiceSwitch(ControlId checkBox);

// Runs after the user has changed the box, which already shows its new state.
// The rewrite goes in the switch's own direction whether the box became ticked
// or clear; setting the partner's box runs nothing of the partner's.
void ToggleServiceSwitch(const ServiceSwitch& toggled, Controls& controls, Services& services);

}  // namespace quellbrook
