#include "win32/system/sleeping_pause.h"

#include <windows.h>

namespace quellbrook::win32 {

void SleepingPause::Wait(std::chrono::milliseconds duration) { ::Sleep(static_cast<DWORD>(duration.count())); }

}  // namespace quellbrook::win32
