// Event objects, handles, the module handle and the last error.
#include <gtest/gtest.h>

#include "platform/Win32.h"
#ifndef _WIN32
#include "platform/PlatformTest.h"
#endif

TEST(WinKernelEvents, BadHandlesFail) {
  SetLastError(0);
  EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(SetEvent(nullptr));
  EXPECT_FALSE(ResetEvent(nullptr));
  EXPECT_FALSE(CloseHandle(nullptr));

  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  EXPECT_TRUE(CloseHandle(event));
  SetLastError(0);
  EXPECT_FALSE(SetEvent(event));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(event));
}

TEST(WinKernelEvents, AnAutoResetEventLetsOneWaitThrough) {
  HANDLE event = CreateEventA(nullptr, FALSE, TRUE, nullptr);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(SetEvent(event));
  EXPECT_TRUE(SetEvent(event));  // signalling twice does not count twice
  EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(CloseHandle(event));
}

TEST(WinKernelEvents, AManualResetEventStaysSignalledUntilReset) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(SetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ResetEvent(event));
  EXPECT_EQ(WaitForSingleObject(event, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(CloseHandle(event));
}

TEST(WinKernelEvents, TheModuleHandleIsStableAndTheLastErrorKept) {
  const HMODULE module = GetModuleHandleA(nullptr);
  EXPECT_NE(module, nullptr);
  EXPECT_EQ(GetModuleHandleA(nullptr), module);
  SetLastError(1234);
  EXPECT_EQ(GetLastError(), 1234u);
  SetLastError(0);
  EXPECT_EQ(GetModuleHandleA("no-such-module-here.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

#ifndef _WIN32
TEST(WinKernelEventsDeathTest, WaitingForEverOnAnUnsignalledEventAborts) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  EXPECT_DEATH(WaitForSingleObject(event, INFINITE), "for ever");
  CloseHandle(event);
}

TEST(WinKernelEvents, AFiniteWaitOnTheTestClockPassesThatTime) {
  PlatformTest::UseTestClock(500);
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 40), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(timeGetTime(), 540u);
  Sleep(60);
  EXPECT_EQ(timeGetTime(), 600u);
  CloseHandle(event);
  PlatformTest::Reset();
}
#endif
