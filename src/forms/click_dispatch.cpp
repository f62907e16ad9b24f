#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/failure.h"
#include "core/file_channel.h"
#include "forms/form_logic.h"
#include "forms/services.h"

namespace quellbrook {
namespace {

// The C++ library's messages are ASCII; anything else would be in an unknown
// code page, and is left out rather than shown garbled.
std::u16string AsciiDetail(std::string_view what) {
  for (char c : what) {
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\0') return {};
  }
  return std::u16string(what.begin(), what.end());
}

void Report(const PlatformError& failure, Services& services) {
  services.files.Abandon();
  services.boxes.ShowFailure(failure);
}

}  // namespace

void RunClickHandler(FormLogic& logic, ControlId control, Services& services) {
  try {
    logic.Click(control);
  } catch (const PlatformError& failure) {
    Report(failure, services);
  } catch (const std::bad_alloc&) {
    Report(SystemError(error_number::kNotEnoughMemory), services);
  } catch (const std::length_error&) {
    // A text longer than the address space allows (a huge file on the 32-bit build).
    Report(SystemError(error_number::kNotEnoughMemory), services);
  } catch (const std::exception& failure) {
    Report(SystemError(error_number::kInternalError, AsciiDetail(failure.what())), services);
  }
}

}  // namespace quellbrook
