#pragma once
// What each button of the extra optimization window must write or delete,
// written down here once and apart from the program's own table: the unit
// test holds the program's calls to its scripting host against it, and the
// end-to-end tests the real registry after a click.

#include <cstddef>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace quellbrook::test_support {

// One call to the scripting host. A write's path is the root key in full, the
// key and the value name, and its data is text; `type` is the type argument,
// none when the host is left to store a string. A delete's path names a key
// and ends in a backslash.
struct TweakStep {
  enum class Kind { kWrite, kDelete };
  Kind kind;
  std::u16string_view path;
  std::u16string_view data = {};
  std::optional<std::u16string_view> type = std::nullopt;
};

struct ExpectedTweak {
  const char* name;
  int button;  // n of Command(n)
  bool endsQuietly;
  // The first step whose key 64-bit Windows redirects for a 32-bit program
  // (1-based; 0: none). There the x86 build stops, leaving that step undone.
  std::size_t firstRedirected;
  std::vector<TweakStep> steps;
};

inline void PrintTo(const ExpectedTweak& tweak, std::ostream* out) { *out << tweak.name; }

inline const ExpectedTweak kExpectedTweaks[] = {
    {"Command1", 1, true, 1,
     {{TweakStep::Kind::kDelete,
       u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\"
       u"DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}\\"}}},
    {"Command2", 2, false, 1,
     {{TweakStep::Kind::kWrite,
       u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AlwaysUnloadDLL", u"1"}}},
    {"Command3", 3, false, 0,
     {{TweakStep::Kind::kWrite,
       u"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDriveTypeAutoRun",
       u"b5"}}},
    {"Command4", 4, false, 0,
     {{TweakStep::Kind::kWrite, u"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Update\\UpdateMode",
       u"0"}}},
    {"Command5", 5, true, 3,
     {{TweakStep::Kind::kWrite,
       u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\"
       u"PrefetchParameters\\EnablePrefetcher",
       u"1"},
      {TweakStep::Kind::kWrite, u"HKEY_CURRENT_USER\\Control Panel\\Desktop\\MenuShowDelay", u"0"},
      {TweakStep::Kind::kDelete,
       u"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace\\"
       u"{D6277990-4C6A-11CF-8D87-00AA0060F5BF}\\"}}},
    {"Command6", 6, false, 0,
     {{TweakStep::Kind::kWrite,
       u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\FileSystem\\Ntfsdisablelastassessupdate", u"1"},
      {TweakStep::Kind::kWrite,
       u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\FileSystem\\NtfsDisable8dot3NameCreation", u"1"},
      {TweakStep::Kind::kWrite,
       u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\FileSystem\\NtfsMftzonereservation", u"3"}}},
    {"Command7", 7, false, 0,
     {{TweakStep::Kind::kWrite,
       u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\"
       u"PrefetchParameters\\EnableSuperfetch",
       u"0", u"REG_DWORD"},
      {TweakStep::Kind::kWrite,
       u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\"
       u"PrefetchParameters\\EnablePrefetcher",
       u"0", u"REG_DWORD"}}},
    {"Command8", 8, false, 0,
     {{TweakStep::Kind::kWrite, u"HKEY_CURRENT_USER\\Control Panel\\Desktop\\Window Metrics\\MinAniMate", u"0",
       u"REG_SZ"}}},
    {"Command9", 9, false, 0,
     {{TweakStep::Kind::kWrite,
       u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\EnableLUA", u"0",
       u"REG_DWORD"}}},
    {"Command10", 10, false, 0,
     {{TweakStep::Kind::kWrite,
       u"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\"
       u"PrefetchParameters\\EnablePrefetcher",
       u"0"}}},
};

}  // namespace quellbrook::test_support
