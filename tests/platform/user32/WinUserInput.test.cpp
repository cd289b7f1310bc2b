// Mouse, keyboard and user sizing, as the display delivers them.
#include "UserTestSupport.h"

#ifndef _WIN32

namespace {

struct Input {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Input&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Input& in) {
  return out << "{" << in.message << ", " << in.wParam << ", " << in.lParam << "}";
}

}  // namespace

class WinUserInput : public UserTest {
 protected:
  void SetUp() override {
    UserTest::SetUp();
    hwnd_ = Create(WS_OVERLAPPEDWINDOW, 100, 100, 800, 600);
    ASSERT_NE(hwnd_, nullptr);
    ShowWindow(hwnd_, SW_SHOW);
    Drain();
    log_.clear();
  }

  // Input messages taken from the queue and dispatched, in order.
  std::vector<Input> TakeInput() {
    std::vector<Input> inputs;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message != WM_PAINT) inputs.push_back(Input{msg.message, msg.wParam, msg.lParam});
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return inputs;
  }

  HWND hwnd_ = nullptr;
};

TEST_F(WinUserInput, InputForNoWindowIsIgnored) {
  HWND gone = Create();
  ASSERT_TRUE(DestroyWindow(gone));
  PlatformTest::InjectMouseMove(gone, 1, 1);
  PlatformTest::InjectMouseButton(gone, 1, true, 1, 1);
  PlatformTest::InjectKey(gone, "A", true);
  PlatformTest::InjectKey(hwnd_, "NoSuchKeyName", true);
  PlatformTest::InjectKey(hwnd_, nullptr, true);
  PlatformTest::InjectText(hwnd_, nullptr);
  PlatformTest::InjectMouseButton(hwnd_, 7, true, 1, 1);
  PlatformTest::InjectWheel(hwnd_, 0);
  PlatformTest::UserResize(gone, 10, 10);
  PlatformTest::UserClose(gone);
  EXPECT_TRUE(TakeInput().empty());
}

TEST_F(WinUserInput, MouseMessagesCarryClientCoordinatesAndButtonFlags) {
  PlatformTest::InjectMouseMove(hwnd_, 5, 6);
  PlatformTest::InjectMouseMove(hwnd_, 10, 20);  // replaces the move not read yet
  PlatformTest::InjectMouseButton(hwnd_, 1, true, 10, 20);
  PlatformTest::InjectMouseButton(hwnd_, 3, true, 10, 20);
  PlatformTest::InjectMouseButton(hwnd_, 1, false, 11, 21);
  PlatformTest::InjectMouseButton(hwnd_, 3, false, 11, 21);
  const std::vector<Input> expected{
      {WM_MOUSEMOVE, 0, MAKELPARAM(10, 20)},
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20)},
      {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(10, 20)},
      {WM_LBUTTONUP, MK_RBUTTON, MAKELPARAM(11, 21)},
      {WM_RBUTTONUP, 0, MAKELPARAM(11, 21)},
  };
  EXPECT_EQ(TakeInput(), expected);
}

TEST_F(WinUserInput, OnlyCaptureBringsMouseInputFromOutsideTheClientArea) {
  PlatformTest::InjectMouseMove(hwnd_, -5, 10);
  PlatformTest::InjectMouseButton(hwnd_, 1, false, 900, 10);
  EXPECT_TRUE(TakeInput().empty());

  // The window takes the capture on the press, as the game does; the drag out
  // of the window that was already waiting in the queue still reaches it.
  handler_ = [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_LBUTTONDOWN) SetCapture(hwnd);
    if (message == WM_LBUTTONUP) ReleaseCapture();
    return std::nullopt;
  };
  PlatformTest::InjectMouseButton(hwnd_, 1, true, 50, 50);
  PlatformTest::InjectMouseMove(hwnd_, -30, -40);
  PlatformTest::InjectMouseButton(hwnd_, 1, false, 70000, -40);
  const std::vector<Input> expected{
      {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50)},
      {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-30, -40)},
      {WM_LBUTTONUP, 0, MAKELPARAM(70000, -40)},
  };
  EXPECT_EQ(TakeInput(), expected);
  EXPECT_EQ(GET_X_LPARAM(Last(WM_MOUSEMOVE).lParam), -30);
  EXPECT_EQ(GET_Y_LPARAM(Last(WM_MOUSEMOVE).lParam), -40);
  EXPECT_EQ(Last(WM_CAPTURECHANGED).lParam, 0);
  EXPECT_EQ(GetCapture(), nullptr);

  // Released, the outside is silent again.
  PlatformTest::InjectMouseMove(hwnd_, -1, -1);
  EXPECT_TRUE(TakeInput().empty());
}

TEST_F(WinUserInput, CaptureChangesAreReported) {
  HWND other = Create(WS_POPUP, 0, 0, 50, 50);
  EXPECT_EQ(SetCapture(hwnd_), nullptr);
  EXPECT_EQ(SetCapture(other), hwnd_);
  EXPECT_EQ(Last(WM_CAPTURECHANGED).hwnd, hwnd_);
  EXPECT_EQ(Last(WM_CAPTURECHANGED).lParam, reinterpret_cast<LPARAM>(other));
  // Captured by the other window, input on this one goes there, in its coordinates.
  PlatformTest::InjectMouseMove(hwnd_, 0, 0);
  const RECT outer = WindowRectOf(hwnd_);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, other);
  EXPECT_EQ(msg.lParam, MAKELPARAM(outer.left + 8, outer.top + 31));
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(Last(WM_CAPTURECHANGED).hwnd, other);
  EXPECT_TRUE(ReleaseCapture());
}

