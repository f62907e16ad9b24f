#pragma once
// Waiting a moment on the user-interface thread, as a service, so that logic
// that waits can be tested without the wait.

#include <chrono>

namespace quellbrook {

class Pause {
 public:
  virtual ~Pause() = default;
  virtual void Wait(std::chrono::milliseconds duration) = 0;
};

}  // namespace quellbrook
