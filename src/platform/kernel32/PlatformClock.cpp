// The one clock behind timeGetTime, the timers, Sleep and timed waits: the
// system's monotonic clock, or the test clock of PlatformTest.
#include "platform/kernel32/PlatformClock.h"

#include <ctime>

namespace {

struct ClockState {
  bool test = false;
  uint64_t testNow = 0;
};

ClockState& State() {
  static ClockState state;
  return state;
}

uint64_t SystemNow() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

}  // namespace

namespace PlatformClock {

uint64_t Now() {
  return State().test ? State().testNow : SystemNow();
}

bool IsTest() {
  return State().test;
}

void UseTest(DWORD start) {
  State().test = true;
  State().testNow = start;
}

void UseSystem() {
  State().test = false;
}

void Advance(uint64_t milliseconds) {
  if (State().test) State().testNow += milliseconds;
}

void WaitUntil(uint64_t time) {
  if (State().test) {
    if (State().testNow < time) State().testNow = time;
    return;
  }
  for (uint64_t now = SystemNow(); now < time; now = SystemNow()) {
    const uint64_t left = time - now;
    timespec ts{static_cast<time_t>(left / 1000u), static_cast<long>((left % 1000u) * 1000000u)};
    nanosleep(&ts, nullptr);
  }
}

}  // namespace PlatformClock
