#pragma once
// The pause service on Windows: the thread sleeps.

#include "core/pause.h"

namespace quellbrook::win32 {

class SleepingPause final : public Pause {
 public:
  void Wait(std::chrono::milliseconds duration) override;
};

}  // namespace quellbrook::win32
