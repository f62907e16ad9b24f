#include "win32/system/interrupted_save.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "win32/system/unique_handle.h"

namespace quellbrook::win32 {
namespace {

// Whether the process that named a sibling may still be using it. Only an id
// no process has counts as gone: a process we may not look at is left alone.
bool ProcessMayBeRunning(DWORD processId) {
  if (processId == ::GetCurrentProcessId()) return true;
  UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!process) return ::GetLastError() != ERROR_INVALID_PARAMETER;
  return ::WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

// The process id in a sibling's name "~<name>.<process id>.<counter><suffix>",
// or nothing when the name is not one of ours for this target.
std::optional<DWORD> SiblingOwner(std::wstring_view sibling, std::wstring_view name, std::wstring_view suffix) {
  if (sibling.size() <= name.size() + suffix.size() + 2 || sibling[0] != L'~' ||
      sibling.substr(1, name.size()) != name || sibling[name.size() + 1] != L'.' || !sibling.ends_with(suffix)) {
    return std::nullopt;
  }
  std::wstring_view numbers = sibling.substr(name.size() + 2, sibling.size() - name.size() - 2 - suffix.size());
  const std::size_t dot = numbers.find(L'.');
  if (dot == 0 || dot == std::wstring_view::npos || dot + 1 == numbers.size() || dot > 10) return std::nullopt;
  std::uint64_t processId = 0;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i == dot) continue;
    if (numbers[i] < L'0' || numbers[i] > L'9') return std::nullopt;
    if (i < dot) processId = processId * 10 + static_cast<unsigned>(numbers[i] - L'0');
  }
  if (processId > std::numeric_limits<DWORD>::max()) return std::nullopt;
  return static_cast<DWORD>(processId);
}

// Calls visit(sibling, owner) for each file beside the target named as ours
// with that suffix, whose process is gone.
template <typename Visit>
void ForEachOrphanedSibling(const std::wstring& target, std::wstring_view suffix, Visit visit) {
  const std::size_t nameStart = target.find_last_of(L"\\/") + 1;  // npos + 1 is 0
  const std::wstring folder = target.substr(0, nameStart);
  const std::wstring name = target.substr(nameStart);
  WIN32_FIND_DATAW found{};
  UniqueFind search(::FindFirstFileExW((folder + L"~" + name + L".*").c_str(), FindExInfoBasic, &found,
                                       FindExSearchNameMatch, nullptr, 0));
  if (!search) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    const std::optional<DWORD> owner = SiblingOwner(found.cFileName, name, suffix);
    if (owner && !ProcessMayBeRunning(*owner)) visit(folder + found.cFileName, found);
  } while (::FindNextFileW(search.Get(), &found));
}

}  // namespace

std::wstring SiblingName(const std::wstring& target, const wchar_t* suffix) {
  static std::atomic<unsigned> counter{0};
  std::size_t nameStart = target.find_last_of(L"\\/") + 1;  // npos + 1 is 0
  return target.substr(0, nameStart) + L"~" + target.substr(nameStart) + L"." +
         std::to_wstring(::GetCurrentProcessId()) + L"." + std::to_wstring(counter++) + suffix;
}

void RemoveStaleSiblings(const std::wstring& target, bool targetExists) {
  const auto remove = [](const std::wstring& sibling, const WIN32_FIND_DATAW&) { ::DeleteFileW(sibling.c_str()); };
  ForEachOrphanedSibling(target, L".tmp", remove);
  if (targetExists) ForEachOrphanedSibling(target, L".old", remove);
}

// ReplaceFileW with a backup name renames the old file to it, then the
// replacement to the target: two steps on Windows as under Wine.
bool RestoreStrandedBackup(const std::wstring& target) {
  std::wstring newest;
  FILETIME newestTime{};
  ForEachOrphanedSibling(target, L".old", [&](const std::wstring& sibling, const WIN32_FIND_DATAW& found) {
    if (newest.empty() || ::CompareFileTime(&found.ftLastWriteTime, &newestTime) > 0) {
      newest = sibling;
      newestTime = found.ftLastWriteTime;
    }
  });
  return !newest.empty() && ::MoveFileExW(newest.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
}

}  // namespace quellbrook::win32
