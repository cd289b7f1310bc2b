// Sending, posting, the message loop, painting and timers.
#include "UserTestSupport.h"
#include "support/KnownWineDifference.h"

using WinUserMessages = UserTest;

TEST_F(WinUserMessages, BadArgumentsFail) {
  MSG msg;
  SKIP_ON_WINE("Wine faults on a null message, which GetMessageA documents as a failure") {
    EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
  }
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  ASSERT_TRUE(DestroyWindow(hwnd));
  SetLastError(0);
  EXPECT_EQ(GetMessageA(&msg, hwnd, 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE));
  SKIP_ON_WINE("Wine faults on a null message (nothing promises that Windows does not)") {
    EXPECT_EQ(DispatchMessageA(nullptr), 0);
    EXPECT_FALSE(TranslateMessage(nullptr));
  }
  EXPECT_FALSE(KillTimer(nullptr, 12345));
}

TEST_F(WinUserMessages, SendMessageCallsTheProcedureAtOnceAndNests) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  std::vector<UINT> order;
  handler_ = [&](HWND h, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_USER) {
      order.push_back(WM_USER);
      const LRESULT inner = SendMessageA(h, WM_USER + 1, wParam + 1, 0);
      order.push_back(WM_USER + 2);
      return inner * 10;
    }
    if (message == WM_USER + 1) {
      order.push_back(WM_USER + 1);
      return static_cast<LRESULT>(wParam);
    }
    return std::nullopt;
  };
  EXPECT_EQ(SendMessageA(hwnd, WM_USER, 4, 0), 50);
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_USER + 2}));
  // Nothing went through the queue.
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 10, PM_NOREMOVE));
}

TEST_F(WinUserMessages, PostedMessagesComeInOrderAndTheQuitMessageEndsTheLoop) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  for (WPARAM i = 1; i <= 3; ++i) ASSERT_TRUE(PostMessageA(hwnd, WM_USER + static_cast<UINT>(i), i, 0));
  PostQuitMessage(7);

  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
  // A range filter skips what it does not take without losing it.
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_NOREMOVE));
  EXPECT_EQ(msg.wParam, 3u);

  std::vector<WPARAM> seen;
  BOOL result;
  while ((result = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    seen.push_back(msg.wParam);
    EXPECT_EQ(msg.hwnd, hwnd);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(result, 0);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(seen, (std::vector<WPARAM>{1, 2, 3}));
  EXPECT_EQ(Recorded({WM_USER + 1, WM_USER + 2, WM_USER + 3}),
            (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_USER + 3}));
}

TEST_F(WinUserMessages, PaintComesWhileInvalidAfterPostedMessages) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  PostMessageA(hwnd, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));

  // Taking WM_PAINT does not validate; only painting does.
  ASSERT_TRUE(PeekMessageA(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));
  PAINTSTRUCT paint;
  ASSERT_NE(BeginPaint(hwnd, &paint), nullptr);
  EXPECT_EQ(paint.rcPaint, ClientRectOf(hwnd));
  EXPECT_TRUE(EndPaint(hwnd, &paint));
  EXPECT_FALSE(PeekMessageA(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));

  // An invalidated part comes back as the area to paint.
  RECT part{10, 20, 30, 40};
  EXPECT_TRUE(InvalidateRect(hwnd, &part, FALSE));
  ASSERT_TRUE(PeekMessageA(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));
  ASSERT_NE(BeginPaint(hwnd, &paint), nullptr);
  EXPECT_EQ(paint.rcPaint, part);
  EndPaint(hwnd, &paint);

  // The default handling paints, erasing first when asked to.
  log_.clear();
  InvalidateRect(hwnd, nullptr, TRUE);
  std::vector<UINT> drained = Drain(hwnd);
  // Wine's X11 driver may add a mouse move for the window it has just shown.
  if (RunningUnderWine()) std::erase(drained, static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(drained, (std::vector<UINT>{WM_PAINT}));
  EXPECT_EQ(Recorded({WM_ERASEBKGND}).size(), 1u);
}

