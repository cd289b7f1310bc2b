#include "shell/TDirect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PlatformTest.h"

namespace {

// Records which operations the message switch calls, in order.
class TRecorder : public TDirect {
 public:
  TRecorder() : TDirect("Запись") {}
  std::vector<std::string> Calls;

  LRESULT OnCreate() override { return Note("OnCreate"); }
  LRESULT OnDestroy() override { return Note("OnDestroy"); }
  LRESULT OnSize() override { return Note("OnSize"); }
  LRESULT OnMove() override { return Note("OnMove"); }
  LRESULT OnGetMinMaxInfo() override { return Note("OnGetMinMaxInfo"); }
  LRESULT OnMouseMove() override { return Note("OnMouseMove"); }
  LRESULT OnLButtonUp() override { return Note(LButtonDown ? "OnLButtonUp(down)" : "OnLButtonUp"); }
  LRESULT OnUserMessage() override {
    Note("OnUserMessage");
    return 0;
  }

 private:
  LRESULT Note(const char* call) {
    Calls.push_back(call);
    return 0;
  }
};

class TDirectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformTest::Reset();
    PlatformTest::SetHeadless(true);
    PlatformTest::UseTestClock(5000);
    ASSERT_TRUE(RegisterWindowClass());
    GdiplusStartupInput input;
    GdiplusStartup(&token_, &input, nullptr);
  }
  void TearDown() override {
    window_.reset();
    GdiplusShutdown(token_);
    PlatformTest::Reset();
  }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(window_->Handle, message, wParam, lParam);
  }
  static LPARAM Point(int x, int y) { return MAKELPARAM(static_cast<short>(x), static_cast<short>(y)); }

  ULONG_PTR token_ = 0;
  std::unique_ptr<TRecorder> window_ = std::make_unique<TRecorder>();
};

}  // namespace

TEST_F(TDirectTest, CreationRunsOnCreateInsideCreateWithASurfaceAndTheRectangles) {
  ASSERT_EQ(window_->Style, static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
  HWND hwnd = window_->Create();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(window_->Handle, hwnd);
  ASSERT_FALSE(window_->Calls.empty());
  // The minimum-size query that precedes WM_NCCREATE finds no object and never arrives.
  EXPECT_EQ(window_->Calls.front(), "OnCreate");
  EXPECT_NE(window_->Graphics, nullptr);
  EXPECT_NE(window_->Dc, nullptr);
  EXPECT_GE(window_->ClientWidth, 640);
  EXPECT_GE(window_->ClientHeight, 480);
  EXPECT_GE(window_->WindowWidth, window_->ClientWidth);
  EXPECT_EQ(window_->ClientX, 0);
  EXPECT_EQ(window_->ClientY, 0);
}

TEST_F(TDirectTest, MouseMovesAreSignedAndTrackDeltasButtonsCaptureAndClearFlags) {
  ASSERT_NE(window_->Create(), nullptr);
  Send(WM_MOUSEMOVE, 0, Point(30, 40));
  EXPECT_EQ(window_->MouseDX, 30) << "the stored position starts at 0, 0";
  EXPECT_EQ(window_->MouseDY, 40);

  Send(WM_LBUTTONDOWN, MK_LBUTTON, Point(30, 40));
  EXPECT_TRUE(window_->LButtonDown);
  EXPECT_EQ(GetCapture(), window_->Handle);
  EXPECT_EQ(window_->MouseX, 30) << "button messages leave the position alone";

  Send(WM_MOUSEMOVE, MK_LBUTTON, Point(-5, -7));
  EXPECT_EQ(window_->MouseX, -5);
  EXPECT_EQ(window_->MouseY, -7);
  EXPECT_EQ(window_->MouseDX, -35);
  EXPECT_EQ(window_->MouseDY, -47);

  Send(WM_LBUTTONUP, 0, Point(-5, -7));
  EXPECT_FALSE(window_->LButtonDown);
  EXPECT_EQ(window_->Calls.back(), "OnLButtonUp") << "the flag is cleared before the handler runs";
  EXPECT_EQ(GetCapture(), nullptr);

  Send(WM_RBUTTONDOWN, MK_RBUTTON, Point(1, 1));
  EXPECT_TRUE(window_->RButtonDown);
  Send(WM_RBUTTONUP, 0, Point(1, 1));
  EXPECT_FALSE(window_->RButtonDown);
}

TEST_F(TDirectTest, BackgroundErasingUserAndUnknownMessages) {
  ASSERT_NE(window_->Create(), nullptr);
  EXPECT_EQ(Send(WM_ERASEBKGND), 0) << "the background is never erased";
  window_->Calls.clear();
  EXPECT_EQ(Send(WM_USER + 17), 0);
  EXPECT_EQ(window_->Calls, std::vector<std::string>{"OnUserMessage"});
  window_->Calls.clear();
  Send(0x0300);
  EXPECT_TRUE(window_->Calls.empty()) << "messages below WM_USER that the switch does not know go to the system";
  // Resizing renews the surface and reaches OnSize after the rectangles are read.
  MoveWindow(window_->Handle, 0, 0, 900, 700, TRUE);
  EXPECT_EQ(window_->WindowWidth, 900);
  EXPECT_NE(window_->Graphics, nullptr);
}

TEST_F(TDirectTest, ClosingRunsOnDestroyThenPostsExitCodeZero) {
  ASSERT_NE(window_->Create(), nullptr);
  window_->Calls.clear();
  Send(WM_CLOSE);
  ASSERT_FALSE(window_->Calls.empty());
  EXPECT_EQ(window_->Calls.back(), "OnDestroy");
  EXPECT_EQ(window_->Graphics, nullptr);
  MSG msg = {};
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0) << "the quit message ends the loop";
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 0u);
}
