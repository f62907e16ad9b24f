#pragma once
// The one failure type the logic sees. The platform turns every Win32 error code
// and HRESULT into a PlatformError at its boundary; handlers either let it reach
// the click dispatcher (which reports it) or trap it themselves.

#include <cstdint>
#include <exception>
#include <string>

namespace quellbrook {

// Win32 error numbers that portable code raises itself. They share the numbering
// of the system's own errors so that every report reads alike.
namespace error_number {
inline constexpr std::uint32_t kFileNotFound = 2;          // ERROR_FILE_NOT_FOUND
inline constexpr std::uint32_t kPathNotFound = 3;          // ERROR_PATH_NOT_FOUND
inline constexpr std::uint32_t kAccessDenied = 5;          // ERROR_ACCESS_DENIED
inline constexpr std::uint32_t kInvalidHandle = 6;         // ERROR_INVALID_HANDLE
inline constexpr std::uint32_t kNotEnoughMemory = 8;       // ERROR_NOT_ENOUGH_MEMORY
inline constexpr std::uint32_t kSharingViolation = 32;     // ERROR_SHARING_VIOLATION
inline constexpr std::uint32_t kLockViolation = 33;        // ERROR_LOCK_VIOLATION
inline constexpr std::uint32_t kHandleEof = 38;            // ERROR_HANDLE_EOF
inline constexpr std::uint32_t kNotSupported = 50;         // ERROR_NOT_SUPPORTED
inline constexpr std::uint32_t kEnvironmentVariableNotFound = 203;  // ERROR_ENVVAR_NOT_FOUND
inline constexpr std::uint32_t kNoUnicodeTranslation = 1113;  // ERROR_NO_UNICODE_TRANSLATION
inline constexpr std::uint32_t kUnableToRemoveReplaced = 1175;  // ERROR_UNABLE_TO_REMOVE_REPLACED
inline constexpr std::uint32_t kUnableToMoveReplacement = 1176;  // ERROR_UNABLE_TO_MOVE_REPLACEMENT
inline constexpr std::uint32_t kInternalError = 1359;         // ERROR_INTERNAL_ERROR
}  // namespace error_number

class PlatformError : public std::exception {
 public:
  PlatformError(std::uint32_t number, std::u16string description)
      : number_(number), description_(std::move(description)) {}

  // A Win32 error code, or an HRESULT for failures of COM objects.
  std::uint32_t Number() const noexcept { return number_; }
  const std::u16string& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return "platform operation failed"; }

 private:
  std::uint32_t number_;
  std::u16string description_;
};

// How Chinese Windows words the errors that portable code raises itself; an
// unknown number gets a general text (the report shows the number anyway).
std::u16string KnownErrorText(std::uint32_t number);

// `description` with an optional detail below it that names what the operation
// was working on.
std::u16string WithDetail(std::u16string description, std::u16string_view detail);

// A PlatformError for one of the numbers above, described in Chinese Windows'
// words plus the optional detail.
PlatformError SystemError(std::uint32_t number, std::u16string_view detail = {});

// The failure that the exception being handled stands for; call it only inside
// a catch block. A PlatformError stays as it is; running out of memory becomes
// kNotEnoughMemory; anything else kInternalError, with the C++ library's
// message below it when that is ASCII (its code page is unknown otherwise).
PlatformError CurrentFailure();

// What the user reads in the error report of an untrapped failure.
std::u16string FailureReportText(const PlatformError& failure);

}  // namespace quellbrook
