#pragma once
// Internal to the platform layer: the window manager behind the USER calls.
// Windows live in memory with their rectangles, styles, pixels and update
// state; messages, timers, painting and capture follow Win32. When a display
// exists, each window also has a display window that shows its pixels and
// reports input (DisplayBackend); without one the same windows run headless.
//
// Geometry model. The outer rectangle is the authority; the client area is it
// minus a frame that depends on the style, as at 96 dpi on Windows 10:
//   WS_THICKFRAME: 8 px on every side; else WS_DLGFRAME: 3 px; else WS_BORDER: 1 px;
//   WS_CAPTION (both bits): another 23 px on top.
// So WS_OVERLAPPEDWINDOW has 8 px borders and a 31 px top; WS_POPUP has none.
// Creation with CW_USEDEFAULT gives an overlapped window 800 x 600 outside
// (784 x 561 client) centred on the screen. The headless screen is 1920 x 1080
// with no task bar. Maximising fills the work area with the side borders
// hanging off screen, as Windows does; a maximised window without a frame
// covers the whole screen, which the display shows as full screen.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/display/DisplayBackend.h"
#include "platform/display/DisplayEvents.h"
#include "platform/user32/MessageQueue.h"
#include "platform/PlatformTest.h"
#include "platform/user32/TimerTable.h"
#include "platform/WinApi.h"
#include "platform/user32/WindowPixels.h"

struct WindowClassEntry {
  std::string name;
  ATOM atom;
  UINT style;
  WNDPROC proc;
  HINSTANCE instance;
  HICON icon;
  HICON smallIcon;
  HCURSOR cursor;
};

struct WindowEntry {
  HWND handle = nullptr;
  HDC dc = nullptr;
  WindowClassEntry* windowClass = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND owner = nullptr;
  HINSTANCE instance = nullptr;
  std::string title;  // CP1251
  LONG_PTR userData = 0;

  RECT outer{};        // screen coordinates
  RECT normal{};       // outer rectangle to restore from maximised
  bool visible = false;
  bool maximized = false;
  UINT lastSizeType = SIZE_RESTORED;
  POINT minTrack{0, 0};  // from the last WM_GETMINMAXINFO
  bool destroying = false;
  // An overlapped window gets its first WM_SIZE and WM_MOVE when it is first
  // shown, not while it is created (pop-ups get them at creation), as on Windows.
  bool sizePending = false;

  bool invalid = false;  // has an update region
  RECT update{};         // its bounds, client coordinates
  bool erase = false;

  std::vector<uint32_t> pixels;  // premultiplied ARGB, allocated on first use
  // The display's own pixels for the window when it has them (see
  // DisplayBackend::Framebuffer); pixels is then empty.
  uint32_t* framebuffer = nullptr;
  int framebufferStride = 0;
  int pixelWidth = 0;
  int pixelHeight = 0;
  bool pixelsChanged = false;  // since the last present
  int changedTop = 0;          // the rows that changed, [changedTop, changedBottom)
  int changedBottom = 0;
  uint64_t pixelEpoch = 0;     // grows when the pixels are made anew (PlatformPixelBuffer::epoch)
  bool presentWanted = false;  // shown again at the next present even if unchanged
  bool onDisplay = false;      // has a display window
};

class WindowSystem final : public DisplayEvents {
 public:
  // The process-wide window system. Creating it starts nothing: the display
  // starts with the first window or message box, so classes may be registered
  // during static initialisation.
  static WindowSystem& Get();

  WindowSystem() = default;
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;

