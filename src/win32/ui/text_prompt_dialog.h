#pragma once
// The input box: a modal dialog built in memory with a prompt (static 100),
// one entry field (edit 101), OK and Cancel, captioned with the application
// title, sized to the prompt and centred on its owner.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace quellbrook::win32 {

inline constexpr int kPromptTextId = 100;
inline constexpr int kPromptEntryId = 101;

// The typed text after OK; nothing after Cancel or closing the box.
std::optional<std::u16string> RunTextPrompt(HWND owner, std::u16string_view title, std::u16string_view prompt);

}  // namespace quellbrook::win32
