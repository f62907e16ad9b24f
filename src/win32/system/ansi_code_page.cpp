#include "win32/system/ansi_code_page.h"

#include <windows.h>

#include <limits>

#include "win32/system/win32_error.h"

namespace quellbrook::win32 {
namespace {

constexpr UINT kUtf8CodePage = 65001;

int CheckedLength(std::size_t size) {
  if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    ThrowWin32Error(ERROR_ARITHMETIC_OVERFLOW);
  }
  return static_cast<int>(size);
}

}  // namespace

std::optional<std::u16string> AnsiCodePage::Decode(std::string_view bytes) const {
  if (bytes.empty()) return std::u16string();
  int byteCount = CheckedLength(bytes.size());
  int length = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), byteCount, nullptr, 0);
  if (length == 0) {
    if (::GetLastError() == ERROR_NO_UNICODE_TRANSLATION) return std::nullopt;
    ThrowLastError();
  }
  std::u16string text(static_cast<std::size_t>(length), u'\0');
  if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), byteCount,
                            reinterpret_cast<wchar_t*>(text.data()), length) == 0) {
    ThrowLastError();
  }
  return text;
}

std::optional<std::string> AnsiCodePage::Encode(std::u16string_view text) const {
  if (text.empty()) return std::string();
  int unitCount = CheckedLength(text.size());
  const auto* units = reinterpret_cast<const wchar_t*>(text.data());
  // UTF-8 has no default character: there the API reports invalid text itself
  // and refuses a lpUsedDefaultChar.
  bool utf8 = ::GetACP() == kUtf8CodePage;
  DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;

  int length = ::WideCharToMultiByte(CP_ACP, flags, units, unitCount, nullptr, 0, nullptr, usedDefaultOut);
  if (length == 0) {
    if (::GetLastError() == ERROR_NO_UNICODE_TRANSLATION) return std::nullopt;
    ThrowLastError();
  }
  if (usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (::WideCharToMultiByte(CP_ACP, flags, units, unitCount, bytes.data(), length, nullptr, nullptr) == 0) {
    ThrowLastError();
  }
  return bytes;
}

int AnsiCodePage::MaxCharBytes() const {
  CPINFO info{};
  if (!::GetCPInfo(CP_ACP, &info)) ThrowLastError();
  return static_cast<int>(info.MaxCharSize);
}

}  // namespace quellbrook::win32