  // USER, as declared in WinApi.h; errors go to SetLastError.
  ATOM RegisterClass(const WNDCLASSA* wc);
  BOOL UnregisterClass(LPCSTR className, HINSTANCE instance);
  HWND CreateWindow(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
  BOOL DestroyWindow(HWND hwnd);
  BOOL IsWindow(HWND hwnd);
  BOOL ShowWindow(HWND hwnd, int command);
  BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
  LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value);
  LONG_PTR GetWindowLong(HWND hwnd, int index);
  ULONG_PTR SetClassLong(HWND hwnd, int index, LONG_PTR value);
  BOOL GetClientRect(HWND hwnd, RECT* rect);
  BOOL GetWindowRect(HWND hwnd, RECT* rect);
  HDC GetDC(HWND hwnd);
  int ReleaseDC(HWND hwnd, HDC hdc);
  HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
  BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
  BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
  HWND SetCapture(HWND hwnd);
  BOOL ReleaseCapture();
  HWND GetCapture() const { return capture_; }
  SHORT GetKeyState(int virtualKey) const;
  UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc);
  BOOL KillTimer(HWND hwnd, UINT_PTR id);
  BOOL GetMessage(MSG* msg, HWND hwnd, UINT first, UINT last);
  BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove);
  LRESULT DispatchMessage(const MSG* msg);
  LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void PostQuitMessage(int exitCode);
  LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

  // WindowPixels.h.
  bool DcPixels(HDC hdc, PlatformPixelBuffer* out);
  // Rows [top, bottom) of the window behind hdc changed.
  void DcChanged(HDC hdc, int top, int bottom);

  // PlatformTest.h.
  void SetHeadless(bool headless);
  bool IsHeadless();
  void SetIdleHook(PlatformTest::IdleHook hook, void* context);
  void FailNextSetTimer(int count);
  const std::vector<PlatformTest::MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
  void ClearMessageBoxes() { messageBoxes_.clear(); }
  bool ReadPixels(HWND hwnd, std::vector<uint32_t>& argb, int& width, int& height);
  void UserResize(HWND hwnd, int outerWidth, int outerHeight);
  void RebaseTimers(uint64_t from, uint64_t to) { timers_.Rebase(from, to); }
  void Reset();

  // DisplayEvents: device input, from the display or from tests.
  void MouseMoved(HWND hwnd, int x, int y) override;
  void MouseButton(HWND hwnd, int button, bool down, int x, int y) override;
  void WheelTurned(HWND hwnd, int steps) override;
  void Key(HWND hwnd, int virtualKey, bool down) override;
  void Text(HWND hwnd, const char* utf8) override;
  void Resized(HWND hwnd, int clientWidth, int clientHeight) override;
  void Moved(HWND hwnd, int clientX, int clientY) override;
  void MaximizeChanged(HWND hwnd, bool maximized) override;
  void CloseRequested(HWND hwnd) override;
  void Exposed(HWND hwnd) override;

 private:
  WindowEntry* Find(HWND hwnd);
  // Find, setting ERROR_INVALID_WINDOW_HANDLE when there is no such window.
  WindowEntry* FindOrFail(HWND hwnd);
  WindowEntry* FindByDc(HDC hdc);
  WindowClassEntry* FindClass(LPCSTR name);

  // The display, started on first use; null when headless.
  DisplayBackend* Display();
  RECT ScreenRect();
  RECT WorkArea();

  // Geometry (see the model above).
  RECT ClientOnScreen(const WindowEntry& w) const;
  // Outer size limits from WM_GETMINMAXINFO, asked only when the style lets
  // the system enforce them (a sizing border, or not a pop-up); false otherwise.
  bool TrackingLimits(HWND hwnd, POINT* minTrack, POINT* maxTrack);
  MINMAXINFO DefaultMinMaxInfo(const WindowEntry& w);
  MINMAXINFO AskMinMaxInfo(HWND hwnd);
  // Moves the window to a new outer rectangle; sends WM_MOVE if the client area
  // moved and WM_SIZE (with sizeType) if its size or the size type changed.
  void SetOuterRect(HWND hwnd, const RECT& outer, UINT sizeType);
  // Sends the WM_SIZE and WM_MOVE that tell a new window where it is; false
  // when the window did not survive them.
  bool SendInitialSize(HWND hwnd);
  void Maximize(HWND hwnd);
  void Restore(HWND hwnd);
  DisplayWindowShape ShapeOf(const WindowEntry& w) const;
  void ShowDisplayShape(WindowEntry& w);
  void ResizePixels(WindowEntry& w);
  bool EnsurePixels(WindowEntry& w);
  void InvalidateAll(WindowEntry& w, bool erase);

  LRESULT Call(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Forgets a window without sending it anything.
  void Remove(HWND hwnd);
  bool TakeMessage(MSG* msg, const MessageFilter& filter, bool remove);
  // Gives a mouse message its window and client coordinates as capture decides
  // at the moment it is read; false if it goes to no window.
  bool ResolveMouse(MSG& msg);
  // A size the user gave the window, kept within its tracking limits unless maximised.
  void ApplyUserSize(HWND hwnd, RECT outer);
  void QueueInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  WPARAM MouseKeyFlags() const;
  bool HasDisplayWindows() const;
  void PumpDisplay(int timeoutMs);
  void PresentChanged();
  // The window's pixels were just made or filled by the window system itself.
  static void MadeAnew(WindowEntry& w);

  std::vector<std::unique_ptr<WindowClassEntry>> classes_;
  std::map<HWND, std::unique_ptr<WindowEntry>> windows_;  // in order of creation
  std::map<HDC, HWND> dcs_;
  uintptr_t nextWindow_ = 0x10010;
  uintptr_t nextDc_ = 0x20010;
  ATOM nextAtom_ = 0xC000;

  MessageQueue queue_;
  TimerTable timers_;
  int failingTimers_ = 0;
  HWND capture_ = nullptr;
  bool buttons_[4] = {false, false, false, false};
  bool keys_[256] = {};
  POINT cursor_{0, 0};  // screen coordinates

  std::unique_ptr<DisplayBackend> display_;
  bool displayTried_ = false;
  int headless_ = -1;  // -1: decided by the environment
  PlatformTest::IdleHook idleHook_ = nullptr;
  void* idleContext_ = nullptr;
  std::vector<PlatformTest::MessageBoxRecord> messageBoxes_;
};
