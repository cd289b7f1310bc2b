// timeGetTime, on the system's clock and on the test clock.
#include <chrono>

#include "platform/user32/UserTestSupport.h"

// On the system's clock the time moves on by itself, a millisecond or a few
// at a time (Windows counts in steps of 1 to 16 ms), never backwards.
TEST(WinMMSystemTime, TimeGetTimeMovesOnInSmallSteps) {
#ifndef _WIN32
  PlatformTest::Reset();
#endif
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  DWORD previous = timeGetTime();
  int steps = 0;
  while (steps < 5 && std::chrono::steady_clock::now() < deadline) {
    const DWORD now = timeGetTime();
    if (now == previous) continue;
    const DWORD step = now - previous;
    EXPECT_LE(step, 1000u) << "a step of " << step << " ms (unsigned: a step back is a huge one)";
    previous = now;
    ++steps;
  }
  EXPECT_EQ(steps, 5) << "the time stood still for five seconds";
}

#ifndef _WIN32

using WinMMTime = UserTest;

TEST_F(WinMMTime, TimeGetTimeFollowsTheTestClockAndWraps) {
  PlatformTest::UseTestClock(0xFFFFFF00u);
  EXPECT_EQ(timeGetTime(), 0xFFFFFF00u);
  PlatformTest::AdvanceClock(0x100);
  EXPECT_EQ(timeGetTime(), 0u);
  PlatformTest::AdvanceClock(5);
  EXPECT_EQ(timeGetTime(), 5u);
}

TEST_F(WinMMTime, TimersKeepTheirIntervalAcrossTheWrap) {
  PlatformTest::UseTestClock(0xFFFFFFC0u);
  HWND hwnd = Create();
  ASSERT_NE(SetTimer(hwnd, 1, 100, nullptr), 0u);
  PlatformTest::AdvanceClock(99);
  EXPECT_TRUE(Drain().empty());
  PlatformTest::AdvanceClock(1);
  EXPECT_EQ(timeGetTime(), 0x24u);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_TIMER}));

  // Switching clocks keeps the time left to each timer.
  PlatformTest::AdvanceClock(30);
  PlatformTest::UseTestClock(7);
  PlatformTest::AdvanceClock(69);
  EXPECT_TRUE(Drain().empty());
  PlatformTest::AdvanceClock(1);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_TIMER}));
}

#endif
