#pragma once
// Internal to the platform layer: the real display behind the in-memory windows.
// The window system keeps every window's state and pixels itself and tells the
// display what to show; the display reports what the user does. No display
// library type appears here.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/display/DisplayEvents.h"
#include "platform/WinApi.h"

struct IconImage;

// How a window should look on the display: its client area in screen
// coordinates and its decoration. A maximised window without decoration is
// shown full screen.
struct DisplayWindowShape {
  int clientX = 0;
  int clientY = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  int minClientWidth = 0;
  int minClientHeight = 0;
  bool visible = false;
  bool maximized = false;
  bool decorated = true;
  bool resizable = true;
  bool operator==(const DisplayWindowShape&) const = default;
};

class DisplayBackend {
 public:
  virtual ~DisplayBackend() = default;

  // The whole screen, and the part of it that maximised windows may cover.
  virtual RECT ScreenRect() = 0;
  virtual RECT WorkArea() = 0;

  // A display window for hwnd, created hidden; false if the display refuses.
  virtual bool OpenWindow(HWND hwnd, const DisplayWindowShape& shape, const std::string& utf8Title) = 0;
  virtual void CloseWindow(HWND hwnd) = 0;
  // Brings the display window to the shape; parts already as asked are left alone.
  virtual void ShapeWindow(HWND hwnd, const DisplayWindowShape& shape) = 0;
  virtual void SetIcon(HWND hwnd, const IconImage* icon) = 0;
  // The pointer shape over every window of the program.
  virtual void SetCursor(const IconImage* cursor) = 0;
  // While captured, the pointer keeps reporting to the program outside its windows.
  virtual void SetMouseCapture(bool captured) = 0;
  // Shows premultiplied ARGB pixels (alpha ignored) as the window's client
  // area: rows [top, bottom) at least, the others as they were last shown.
  virtual void Present(HWND hwnd, const uint32_t* pixels, int width, int height, int stridePixels, int top,
                       int bottom) = 0;
  // Pixels of the given size that the display itself shows as the window's
  // client area, so that presenting them copies nothing: premultiplied ARGB,
  // alpha ignored, rows stridePixels apart, opaque black at first. When the
  // buffer moves (the display window was resized), what the old one held
  // stays where the two overlap. Null when the display has none of that size;
  // a buffer given before may then be gone.
  virtual uint32_t* Framebuffer(HWND hwnd, int width, int height, int* stridePixels) = 0;
  // Shows the pixels of the window's framebuffer: rows [top, bottom) at least.
  virtual void PresentFramebuffer(HWND hwnd, int top, int bottom) = 0;
  // Reports pending events to DisplayEvents. Waits up to timeoutMs for the first
  // one (0: only what is pending; negative: until one comes).
  virtual void Pump(int timeoutMs) = 0;
  // A modal box with an OK button; false if the display cannot show one.
  virtual bool ShowMessageBox(HWND owner, const std::string& utf8Caption, const std::string& utf8Text,
                              bool error) = 0;
};

// Starts the SDL display, or returns null (with a line on stderr) when there is none.
std::unique_ptr<DisplayBackend> CreateSdlDisplay(DisplayEvents& events);

// The Windows virtual-key code for a key named as SDL names it ("Return", "A",
// "F1", "Left Shift"); 0 for a name that is no key.
int VirtualKeyFromKeyName(const char* name);
