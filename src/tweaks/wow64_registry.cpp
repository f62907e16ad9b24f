#include "tweaks/wow64_registry.h"

#include <cstddef>
#include <string>
#include <utility>

namespace quellbrook {
namespace {

struct KeyRule {
  std::u16string_view key;  // root by its short name
  bool redirected;
};

// Microsoft's table of registry keys affected by WOW64, Windows 7 and later:
// each key's subkeys behave as the key does unless a subkey has a row of its
// own, and a key under no row is shared.
constexpr KeyRule kRules[] = {
    {u"HKLM\\SOFTWARE", true},
    {u"HKLM\\SOFTWARE\\Classes", false},
    {u"HKLM\\SOFTWARE\\Classes\\Appid", false},
    {u"HKLM\\SOFTWARE\\Classes\\CLSID", true},
    {u"HKLM\\SOFTWARE\\Classes\\DirectShow", true},
    {u"HKLM\\SOFTWARE\\Classes\\HCP", false},
    {u"HKLM\\SOFTWARE\\Classes\\Interface", true},
    {u"HKLM\\SOFTWARE\\Classes\\Media Type", true},
    {u"HKLM\\SOFTWARE\\Classes\\MediaFoundation", true},
    {u"HKLM\\SOFTWARE\\Clients", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\COM3", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Cryptography\\Calais\\Current", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Cryptography\\Calais\\Readers", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Cryptography\\Services", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\CTF\\SystemShared", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\CTF\\TIP", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\DFS", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Driver Signing", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\EnterpriseCertificates", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\EventSystem", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\MSMQ", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Non-Driver Signing", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Notepad\\DefaultFonts", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\OLE", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\RAS", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\RPC", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Shared Tools\\MSInfo", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\SystemCertificates", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\TermServLicensing", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\TransactionServer", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Control Panel\\Cursors\\Schemes", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\KindMap", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Group Policy", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\PreviewHandlers", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Console", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontDpi", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontLink", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontMapper", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Gre_Initialize", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Language Pack", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", false},
    {u"HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones", false},
    {u"HKLM\\SOFTWARE\\Policies", false},
    {u"HKLM\\SOFTWARE\\RegisteredApplications", false},
    {u"HKCU\\SOFTWARE\\Classes\\CLSID", true},
    {u"HKCU\\SOFTWARE\\Classes\\DirectShow", true},
    {u"HKCU\\SOFTWARE\\Classes\\Interface", true},
    {u"HKCU\\SOFTWARE\\Classes\\Media Type", true},
    {u"HKCU\\SOFTWARE\\Classes\\MediaFoundation", true},
    // HKEY_CLASSES_ROOT merges the two Classes keys, redirections included.
    {u"HKCR\\CLSID", true},
    {u"HKCR\\DirectShow", true},
    {u"HKCR\\Interface", true},
    {u"HKCR\\Media Type", true},
    {u"HKCR\\MediaFoundation", true},
};

constexpr std::pair<std::u16string_view, std::u16string_view> kRootNames[] = {
    {u"HKEY_LOCAL_MACHINE", u"HKLM"},
    {u"HKEY_CURRENT_USER", u"HKCU"},
    {u"HKEY_CLASSES_ROOT", u"HKCR"},
};

// The registry compares names without regard to case; these names are ASCII.
bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// True when `rule` is `key` or one of its parents.
bool Covers(std::u16string_view rule, std::u16string_view key) {
  if (key.size() < rule.size() || !SameName(key.substr(0, rule.size()), rule)) return false;
  return key.size() == rule.size() || key[rule.size()] == u'\\';
}

}  // namespace

bool Wow64RedirectsKey(std::u16string_view key) {
  const std::size_t rootEnd = key.find(u'\\');
  const std::u16string_view root = key.substr(0, rootEnd);
  const std::u16string_view rest = rootEnd == std::u16string_view::npos ? std::u16string_view() : key.substr(rootEnd);
  std::u16string shortKey;
  for (const auto& [longName, shortName] : kRootNames) {
    if (SameName(root, longName) || SameName(root, shortName)) shortKey = std::u16string(shortName) + std::u16string(rest);
  }
  if (shortKey.empty()) return false;  // other roots are shared

  const KeyRule* closest = nullptr;
  for (const KeyRule& rule : kRules) {
    if (Covers(rule.key, shortKey) && (!closest || rule.key.size() > closest->key.size())) closest = &rule;
  }
  return closest && closest->redirected;
}

}  // namespace quellbrook
