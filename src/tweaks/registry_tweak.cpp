#include "tweaks/registry_tweak.h"

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "core/failure.h"
#include "forms/services.h"

namespace quellbrook {
namespace {

// Written by three buttons, each with its own data and type: the last press
// decides.
constexpr std::u16string_view kEnablePrefetcher =
    u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\"
    u"PrefetchParameters\\EnablePrefetcher";

constexpr std::u16string_view kDword = u"REG_DWORD";
constexpr std::u16string_view kString = u"REG_SZ";

}  // namespace

// Paths, letter case and value names exactly as the tweaks have always written
// them ("Ntfsdisablelastassessupdate" and "MinAniMate" included); the registry
// ignores the case of key and value names.
constinit const std::array<RegistryTweak, 10> kRegistryTweaks{{
    {Command(1), OnFailure::kEndQuietly,
     {RedirectedUnderWow64(RegDeleteStep(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                         u"MyComputer\\NameSpace\\DelegateFolders\\"
                                         u"{59031a47-3f72-44a7-89c5-5595fe6b30ee}\\"))}},
    {Command(2), OnFailure::kReport,
     {RedirectedUnderWow64(RegWriteStep(
         u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL", u"1"))}},
    {Command(3), OnFailure::kReport,
     {RegWriteStep(u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\"
                   u"NoDriveTypeAutoRun",
                   u"b5")}},
    {Command(4), OnFailure::kReport,
     {RegWriteStep(u"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Update\\UpdateMode", u"0")}},
    {Command(5), OnFailure::kEndQuietly,
     {RegWriteStep(kEnablePrefetcher, u"1"),
      RegWriteStep(u"HKEY_CURRENT_USER\\Control Panel\\Desktop\\MenuShowDelay", u"0"),
      RedirectedUnderWow64(RegDeleteStep(u"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                         u"RemoteComputer\\NameSpace\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}\\"))}},
    {Command(6), OnFailure::kReport,
     {RegWriteStep(u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\FileSystem\\Ntfsdisablelastassessupdate",
                   u"1"),
      RegWriteStep(u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\FileSystem\\NtfsDisable8dot3NameCreation",
                   u"1"),
      RegWriteStep(u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\FileSystem\\NtfsMftzonereservation",
                   u"3")}},
    {Command(7), OnFailure::kReport,
     {RegWriteStep(u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\"
                   u"Memory Management\\PrefetchParameters\\EnableSuperfetch",
                   u"0", kDword),
      RegWriteStep(kEnablePrefetcher, u"0", kDword)}},
    {Command(8), OnFailure::kReport,
     {RegWriteStep(u"HKEY_CURRENT_USER\\Control Panel\\Desktop\\Window Metrics\\MinAniMate", u"0", kString)}},
    {Command(9), OnFailure::kReport,
     {RegWriteStep(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\EnableLUA",
                   u"0", kDword)}},
    {Command(10), OnFailure::kReport, {RegWriteStep(kEnablePrefetcher, u"0")}},
}};

const RegistryTweak* FindRegistryTweak(ControlId button) {
  for (const RegistryTweak& tweak : kRegistryTweaks) {
    if (tweak.button == button) return &tweak;
  }
  return nullptr;
}

namespace {

// The in-process host of a 32-bit program on 64-bit Windows would change the
// key's 32-bit copy, which 64-bit Windows never reads, and a delete there
// would fail unseen. Its 64-bit host cannot be reached out of process without
// registering a surrogate for it on the user's system, so the step fails.
PlatformError Wow64Redirected(std::u16string_view key) {
  return SystemError(error_number::kNotSupported,
                     u"x86 版在 64 位 Windows 上无法修改注册表项“" + std::u16string(key) +
                         u"”：Windows 会把这一改动转到 32 位程序专用的 WOW6432Node 下，系统并不读取那里。"
                         u"请改用 x64 版。");
}

void PerformSteps(const RegistryTweak& tweak, Services& services) {
  const bool wow64 = services.environment.Is32BitProgramOn64BitWindows();
  // Each step gets a host of its own, kept to the end of the tweak and
  // released here, however the tweak ends.
  std::vector<std::unique_ptr<ScriptingHost>> hosts;
  hosts.reserve(tweak.Steps().size());
  for (const RegistryOperation& step : tweak.Steps()) {
    if (wow64 && step.redirectedUnderWow64) throw Wow64Redirected(step.Key());
    ScriptingHost& host = *hosts.emplace_back(services.scripting.CreateScriptingHost());
    switch (step.kind) {
      case RegistryOperation::Kind::kWrite: host.RegWrite(step.path, step.data, step.type); break;
      case RegistryOperation::Kind::kDelete: host.RegDelete(step.path); break;
    }
  }
}

}  // namespace

void RunRegistryTweak(const RegistryTweak& tweak, Services& services) {
  if (tweak.onFailure == OnFailure::kReport) return PerformSteps(tweak, services);
  try {
    PerformSteps(tweak, services);
  } catch (const std::exception&) {
    // Ends quietly: a second press of Command1 finds its key gone, and that is
    // no news to the user.
  }
}

}  // namespace quellbrook