#ifndef _WIN32
TEST_F(WinUserMessages, ALateTimerGivesOneMessageAfterPaint) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  EXPECT_EQ(SetTimer(hwnd, 5, 100, nullptr), 5u);
  PlatformTest::AdvanceClock(1000);
  PostMessageA(hwnd, WM_USER, 0, 0);

  // Posted, then paint, then one timer message however late it is.
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_USER, WM_PAINT, WM_TIMER}));
  EXPECT_EQ(Last(WM_TIMER).wParam, 5u);
  PlatformTest::AdvanceClock(99);
  EXPECT_TRUE(Drain().empty());
  PlatformTest::AdvanceClock(1);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_TIMER}));
}

TEST_F(WinUserMessages, KillTimerDropsItsPendingMessageAndSetTimerReplaces) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  ASSERT_EQ(SetTimer(hwnd, 1, 100, nullptr), 1u);
  ASSERT_EQ(SetTimer(hwnd, 2, 100, nullptr), 2u);
  PlatformTest::AdvanceClock(150);
  EXPECT_TRUE(KillTimer(hwnd, 1));
  EXPECT_FALSE(KillTimer(hwnd, 1));
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_TIMER}));
  EXPECT_EQ(Last(WM_TIMER).wParam, 2u);

  // Setting the same id again restarts it with the new interval.
  ASSERT_EQ(SetTimer(hwnd, 2, 500, nullptr), 2u);
  PlatformTest::AdvanceClock(499);
  EXPECT_TRUE(Drain().empty());
  PlatformTest::AdvanceClock(1);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_TIMER}));
}

TEST_F(WinUserMessages, SetTimerFailsWhenToldTo) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  PlatformTest::FailNextSetTimer(2);
  EXPECT_EQ(SetTimer(hwnd, 1, 66, nullptr), 0u);
  EXPECT_EQ(SetTimer(hwnd, 1, 66, nullptr), 0u);
  EXPECT_EQ(SetTimer(hwnd, 1, 66, nullptr), 1u);

  // The case of a window whose creation starts its timer.
  PlatformTest::FailNextSetTimer(1);
  UINT_PTR during = 99;
  handler_ = [&](HWND h, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_CREATE) {
      during = SetTimer(h, 1, 66, nullptr);
      return during ? 0 : -1;
    }
    return std::nullopt;
  };
  EXPECT_EQ(Create(), nullptr);
  EXPECT_EQ(during, 0u);
}

TEST_F(WinUserMessages, GetMessageMovesTheTestClockToTheNextTimer) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  const DWORD start = timeGetTime();
  ASSERT_NE(SetTimer(hwnd, 3, 250, nullptr), 0u);
  MSG msg;
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(timeGetTime() - start, 250u);
  EXPECT_EQ(msg.time, timeGetTime());
}

namespace {

void PostQuitOnThirdCall(void* context) {
  int& calls = *static_cast<int*>(context);
  if (++calls == 3) PostQuitMessage(4);
}

void TimerCallback(HWND hwnd, UINT message, UINT_PTR id, DWORD) {
  PostMessageA(hwnd, WM_USER + static_cast<UINT>(id), message, 0);
}

}  // namespace

TEST_F(WinUserMessages, TheIdleHookRunsWhenNothingIsReady) {
  int calls = 0;
  PlatformTest::SetIdleHook(&PostQuitOnThirdCall, &calls);
  MSG msg;
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(WinUserMessages, GetMessageWithNothingToWaitForReturnsMinusOne) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  MSG msg;
  testing::internal::CaptureStderr();
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("GetMessageA"), std::string::npos);
}

TEST_F(WinUserMessages, DispatchCallsTheTimerProcedure) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  ASSERT_EQ(SetTimer(hwnd, 2, 100, &TimerCallback), 2u);
  PlatformTest::AdvanceClock(100);
  EXPECT_EQ(Drain(), (std::vector<UINT>{WM_TIMER, WM_USER + 2}));
  EXPECT_EQ(Last(WM_USER + 2).wParam, static_cast<WPARAM>(WM_TIMER));
  EXPECT_TRUE(Recorded({WM_TIMER}).empty());
}
#endif
