// timeGetTime: the low 32 bits of the layer's clock, so it wraps as on Windows.
#include "platform/WinApi.h"
#include "platform/kernel32/PlatformClock.h"

DWORD timeGetTime() {
  return static_cast<DWORD>(PlatformClock::Now());
}
