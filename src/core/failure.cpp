#include "core/failure.h"

#include <string>

#include "core/number_text.h"

namespace quellbrook {
namespace {

// HRESULTs read best in hex, Win32 error codes in decimal.
std::u16string NumberText(std::uint32_t number) {
  return number >= 0x80000000u ? u"0x" + HexText(number, 8) : DecimalText(number);
}

}  // namespace

std::u16string WithDetail(std::u16string description, std::u16string_view detail) {
  if (!detail.empty()) {
    if (!description.empty()) description += u"\r\n";
    description += detail;
  }
  return description;
}

PlatformError SystemError(std::uint32_t number, std::u16string_view detail) {
  return PlatformError(number, WithDetail(KnownErrorText(number), detail));
}

std::u16string FailureReportText(const PlatformError& failure) {
  std::u16string text = u"运行时错误 '" + NumberText(failure.Number()) + u"'：";
  if (!failure.Description().empty()) text += u"\r\n\r\n" + failure.Description();
  return text;
}

}  // namespace quellbrook
