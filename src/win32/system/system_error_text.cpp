#include "win32/system/system_error_text.h"

#include "win32/system/unique_handle.h"

namespace quellbrook::win32 {
namespace {

// FormatMessageW's text for `number`, or empty when the system has none.
// Language 0 gives the user's display language, so Chinese Windows words the
// report in Chinese, as its own dialogs do. Wine with a Chinese locale answers in
// Chinese too, but in its own words ("找不到文件。" where Windows says
// "系统找不到指定的文件。"), and it has no text for many COM HRESULTs that
// Windows knows (CO_E_CLASSSTRING, DISP_E_EXCEPTION), which then get
// KnownErrorText's general one.
std::u16string FormattedMessage(DWORD number) {
  LPWSTR buffer = nullptr;
  DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, number, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  UniqueLocalMemory owner(buffer);
  if (length == 0 || buffer == nullptr) return {};
  std::u16string text(reinterpret_cast<const char16_t*>(buffer), length);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) {
    text.pop_back();
  }
  return text;
}

}  // namespace

std::u16string SystemErrorText(std::uint32_t number) {
  // An HRESULT that wraps a Win32 error reads best as that error.
  HRESULT result = static_cast<HRESULT>(number);
  if (FAILED(result) && HRESULT_FACILITY(result) == FACILITY_WIN32) {
    std::u16string text = FormattedMessage(HRESULT_CODE(result));
    if (!text.empty()) return text;
  }
  std::u16string text = FormattedMessage(number);
  if (!text.empty()) return text;
  // The failure report shows the number itself.
  return KnownErrorText(number);
}

PlatformError Win32Error(std::uint32_t number, std::u16string_view detail) {
  return PlatformError(number, WithDetail(SystemErrorText(number), detail));
}

}  // namespace quellbrook::win32
