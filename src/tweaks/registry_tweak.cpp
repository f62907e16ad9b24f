#include "tweaks/registry_tweak.h"

#include <exception>
#include <memory>
#include <vector>

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
     {RegDeleteStep(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\"
                    u"NameSpace\\DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}\\")}},
    {Command(2), OnFailure::kReport,
     {RegWriteStep(u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL",
                   u"1")}},
    {Command(3), OnFailure::kReport,
     {RegWriteStep(u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\"
                   u"NoDriveTypeAutoRun",
                   u"b5")}},
    {Command(4), OnFailure::kReport,
     {RegWriteStep(u"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Update\\UpdateMode", u"0")}},
    {Command(5), OnFailure::kEndQuietly,
     {RegWriteStep(kEnablePrefetcher, u"1"),
      RegWriteStep(u"HKEY_CURRENT_USER\\Control Panel\\Desktop\\MenuShowDelay", u"0"),
      RegDeleteStep(u"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\"
                    u"NameSpace\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}\\")}},
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

void PerformSteps(const RegistryTweak& tweak, ScriptingHostFactory& scripting) {
  // Each step gets a host of its own, kept to the end of the tweak and
  // released here, however the tweak ends.
  std::vector<std::unique_ptr<ScriptingHost>> hosts;
  hosts.reserve(tweak.Steps().size());
  for (const RegistryOperation& step : tweak.Steps()) {
    ScriptingHost& host = *hosts.emplace_back(scripting.CreateScriptingHost());
    switch (step.kind) {
      case RegistryOperation::Kind::kWrite: host.RegWrite(step.path, step.data, step.type); break;
      case RegistryOperation::Kind::kDelete: host.RegDelete(step.path); break;
    }
  }
}

}  // namespace

void RunRegistryTweak(const RegistryTweak& tweak, ScriptingHostFactory& scripting) {
  if (tweak.onFailure == OnFailure::kReport) return PerformSteps(tweak, scripting);
  try {
    PerformSteps(tweak, scripting);
  } catch (const std::exception&) {
    // Ends quietly: a second press of Command1 finds its key gone, and that is
    // no news to the user.
  }
}

}  // namespace quellbrook
