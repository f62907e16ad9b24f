#pragma once
// The HOSTS window: the system's HOSTS file shown, edited, saved and searched
// in one text box that starts out holding the built-in blocklist.

#include <string_view>

#include "forms/form_logic.h"

namespace quellbrook {

extern const FormTable kForm3Table;
extern const WindowDefinition kForm3Window;

// Appended to every line that a search puts into the box.
inline constexpr std::u16string_view kFoundSuffix = u" 该恶意网站已存在";
inline constexpr std::u16string_view kSearchPrompt = u"请输入要搜索的恶意网站:";
inline constexpr std::u16string_view kHostsSavedMessage = u"成功写入hosts文件……";
// Appended to the value of SystemRoot as it is, without a separator.
inline constexpr std::u16string_view kHostsUnderSystemRoot = u"\\system32\\drivers\\etc\\hosts";

}  // namespace quellbrook
