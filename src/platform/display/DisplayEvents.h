#pragma once
// Internal to the platform layer: what the display reports to the window
// system. No display library type appears here.

#include "platform/WinApi.h"

// What the user does to a window, reported by the display in client coordinates.
class DisplayEvents {
 public:
  virtual ~DisplayEvents() = default;
  virtual void MouseMoved(HWND hwnd, int x, int y) = 0;
  // Buttons: 1 left, 2 middle, 3 right.
  virtual void MouseButton(HWND hwnd, int button, bool down, int x, int y) = 0;
  // Positive steps turn the wheel away from the user.
  virtual void WheelTurned(HWND hwnd, int steps) = 0;
  virtual void Key(HWND hwnd, int virtualKey, bool down) = 0;
  virtual void Text(HWND hwnd, const char* utf8) = 0;
  virtual void Resized(HWND hwnd, int clientWidth, int clientHeight) = 0;
  virtual void Moved(HWND hwnd, int clientX, int clientY) = 0;
  virtual void MaximizeChanged(HWND hwnd, bool maximized) = 0;
  virtual void CloseRequested(HWND hwnd) = 0;
  virtual void Exposed(HWND hwnd) = 0;
};
