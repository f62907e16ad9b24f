#pragma once
// What a call that is meant to fail threw.

#include <cstdint>
#include <optional>

#include "core/failure.h"

namespace quellbrook::test_support {

// The PlatformError that `call` throws; nothing when it returns.
template <typename Call>
std::optional<PlatformError> FailureOf(Call&& call) {
  try {
    call();
  } catch (const PlatformError& failure) {
    return failure;
  }
  return std::nullopt;
}

// The number of the PlatformError that `call` throws; 0 when it returns.
template <typename Call>
std::uint32_t FailureNumber(Call&& call) {
  const std::optional<PlatformError> failure = FailureOf(call);
  return failure ? failure->Number() : 0;
}

}  // namespace quellbrook::test_support
