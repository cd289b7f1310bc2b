#pragma once
// Internal to the platform layer: the one clock behind timeGetTime, the timers
// and Sleep. It is the system's monotonic clock, or a clock that only tests move.

#include <cstdint>

#include "platform/WinApi.h"

namespace PlatformClock {

// Milliseconds on the current clock as a count that never wraps; timeGetTime
// is its low 32 bits. The system clock counts from boot.
uint64_t Now();
bool IsTest();

// Switches to a test clock reading start (as timeGetTime), or back to the system clock.
void UseTest(DWORD start);
void UseSystem();

// Moves the test clock forward; does nothing on the system clock.
void Advance(uint64_t milliseconds);

// Lets time pass until Now() reaches the given value: the system clock sleeps,
// the test clock jumps there at once. A time already past returns at once.
void WaitUntil(uint64_t time);

}  // namespace PlatformClock
