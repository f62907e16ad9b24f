#pragma once
// The registry as a test sees it from its own process, always in the 64-bit
// view: values read back with their type, and a guard that puts what a test
// touches back as it found it, so that tests on the real registry do not
// depend on their order.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quellbrook::test_support {

struct RegistryValue {
  DWORD type;
  std::vector<BYTE> bytes;

  // The data of a REG_SZ without its terminating NUL; nothing for other types.
  std::optional<std::wstring> Text() const;
  // The data of a REG_DWORD; nothing for other types.
  std::optional<DWORD> Number() const;
};

// Nothing when the value or its key is missing.
std::optional<RegistryValue> ReadRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name);
bool RegistryKeyExists(HKEY root, const std::wstring& key);
// Creates the key if it is missing. False when that or the write fails.
bool SetRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type,
                      const std::vector<BYTE>& bytes);
void DeleteRegistryValue(HKEY root, const std::wstring& key, const std::wstring& name);
// True for a 32-bit test on 64-bit Windows, whose program sees the 32-bit view.
bool Is32BitProcessOn64BitWindows();

class RegistryGuard {
 public:
  RegistryGuard() = default;
  ~RegistryGuard();
  RegistryGuard(const RegistryGuard&) = delete;
  RegistryGuard& operator=(const RegistryGuard&) = delete;

  // Remembers the value as it is now, and which keys of its path are missing;
  // afterwards the value comes back (or goes again) and those keys are removed.
  void KeepValue(HKEY root, const std::wstring& key, const std::wstring& name);
  // Remembers the whole key as it is now; afterwards it is removed and, if it
  // was there, copied back, or else the keys of its path that were missing
  // are removed. False when the copy could not be taken.
  bool KeepKey(HKEY root, const std::wstring& key);

 private:
  struct KeptValue {
    HKEY root;
    std::wstring key;
    std::wstring name;
    std::optional<RegistryValue> before;
    std::optional<std::wstring> firstMissingKey;
  };
  struct KeptKey {
    HKEY root;
    std::wstring key;
    std::optional<std::wstring> backup;  // where the copy lies, if the key was there
    std::optional<std::wstring> firstMissingKey;
  };
  std::vector<KeptValue> values_;
  std::vector<KeptKey> keys_;
};

}  // namespace quellbrook::test_support
