// The errors the portable code raises, worded as Chinese Windows words them, so
// that its reports read like the system's own on every build.

#include <utility>

#include "core/failure.h"

namespace quellbrook {

std::u16string KnownErrorText(std::uint32_t number) {
  static constexpr std::pair<std::uint32_t, std::u16string_view> kTexts[] = {
      {error_number::kFileNotFound, u"系统找不到指定的文件。"},
      {error_number::kPathNotFound, u"系统找不到指定的路径。"},
      {error_number::kAccessDenied, u"拒绝访问。"},
      {error_number::kInvalidHandle, u"句柄无效。"},
      {error_number::kNotEnoughMemory, u"存储空间不足，无法处理此命令。"},
      {error_number::kSharingViolation, u"另一个程序正在使用此文件，进程无法访问。"},
      {error_number::kHandleEof, u"已到文件结尾。"},
      {error_number::kNotSupported, u"不支持该请求。"},
      {error_number::kEnvironmentVariableNotFound, u"系统找不到输入的环境选项。"},
      {error_number::kNoUnicodeTranslation, u"在多字节的目标代码页中，没有此 Unicode 字符可以映射到的字符。"},
      {error_number::kInternalError, u"发生内部错误。"},
  };
  for (const auto& [known, text] : kTexts) {
    if (known == number) return std::u16string(text);
  }
  return u"未知错误。";
}

}  // namespace quellbrook
