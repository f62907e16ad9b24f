#pragma once
// What a save cut short by the end of its process (killed, or the machine lost
// power) leaves beside its target: the replacement it was writing, or, when it
// died between the two renames of its swap, the old content under the backup
// name and no target at all. The names are ours and carry the saving process's
// id, so that only files of processes that have ended are touched.

#include <string>

namespace quellbrook::win32 {

// A name beside the target that no other file of ours uses:
// ~<name>.<process id>.<counter><suffix>.
std::wstring SiblingName(const std::wstring& target, const wchar_t* suffix);

// Puts the newest old content that an ended save left under the backup name
// back in the target's place, unless a file of that name has appeared
// meanwhile. True when it did.
bool RestoreStrandedBackup(const std::wstring& target);

// Removes the replacements that ended saves left beside the target, and their
// backups while the target exists: until the swap finished, a backup may be
// the only copy of the old content.
void RemoveStaleSiblings(const std::wstring& target, bool targetExists);

}  // namespace quellbrook::win32
