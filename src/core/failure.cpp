#include "core/failure.h"

#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/number_text.h"

namespace quellbrook {
namespace {

std::u16string AsciiDetail(std::string_view what) {
  for (char c : what) {
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\0') return {};
  }
  return std::u16string(what.begin(), what.end());
}

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

PlatformError CurrentFailure() {
  try {
    throw;
  } catch (const PlatformError& failure) {
    return failure;
  } catch (const std::bad_alloc&) {
    return SystemError(error_number::kNotEnoughMemory);
  } catch (const std::length_error&) {
    // A text longer than the address space allows (a huge file on the 32-bit build).
    return SystemError(error_number::kNotEnoughMemory);
  } catch (const std::exception& failure) {
    return SystemError(error_number::kInternalError, AsciiDetail(failure.what()));
  } catch (...) {
    return SystemError(error_number::kInternalError);
  }
}

std::u16string FailureReportText(const PlatformError& failure) {
  std::u16string text = u"运行时错误 '" + NumberText(failure.Number()) + u"'：";
  if (!failure.Description().empty()) text += u"\r\n\r\n" + failure.Description();
  return text;
}

}  // namespace quellbrook
