#include "registry_state.h"

#include <cstring>

namespace quellbrook::test_support {
namespace {

// Copies of kept keys lie here while a test runs.
constexpr wchar_t kBackupRoot[] = L"Software\\QuellbrookTestBackup";

// Every access goes to the 64-bit view, which 64-bit Windows reads, whatever
// this process's bitness; 32-bit Windows ignores the flag.
constexpr REGSAM kView = KEY_WOW64_64KEY;

// Removes the key with everything in it.
void DeleteTree(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_ALL_ACCESS | kView, &opened) != ERROR_SUCCESS) return;
  RegDeleteTreeW(opened, nullptr);
  RegCloseKey(opened);
  RegDeleteKeyExW(root, key.c_str(), kView, 0);
}

std::optional<std::wstring> FirstMissingKey(HKEY root, const std::wstring& key) {
  for (std::size_t end = key.find(L'\\');; end = key.find(L'\\', end + 1)) {
    const std::wstring prefix = key.substr(0, end);
    if (!RegistryKeyExists(root, prefix)) return prefix;
    if (end == std::wstring::npos) return std::nullopt;
  }
}

bool CopyTree(HKEY fromRoot, const std::wstring& from, HKEY toRoot, const std::wstring& to) {
  HKEY source = nullptr;
  HKEY target = nullptr;
  bool copied = false;
  if (RegOpenKeyExW(fromRoot, from.c_str(), 0, KEY_READ | kView, &source) == ERROR_SUCCESS &&
      RegCreateKeyExW(toRoot, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kView, nullptr, &target, nullptr) ==
          ERROR_SUCCESS) {
    copied = RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
  }
  if (source) RegCloseKey(source);
  if (target) RegCloseKey(target);
  return copied;
}

}  // namespace

std::optional<std::wstring> RegistryValue::Text() const {
  if (type != REG_SZ) return std::nullopt;
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::optional<DWORD> RegistryValue::Number() const {
  if (type != REG_DWORD || bytes.size() != sizeof(DWORD)) return std::nullopt;
  DWORD number = 0;
  std::memcpy(&number, bytes.data(), sizeof number);
  return number;
}

std::optional<RegistryValue> ReadRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | kView, &opened) != ERROR_SUCCESS) return std::nullopt;
  RegistryValue value{};
  DWORD size = 0;
  LSTATUS status = RegGetValueW(opened, nullptr, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &value.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.bytes.resize(size);
    status = RegGetValueW(opened, nullptr, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                          size ? value.bytes.data() : nullptr, &size);
  }
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS) return std::nullopt;
  value.bytes.resize(size);
  return value;
}

bool RegistryKeyExists(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ | kView, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

bool SetRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type,
                      const std::vector<BYTE>& bytes) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | kView, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const bool set = RegSetValueExW(opened, name.c_str(), 0, type, bytes.data(), static_cast<DWORD>(bytes.size())) ==
                   ERROR_SUCCESS;
  RegCloseKey(opened);
  return set;
}

void DeleteRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE | kView, &opened) != ERROR_SUCCESS) return;
  RegDeleteValueW(opened, name.c_str());
  RegCloseKey(opened);
}

bool Is32BitProcessOn64BitWindows() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

void RegistryGuard::KeepValue(HKEY root, const std::wstring& key, const std::wstring& name) {
  values_.push_back({root, key, name, ReadRegistryValue(root, key, name), FirstMissingKey(root, key)});
}

bool RegistryGuard::KeepKey(HKEY root, const std::wstring& key) {
  KeptKey kept{root, key, std::nullopt, FirstMissingKey(root, key)};
  if (!kept.firstMissingKey) {
    kept.backup = std::wstring(kBackupRoot) + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(keys_.size());
    if (!CopyTree(root, key, HKEY_CURRENT_USER, *kept.backup)) return false;
  }
  keys_.push_back(std::move(kept));
  return true;
}

RegistryGuard::~RegistryGuard() {
  // Last kept first, so that what was kept twice ends as it was first found.
  for (auto kept = values_.rbegin(); kept != values_.rend(); ++kept) {
    if (kept->firstMissingKey) {
      DeleteTree(kept->root, *kept->firstMissingKey);
    } else if (kept->before) {
      SetRegistryValue(kept->root, kept->key, kept->name, kept->before->type, kept->before->bytes);
    } else {
      DeleteRegistryValue(kept->root, kept->key, kept->name);
    }
  }
  for (auto kept = keys_.rbegin(); kept != keys_.rend(); ++kept) {
    DeleteTree(kept->root, kept->firstMissingKey.value_or(kept->key));
    if (kept->backup) {
      CopyTree(HKEY_CURRENT_USER, *kept->backup, kept->root, kept->key);
      DeleteTree(HKEY_CURRENT_USER, *kept->backup);
    }
  }
  RegDeleteKeyW(HKEY_CURRENT_USER, kBackupRoot);  // only if no other run still keeps a copy there
}

}  // namespace quellbrook::test_support
