#include "scripts/service_switch.h"

#include <string>

#include "core/file_channel.h"
#include "core/file_channel_scope.h"
#include "core/joined_text.h"
#include "core/text_search.h"
#include "forms/services.h"
#include "forms/widget.h"

namespace quellbrook {

namespace {
constexpr SwitchDirection kOn = SwitchDirection::kOn;
constexpr SwitchDirection kOff = SwitchDirection::kOff;
}  // namespace

const std::array<ServiceSwitch, 20> kServiceSwitches{{
    {Check(1), u"打开放火墙", u"ALG", kOn, u"ALG start= DISABLED", u"ALG start= AUTO", Check(2)},
    {Check(2), u"关闭放火墙", u"ALG", kOff, u"ALG start= AUTO", u"ALG start= DISABLED", Check(1)},
    {Check(3), u"打开事件查看器", u"Eventlog", kOn, u"Eventlog start= DISABLED", u"Eventlog start= AUTO", Check(4)},
    {Check(4), u"关闭事件查看器", u"Eventlog", kOff, u"Eventlog start= AUTO", u"Eventlog start= DISABLED", Check(3)},
    {Check(5), u"打开帮助", u"helpsvc", kOn, u"helpsvc start= DISABLED", u"helpsvc start= AUTO", Check(6)},
    {Check(6), u"关闭帮助", u"helpsvc", kOff, u"helpsvc start= AUTO", u"helpsvc start= DISABLED", Check(5)},
    {Check(7), u"打开打印机", u"Spooler", kOn, u"Spooler start= DISABLED", u"Spooler start= AUTO", Check(8)},
    {Check(8), u"关闭打印机", u"Spooler", kOff, u"Spooler start= AUTO", u"Spooler start= DISABLED", Check(7)},
    {Check(9), u"打开扫描/摄像", u"stisvc", kOn, u"stisvc start= DISABLED", u"stisvc start= AUTO", Check(10)},
    {Check(10), u"关闭扫描/摄像", u"stisvc", kOff, u"stisvc start= AUTO", u"stisvc start= DISABLED", Check(9)},
    {Check(11), u"打开自动更新", u"wuauserv", kOn, u"wuauserv start= DISABLED", u"wuauserv start= AUTO", Check(12)},
    {Check(12), u"关闭自动更新", u"wuauserv", kOff, u"wuauserv start= AUTO", u"wuauserv start= DISABLED", Check(11)},
    {Check(13), u"打开布景主题", u"Themes", kOn, u"Themes start= DISABLED", u"Themes start= AUTO", Check(14)},
    {Check(14), u"关闭布景主题", u"Themes", kOff, u"Themes start= AUTO", u"Themes start= DISABLED", Check(13)},
    {Check(15), u"打开打印共享", u"LmHosts", kOn, u"LmHosts start= DISABLED", u"LmHosts start= AUTO", Check(16)},
    {Check(16), u"关闭打印共享", u"LmHosts", kOff, u"LmHosts start= AUTO", u"LmHosts start= DISABLED", Check(15)},
    {Check(17), u"打开双网卡共享", u"WebClient", kOn, u"WebClient start= DISABLED", u"WebClient start= AUTO", Check(18)},
    {Check(18), u"关闭双网卡共享", u"WebClient", kOff, u"WebClient start= AUTO", u"WebClient start= DISABLED", Check(17)},
    {Check(19), u"打开自分配IP", u"Dhcp", kOn, u"Dhcp start= DISABLED", u"Dhcp start= AUTO", Check(20)},
    {Check(20), u"关闭自分配IP", u"Dhcp", kOff, u"Dhcp start= AUTO", u"Dhcp start= DISABLED", Check(19)},
}};

const ServiceSwitch* FindServiceSwitch(ControlId checkBox) {
  for (const ServiceSwitch& row : kServiceSwitches) {
    if (row.checkBox == checkBox) return &row;
  }
  return nullptr;
}

namespace {

// The script as joined text, with the switch's replacement made in every line.
// Line by line keeps the work linear: nothing is searched across a line break,
// and a line without the find text (most of them) is copied only once.
std::u16string RewrittenScript(const ServiceSwitch& toggled, FileChannel& files) {
  const FileChannelScope scope(files);
  files.OpenForInput(kSwitchedScript);
  std::u16string text;
  while (!files.AtEnd()) {
    const std::u16string line = files.ReadLine();
    if (FindText(line, toggled.findText) == 0) {
      text += line;
    } else {
      text += ReplaceAll(line, toggled.findText, toggled.replacement);
    }
    text += u"\r\n";
  }
  files.CloseFile();
  return text;
}

}  // namespace

void ToggleServiceSwitch(const ServiceSwitch& toggled, Controls& controls, Services& services) {
  const std::u16string text = RewrittenScript(toggled, services.files);
  // Saved like a panel's text, so every toggle adds one empty line at the end.
  WriteSavedText(services.files, kSwitchedScript, text);
  // Only after the file is in place: a failed rewrite leaves the partner alone.
  if (controls[toggled.checkBox].CheckValue() == 1) controls[toggled.partner].SetCheckValue(0);
}

}  // namespace quellbrook
