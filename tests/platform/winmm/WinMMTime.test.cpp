// timeGetTime and the test clock.
#include "platform/user32/UserTestSupport.h"

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
