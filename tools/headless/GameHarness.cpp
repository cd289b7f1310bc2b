#include "headless/GameHarness.h"

#include <cstdlib>
#include <random>
#include <utility>
#include <vector>

#include "graphics/DrawingObjects.h"
#include "platform/PlatformTest.h"
#include "shell/ErrorLog.h"
#include "shell/TGame.h"
#include "toolkit/TWindowBuffer.h"
#include "toolkit/WindowTree.h"
#include "world/WorldState.h"

std::filesystem::path GeneratedResDir() {
  const char* dir = std::getenv("KRAMBOL_RES_DIR");
  return dir ? std::filesystem::path(dir) : std::filesystem::path(KRAMBOL_DEFAULT_RES_DIR);
}

TGameHarness::TGameHarness(DWORD in_clockStart) {
  PlatformTest::Reset();
  PlatformTest::SetHeadless(true);
  PlatformTest::UseTestClock(in_clockStart);
  RegisterWindowClass();
  ClearErrorLogForTests();
  RequestedScreen = 0;
  ScreenRequestPending = true;

  PreviousDir_ = std::filesystem::current_path();
  std::random_device random;
  WorkDir_ = std::filesystem::temp_directory_path() / ("krambol-test-" + std::to_string(random()));
  std::filesystem::create_directories(WorkDir_);
  std::filesystem::create_directory_symlink(GeneratedResDir(), WorkDir_ / "res");
  std::filesystem::current_path(WorkDir_);

  GdiplusStartupInput input;
  GdiplusStartup(&GdiplusToken_, &input, nullptr);
  CreateDrawingObjects();
}

TGameHarness::~TGameHarness() {
  if (Game_ && IsWindow(Game_->Handle)) {
    SendMessageA(Game_->Handle, WM_CLOSE, 0, 0);
    try {
      RethrowWindowException();
    } catch (...) {
      // A test that ends mid-failure still tears down.
    }
  }
  Game_.reset();
  // Whatever a test left behind must not leak into the next one.
  TearDownWindowTree();
  ClearMap();
  FreeDrawingObjects();
  GdiplusShutdown(GdiplusToken_);
  PlatformTest::Reset();
  std::error_code ignored;
  std::filesystem::current_path(PreviousDir_, ignored);
  std::filesystem::remove_all(WorkDir_, ignored);
}

TGame& TGameHarness::Start() { return Start(std::make_unique<TGame>()); }

TGame& TGameHarness::Start(std::unique_ptr<TGame> in_application) {
  Game_ = std::move(in_application);
  RegisterWindowClass(Game_->ClassName.c_str());
  Game_->Create();
  return *Game_;
}

HWND TGameHarness::Window() const { return Game_ ? Game_->Handle : nullptr; }

LRESULT TGameHarness::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  if (Hook_) Hook_(message, true);
  const LRESULT result = SendMessageA(Window(), message, wParam, lParam);
  RethrowWindowException();
  if (Hook_) Hook_(message, false);
  return result;
}

void TGameHarness::Tick(int frames) {
  for (int i = 0; i < frames; ++i) {
    PlatformTest::AdvanceClock(static_cast<DWORD>(Game_->AppliedSettings.FrameInterval));
    Send(WM_TIMER, Game_->TimerId, 0);
  }
}

void TGameHarness::SetClientSize(int width, int height) {
  RECT outer{}, client{};
  GetWindowRect(Window(), &outer);
  GetClientRect(Window(), &client);
  MoveWindow(Window(), outer.left, outer.top, width + (outer.right - outer.left) - client.right,
             height + (outer.bottom - outer.top) - client.bottom, TRUE);
}

void TGameHarness::MouseMove(int x, int y) {
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
}

void TGameHarness::LeftDown(int x, int y) {
  MouseMove(x, y);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
}

void TGameHarness::LeftUp(int x, int y) {
  Send(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
}

void TGameHarness::LeftClick(int x, int y) {
  LeftDown(x, y);
  LeftUp(x, y);
}

void TGameHarness::LeftClickInPlace(int x, int y) {
  const LPARAM at = MAKELPARAM(static_cast<short>(x), static_cast<short>(y));
  Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
  Send(WM_LBUTTONUP, 0, at);
}

void TGameHarness::RightDown(int x, int y) {
  MouseMove(x, y);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
}

void TGameHarness::RightUp(int x, int y) {
  Send(WM_RBUTTONUP, 0, MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
}

void TGameHarness::Wheel(int delta) { Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<short>(delta)), 0); }

void TGameHarness::KeyDown(int virtualKey) { Send(WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1); }

void TGameHarness::KeyUp(int virtualKey) { Send(WM_KEYUP, static_cast<WPARAM>(virtualKey), 0xC0000001); }

void TGameHarness::Key(int virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void TGameHarness::Char(wchar_t character) { Send(WM_CHAR, static_cast<WPARAM>(character), 1); }

uint32_t TGameHarness::ScreenPixel(int x, int y) const {
  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  if (!PlatformTest::ReadWindowPixels(Window(), pixels, width, height)) return 0;
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return pixels[static_cast<size_t>(y) * width + x];
}

std::vector<uint32_t> TGameHarness::ScreenArea(int x, int y, int width, int height) const {
  std::vector<uint32_t> pixels;
  int screenWidth = 0, screenHeight = 0;
  const bool read = PlatformTest::ReadWindowPixels(Window(), pixels, screenWidth, screenHeight);
  std::vector<uint32_t> area;
  for (int row = y; row < y + height; ++row) {
    for (int column = x; column < x + width; ++column) {
      const bool inside = read && column >= 0 && row >= 0 && column < screenWidth && row < screenHeight;
      area.push_back(inside ? pixels[static_cast<size_t>(row) * screenWidth + column] : 0);
    }
  }
  return area;
}

void TGameHarness::Close() { Send(WM_CLOSE, 0, 0); }

TPoint ScreenPointOf(const TWindow* window, int32_t x, int32_t y) {
  for (const TWindow* w = window->Parent; w; w = w->Parent) {
    if (dynamic_cast<const TWindowBuffer*>(w)) {
      x += w->X;
      y += w->Y;
    }
  }
  return TPoint{x, y};
}
