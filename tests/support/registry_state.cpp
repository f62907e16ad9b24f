#include "registry_state.h"

#include <cstring>

namespace quellbrook::test_support {
namespace {

// Copies of kept keys lie here while a test runs.
constexpr wchar_t kBackupRoot[] = L"Software\\QuellbrookTestBackup";

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
  if (RegOpenKeyExW(fromRoot, from.c_str(), 0, KEY_READ, &source) == ERROR_SUCCESS &&
      RegCreateKeyExW(toRoot, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) ==
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
  RegistryValue value{};
  DWORD size = 0;
  if (RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &value.type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  if (RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                   size ? value.bytes.data() : nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  return value;
}

bool RegistryKeyExists(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
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
      RegDeleteTreeW(kept->root, kept->firstMissingKey->c_str());
    } else if (kept->before) {
      RegSetKeyValueW(kept->root, kept->key.c_str(), kept->name.c_str(), kept->before->type,
                      kept->before->bytes.data(), static_cast<DWORD>(kept->before->bytes.size()));
    } else {
      RegDeleteKeyValueW(kept->root, kept->key.c_str(), kept->name.c_str());
    }
  }
  for (auto kept = keys_.rbegin(); kept != keys_.rend(); ++kept) {
    RegDeleteTreeW(kept->root, kept->firstMissingKey.value_or(kept->key).c_str());
    if (kept->backup) {
      CopyTree(HKEY_CURRENT_USER, *kept->backup, kept->root, kept->key);
      RegDeleteTreeW(HKEY_CURRENT_USER, kept->backup->c_str());
    }
  }
  RegDeleteKeyW(HKEY_CURRENT_USER, kBackupRoot);  // only if no other run still keeps a copy there
}

}  // namespace quellbrook::test_support