TEST_F(WinUserInput, KeysGiveVirtualKeyCodesAndTypedTextOneCharEach) {
  const std::pair<const char*, WPARAM> keys[] = {
      {"Backspace", 8}, {"Tab", 9},     {"Return", 13},  {"Keypad Enter", 13}, {"Escape", 27}, {"Space", 32},
      {"Left", 37},     {"Up", 38},     {"Right", 39},   {"Down", 40},         {"Delete", 46}, {"F1", 112},
      {"F12", 123},     {"A", 65},      {"z", 90},       {"0", 48},            {"9", 57},      {"Left Shift", 16},
      {"Right Ctrl", 17}, {"Left Alt", 18},
  };
  for (const auto& [name, code] : keys) {
    PlatformTest::InjectKey(hwnd_, name, true);
    PlatformTest::InjectKey(hwnd_, name, false);
    const std::vector<Input> got = TakeInput();
    ASSERT_GE(got.size(), 2u) << name;
    EXPECT_EQ(got.front().message, static_cast<UINT>(WM_KEYDOWN)) << name;
    EXPECT_EQ(got.front().wParam, code) << name;
    EXPECT_EQ(got.back().message, static_cast<UINT>(WM_KEYUP)) << name;
    EXPECT_EQ(got.back().wParam, code) << name;
    // Only the keys that type a control character bring a WM_CHAR.
    const bool control = code == 8 || code == 9 || code == 13 || code == 27;
    EXPECT_EQ(got.size(), control ? 3u : 2u) << name;
    if (control) {
      EXPECT_EQ(got[1], (Input{WM_CHAR, code, got.front().lParam})) << name;
    }
  }

  // A letter typed: key down, its character, key up. Held down, it repeats.
  PlatformTest::InjectKey(hwnd_, "A", true);
  PlatformTest::InjectText(hwnd_, "a");
  PlatformTest::InjectKey(hwnd_, "A", true);
  PlatformTest::InjectText(hwnd_, "a");
  PlatformTest::InjectKey(hwnd_, "A", false);
  const std::vector<Input> typed{
      {WM_KEYDOWN, 'A', 1},
      {WM_CHAR, 'a', 1},
      {WM_KEYDOWN, 'A', 1 | (1 << 30)},
      {WM_CHAR, 'a', 1},
      {WM_KEYUP, 'A', static_cast<LPARAM>(0xC0000001u)},
  };
  EXPECT_EQ(TakeInput(), typed);

  // Text is UTF-8; each UTF-16 unit is one WM_CHAR, a bad byte U+FFFD.
  PlatformTest::InjectText(hwnd_, reinterpret_cast<const char*>(u8"ж\U0001F600"));
  PlatformTest::InjectText(hwnd_, "\xff");
  const std::vector<Input> chars{
      {WM_CHAR, 0x0436, 1}, {WM_CHAR, 0xD83D, 1}, {WM_CHAR, 0xDE00, 1}, {WM_CHAR, 0xFFFD, 1}};
  EXPECT_EQ(TakeInput(), chars);
}

TEST_F(WinUserInput, GetKeyStateSetsTheHighBitWhileTheKeyIsDown) {
  EXPECT_GE(GetKeyState(VK_CONTROL), 0);
  PlatformTest::InjectKey(hwnd_, "Left Ctrl", true);
  EXPECT_LT(GetKeyState(VK_CONTROL), 0);
  EXPECT_GE(GetKeyState('Z'), 0);
  PlatformTest::InjectKey(hwnd_, "Z", true);
  EXPECT_LT(GetKeyState('Z'), 0);
  PlatformTest::InjectKey(hwnd_, "Left Ctrl", false);
  PlatformTest::InjectKey(hwnd_, "Z", false);
  EXPECT_GE(GetKeyState(VK_CONTROL), 0);
  EXPECT_GE(GetKeyState('Z'), 0);
  // Codes outside the keyboard's range are never down.
  EXPECT_EQ(GetKeyState(0), 0);
  EXPECT_EQ(GetKeyState(4096), 0);
  TakeInput();
}

TEST_F(WinUserInput, TheWheelGivesASignedDeltaOf120PerStep) {
  PlatformTest::InjectMouseMove(hwnd_, 10, 10);
  PlatformTest::InjectWheel(hwnd_, 1);
  PlatformTest::InjectWheel(hwnd_, -2);
  const std::vector<Input> got = TakeInput();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[1].message, static_cast<UINT>(WM_MOUSEWHEEL));
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(got[1].wParam), 120);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(got[2].wParam), -240);
  // The point is on the screen.
  const RECT outer = WindowRectOf(hwnd_);
  EXPECT_EQ(got[1].lParam, MAKELPARAM(outer.left + 8 + 10, outer.top + 31 + 10));
}

TEST_F(WinUserInput, UserSizingKeepsTheMinimumTrackingSize) {
  handler_ = [](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message == WM_GETMINMAXINFO) {
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{640, 480};
      return 0;
    }
    return std::nullopt;
  };
  const RECT before = WindowRectOf(hwnd_);
  PlatformTest::UserResize(hwnd_, 200, 1000);
  EXPECT_EQ(WindowRectOf(hwnd_), (RECT{before.left, before.top, before.left + 640, before.top + 1000}));
  EXPECT_EQ(Last(WM_SIZE).lParam, MAKELPARAM(624, 961));
  EXPECT_EQ(Recorded({WM_GETMINMAXINFO, WM_SIZE, WM_MOVE}), (std::vector<UINT>{WM_GETMINMAXINFO, WM_SIZE}));
}

TEST_F(WinUserInput, TheCloseBoxAsksTheWindowToClose) {
  PlatformTest::UserClose(hwnd_);
  EXPECT_EQ(TakeInput(), (std::vector<Input>{{WM_CLOSE, 0, 0}}));
  EXPECT_FALSE(IsWindow(hwnd_));
}

#endif
