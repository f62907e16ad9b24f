#pragma once
// What each button of the extra optimization window leaves in the registry:
// the tweak window's tests check it, and every test that clicks those buttons
// keeps it, so that a run on a real Windows leaves the registry as it was.

#include <windows.h>

#include <cstddef>
#include <ostream>
#include <vector>

#include "registry_state.h"

namespace quellbrook::e2e {

// What one step of a tweak leaves behind: a value of that type and data, or,
// where `value` is null, the key gone.
struct Effect {
  HKEY root;
  const wchar_t* key;
  const wchar_t* value;
  DWORD type = REG_NONE;
  const wchar_t* text = nullptr;  // REG_SZ
  DWORD number = 0;               // REG_DWORD
};

struct Tweak {
  const char* name;
  int button;
  bool endsQuietly;
  // The first effect whose key 64-bit Windows redirects for a 32-bit program
  // (1-based; 0: none). There the x86 build stops, leaving that step undone.
  std::size_t firstRedirected;
  std::vector<Effect> effects;
};

inline void PrintTo(const Tweak& tweak, std::ostream* out) { *out << tweak.name; }

inline constexpr wchar_t kPrefetch[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";
inline constexpr wchar_t kFileSystem[] = L"SYSTEM\\CurrentControlSet\\Control\\FileSystem";
inline constexpr wchar_t kSharedDocuments[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\DelegateFolders\\"
    L"{59031a47-3f72-44a7-89c5-5595fe6b30ee}";
inline constexpr wchar_t kRemoteTasks[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace\\"
    L"{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";

inline const Tweak kTweaks[] = {
    {"Command1", 1, true, 1, {{HKEY_LOCAL_MACHINE, kSharedDocuments, nullptr}}},
    {"Command2",
     2, false, 1,
     {{HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer", L"AlwaysUnloadDLL", REG_SZ,
       L"1"}}},
    {"Command3",
     3, false, 0,
     {{HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoDriveTypeAutoRun",
       REG_SZ, L"b5"}}},
    {"Command4",
     4, false, 0,
     {{HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\Update", L"UpdateMode", REG_SZ, L"0"}}},
    {"Command5",
     5, true, 3,
     {{HKEY_LOCAL_MACHINE, kPrefetch, L"EnablePrefetcher", REG_SZ, L"1"},
      {HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"MenuShowDelay", REG_SZ, L"0"},
      {HKEY_LOCAL_MACHINE, kRemoteTasks, nullptr}}},
    {"Command6",
     6, false, 0,
     {{HKEY_LOCAL_MACHINE, kFileSystem, L"Ntfsdisablelastassessupdate", REG_SZ, L"1"},
      {HKEY_LOCAL_MACHINE, kFileSystem, L"NtfsDisable8dot3NameCreation", REG_SZ, L"1"},
      {HKEY_LOCAL_MACHINE, kFileSystem, L"NtfsMftzonereservation", REG_SZ, L"3"}}},
    {"Command7",
     7, false, 0,
     {{HKEY_LOCAL_MACHINE, kPrefetch, L"EnableSuperfetch", REG_DWORD, nullptr, 0},
      {HKEY_LOCAL_MACHINE, kPrefetch, L"EnablePrefetcher", REG_DWORD, nullptr, 0}}},
    {"Command8",
     8, false, 0,
     {{HKEY_CURRENT_USER, L"Control Panel\\Desktop\\Window Metrics", L"MinAniMate", REG_SZ, L"0"}}},
    {"Command9",
     9, false, 0,
     {{HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", L"EnableLUA",
       REG_DWORD, nullptr, 0}}},
    {"Command10", 10, false, 0, {{HKEY_LOCAL_MACHINE, kPrefetch, L"EnablePrefetcher", REG_SZ, L"0"}}},
};

// Keeps everything the buttons touch, to be put back when `guard` ends.
// False when a key could not be copied.
inline bool KeepEveryTweakEffect(test_support::RegistryGuard& guard) {
  for (const Tweak& tweak : kTweaks) {
    for (const Effect& effect : tweak.effects) {
      if (effect.value) {
        guard.KeepValue(effect.root, effect.key, effect.value);
      } else if (!guard.KeepKey(effect.root, effect.key)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace quellbrook::e2e
