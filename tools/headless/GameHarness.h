#pragma once
// Runs the game's application object headless for tests and tools: a fresh
// platform, a test clock, a scratch working directory that sees the generated
// res/, GDI+ and the shared drawing objects. Messages are sent straight to the
// window, so every handler runs exactly as in the game, and time moves only
// when told.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graphics/Geometry.h"
#include "platform/Win32.h"

class TGame;
class TWindow;

class TGameHarness {
 public:
  // Prepares the platform and the working directory; the game is not started.
  // The test clock starts at in_clockStart milliseconds.
  explicit TGameHarness(DWORD in_clockStart = 100000);
  ~TGameHarness();
  TGameHarness(const TGameHarness&) = delete;
  TGameHarness& operator=(const TGameHarness&) = delete;

  // Constructs the application object and creates its window; the first frame
  // (which builds the first screen) runs with the first Tick.
  TGame& Start();
  // The same with another program's application object, whose window class
  // is registered first.
  TGame& Start(std::unique_ptr<TGame> in_application);
  TGame& Game() { return *Game_; }
  HWND Window() const;

  // Moves the test clock on by the frame interval and delivers one WM_TIMER.
  void Tick(int frames = 1);
  // Resizes the native window to this client size; WM_SIZE carries it to the desktop.
  void SetClientSize(int width, int height);
  void MouseMove(int x, int y);
  void LeftDown(int x, int y);
  void LeftUp(int x, int y);
  void LeftClick(int x, int y);
  // A press and a release back to back with no move before them, as X test
  // input and fast touchpads send a click where the pointer already is.
  void LeftClickInPlace(int x, int y);
  void RightDown(int x, int y);
  void RightUp(int x, int y);
  void Wheel(int delta);
  void KeyDown(int virtualKey);
  void KeyUp(int virtualKey);
  void Key(int virtualKey);
  void Char(wchar_t character);
  // What the native window shows, non-premultiplied ARGB.
  uint32_t ScreenPixel(int x, int y) const;
  // The same for every pixel of a rectangle, row by row (0 outside the window).
  std::vector<uint32_t> ScreenArea(int x, int y, int width, int height) const;
  // Sends WM_CLOSE, as the window's close box does.
  void Close();

  // Called with every message the harness sends to the window (frames, mouse
  // and keys), once before it is handled (in_before true) and once after it
  // returned. Only for tests that make the game wrong on purpose between its
  // handlers, to show that a check catches it; nothing when empty.
  using TMessageHook = std::function<void(UINT in_message, bool in_before)>;
  void SetMessageHook(TMessageHook in_hook) { Hook_ = std::move(in_hook); }

  // The scratch working directory (removed by the destructor).
  const std::filesystem::path& WorkDir() const { return WorkDir_; }

 private:
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);

  std::filesystem::path PreviousDir_;
  std::filesystem::path WorkDir_;
  ULONG_PTR GdiplusToken_ = 0;
  std::unique_ptr<TGame> Game_;
  TMessageHook Hook_;
};

// The generated res/ tree of the build, for tests that load images.
std::filesystem::path GeneratedResDir();

// The screen point of a point in a window's drawing coordinates: only buffers
// start a coordinate space of their own.
TPoint ScreenPointOf(const TWindow* window, int32_t x, int32_t y);
