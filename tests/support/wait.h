#pragma once
// Polling for a condition that another process brings about in its own time.

#include <chrono>
#include <thread>

namespace quellbrook::test_support {

// True as soon as `condition` holds; false when it still does not after `timeoutMs`.
template <typename Condition>
bool WaitUntil(Condition condition, int timeoutMs = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace quellbrook::test_support
