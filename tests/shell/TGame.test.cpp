#include "shell/TGame.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "graphics/TextureRegistry.h"
#include "platform/PlatformTest.h"
#include "shell/ErrorLog.h"
#include "screens/TMenuDesktop.h"
#include "headless/GameHarness.h"
#include "toolkit/TDesktop.h"
#include "toolkit/TWindow.h"
#include "toolkit/WindowTree.h"

namespace {

std::string ReadSettingsFile() {
  std::ifstream file("option.ini", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// A window that asks the application to close from inside a frame.
class TClosingWindow : public TWindow {
 public:
  explicit TClosingWindow(TWindow* parent) : TWindow(parent) {}
  void Update() override { Application->CloseRequested = true; }
};

}  // namespace

TEST(TGameTest, StartsWithTexturesAndTheDefaultTimerAndBuildsTheFirstScreenOnTheFirstFrame) {
  TGameHarness harness;
  TGame& game = harness.Start();
  EXPECT_EQ(Application, &game);
  EXPECT_EQ(game.Title, "Крамбол.");
  EXPECT_TRUE(game.TimerRunning);
  EXPECT_EQ(static_cast<int>(RegisteredTextures().size()), kTextureCount);
  EXPECT_TRUE(game.SettingsChanged) << "the first tick applies what option.ini holds";
  EXPECT_EQ(RootWindow, nullptr) << "no screen before the first frame";

  // A WM_TIMER that finds no time elapsed runs no frame.
  SendMessageA(harness.Window(), WM_TIMER, game.TimerId, 0);
  EXPECT_EQ(RootWindow, nullptr);
  EXPECT_TRUE(ScreenRequestPending);

  harness.Tick();
  ASSERT_NE(RootWindow, nullptr);
  EXPECT_FALSE(ScreenRequestPending);
  EXPECT_EQ(RootWindow->Width, game.ClientWidth);
  EXPECT_EQ(ReadSettingsFile(), "66\r\n0\r\n") << "the first tick writes the settings back";
  EXPECT_NE(dynamic_cast<TMenuDesktop*>(RootWindow), nullptr) << "the first screen is the menu screen";
  EXPECT_EQ(harness.ScreenPixel(5, 5) >> 24, 0xFFu) << "the frame reached the window";
  EXPECT_TRUE(ErrorLogEntries().empty());
}

TEST(TGameTest, AScreenRequestOfAnUnknownKindIsClearedWithoutBuildingAnything) {
  TGameHarness harness;
  harness.Start();
  harness.Tick();
  TWindow* screen = RootWindow;
  const size_t windows = LiveWindows.size();
  RequestScreen(7);
  harness.Tick();
  EXPECT_FALSE(ScreenRequestPending);
  EXPECT_EQ(RootWindow, screen);
  RequestScreen(0);
  harness.Tick();
  EXPECT_NE(RootWindow, screen) << "a new screen replaces the old one";
  EXPECT_EQ(LiveWindows.size(), windows) << "the old screen went with all its windows";
}

TEST(TGameTest, TheTimerRestartsOnlyWhenTheIntervalChanges) {
  TGameHarness harness;
  TGame& game = harness.Start();
  harness.Tick();

  // Same interval: no restart, so a failing timer start is never reached.
  PlatformTest::FailNextSetTimer(1);
  game.RequestedSettings.FrameInterval = 66;
  game.SettingsChanged = true;
  harness.Tick();
  EXPECT_TRUE(ErrorLogEntries().empty());
  PlatformTest::FailNextSetTimer(0);

  game.RequestedSettings.FrameInterval = 200;
  game.SettingsChanged = true;
  harness.Tick();
  EXPECT_EQ(game.AppliedSettings.FrameInterval, 200);
  EXPECT_TRUE(game.TimerRunning);
  EXPECT_FALSE(game.SettingsChanged);

  // A restart that fails is logged and ends the run with the thrown integer.
  PlatformTest::FailNextSetTimer(1);
  game.RequestedSettings.FrameInterval = 300;
  game.SettingsChanged = true;
  EXPECT_THROW(harness.Tick(), int);
  ASSERT_EQ(ErrorLogEntries().size(), 1u);
  EXPECT_EQ(ErrorLogEntries()[0], "SetTimer() - FAILED");
  ClearErrorLogForTests();
}

TEST(TGameTest, AnIntervalInOptionIniThatWouldStopTheFramesIsReplacedByTheDefault) {
  for (const char* interval : {"-5", "0", "10001"}) {
    TGameHarness harness;
    std::ofstream("option.ini", std::ios::binary) << interval << "\r\n0\r\n";
    TGame& game = harness.Start();
    harness.Tick();
    EXPECT_EQ(game.AppliedSettings.FrameInterval, 66) << interval;
    EXPECT_EQ(ReadSettingsFile(), "66\r\n0\r\n") << "the next run starts sound too";
    // Frames keep coming: a requested screen is built by the next tick.
    TWindow* first = RootWindow;
    RequestScreen(0);
    harness.Tick();
    EXPECT_NE(RootWindow, first) << interval;
  }
}

TEST(TGameTest, FullScreenAndBackChangeStyleAndPlacement) {
  TGameHarness harness;
  TGame& game = harness.Start();
  harness.Tick();
  game.RequestedSettings.FullScreen = true;
  game.SettingsChanged = true;
  harness.Tick();
  // Maximising adds its own style bit, as on Windows.
  const DWORD maximize = 0x01000000;
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(harness.Window(), GWL_STYLE)) & ~maximize,
            static_cast<DWORD>(WS_POPUP | WS_VISIBLE));
  RECT r = {};
  GetWindowRect(harness.Window(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(game.ClientWidth, r.right - r.left) << "a pop-up window has no frame";
  EXPECT_EQ(RootWindow->Width, game.ClientWidth) << "the screen follows the client area";
  EXPECT_EQ(RootWindow->Height, game.ClientHeight);

  game.RequestedSettings.FullScreen = false;
  game.SettingsChanged = true;
  harness.Tick();
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(harness.Window(), GWL_STYLE)) & ~static_cast<DWORD>(WS_VISIBLE | maximize),
            static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
  GetWindowRect(harness.Window(), &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, 640);
  EXPECT_EQ(r.bottom - r.top, 480);
  EXPECT_EQ(RootWindow->Width, game.ClientWidth);
}

TEST(TGameTest, TheWindowCannotBeMadeSmallerThan640By480) {
  TGameHarness harness;
  harness.Start();
  MoveWindow(harness.Window(), 10, 10, 300, 200, TRUE);
  RECT r = {};
  GetWindowRect(harness.Window(), &r);
  EXPECT_EQ(r.right - r.left, 640);
  EXPECT_EQ(r.bottom - r.top, 480);
}

TEST(TGameTest, ACloseRequestedDuringAFrameClosesAfterTheLockIsReleased) {
  TGameHarness harness;
  TGame& game = harness.Start();
  harness.Tick();
  new TClosingWindow(RootWindow);
  harness.Tick();
  EXPECT_FALSE(IsWindow(harness.Window()));
  EXPECT_FALSE(game.CloseRequested);
  EXPECT_FALSE(game.TimerRunning);
  EXPECT_EQ(RootWindow, nullptr) << "the window tree is torn down";
  EXPECT_TRUE(LiveWindows.empty());
  EXPECT_TRUE(RegisteredTextures().empty());
  EXPECT_TRUE(ErrorLogEntries().empty()) << "a clean tear-down logs nothing";
  // The lock is free again.
  ASSERT_TRUE(game.Lock.TryLock());
  game.Lock.Unlock();
  MSG msg = {};
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0);
}
