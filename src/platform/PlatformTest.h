#pragma once
// Hooks of our own platform layer that the real Win32 has no equivalent for:
// headless operation, a clock driven by tests, reading back what a window shows,
// recorded message boxes and device-level input. Only for hosts without Windows;
// code that must also build for Windows guards its use with #ifndef _WIN32.

#ifndef _WIN32

#include <cstdint>
#include <string>
#include <vector>

#include "platform/WinApi.h"

namespace PlatformTest {

// Forces in-memory windows even when a display exists. Without it, windows are
// in memory only when neither DISPLAY nor WAYLAND_DISPLAY is set.
void SetHeadless(bool headless);
bool IsHeadless();

// Replaces the system clock behind timeGetTime and the timers with a clock that
// only moves when a test moves it. When GetMessageA finds nothing to deliver and
// a timer exists, the test clock jumps to that timer's due time, so a message
// loop under test never sleeps. Sleep and timed waits move it by their time too.
void UseTestClock(DWORD startMilliseconds);
void AdvanceClock(DWORD milliseconds);
void UseSystemClock();

// Called by GetMessageA whenever it finds nothing to deliver, before the test
// clock jumps; the hook may post messages or move the clock. Pass nullptr to remove.
typedef void (*IdleHook)(void* context);
void SetIdleHook(IdleHook hook, void* context);

// Every MessageBoxA call, recorded with its narrow texts exactly as passed (CP1251).
struct MessageBoxRecord {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};
const std::vector<MessageBoxRecord>& MessageBoxes();
void ClearMessageBoxes();

// What the window's client area shows: ARGB pixels, row by row.
bool ReadWindowPixels(HWND hwnd, std::vector<uint32_t>& argb, int& width, int& height);

// Device input, translated exactly as the display backend translates real
// events: client coordinates, capture, virtual-key codes, WM_CHAR from text.
// Buttons: 1 left, 3 right. Keys are named as SDL names them ("Return", "Left", "A", "F1").
// A typed character is InjectKey down, InjectText, InjectKey up, as a keyboard
// delivers it; Backspace, Tab, Return and Escape bring their own WM_CHAR.
void InjectMouseMove(HWND hwnd, int x, int y);
void InjectMouseButton(HWND hwnd, int button, bool down, int x, int y);
void InjectWheel(HWND hwnd, int steps);
void InjectKey(HWND hwnd, const char* keyName, bool down);
void InjectText(HWND hwnd, const char* utf8);
// The user drags the border to this outer size, or presses the close box.
void UserResize(HWND hwnd, int outerWidth, int outerHeight);
void UserClose(HWND hwnd);

// Headless runs that never look at the screen (soak and balance runs of whole
// games): while set, every drawing call (clearing, images, shapes, text) checks
// its arguments and answers as it would (but for a device context whose window
// is gone, which answers Ok), and changes no pixel. Reading pixels then shows
// whatever was last drawn for real.
void DiscardDrawing(bool discard);

// Repeated frames are cheap: the drawing layer holds the calls given to a
// bitmap until it is read and draws again only what differs from the frame
// before, and a window is drawn and shown again only where its picture
// changed. What a program reads back (every pixel, every status) is the same
// either way; turned off, every call is carried out when given, which the
// tests compare against. On at the start and after Reset.
void SkipRepeatedDrawing(bool skip);

// While set, the pictures decoded from image files are kept (64 MB at most,
// the least recently used going first) with the bytes of their files, and a
// load of a file with the same bytes copies them instead of decoding again:
// for programs that load the same pictures over and over, such as whole games
// played headless one after another. Off at the start, so a game keeps no
// second copy of its pictures; turning it off frees what is kept.
void KeepDecodedImages(bool keep);

// Makes the next count calls of SetTimer fail (return 0), as when the system
// runs out of timers; 0 ends the failures.
void FailNextSetTimer(int count);

// While set, getaddrinfo looks up only numeric addresses, "localhost" and
// this machine's own addresses (the empty name): any other name is not found
// (WSAHOST_NOT_FOUND) without asking the system's resolver, and getnameinfo
// gives numbers instead of names, so that a test never sends a query off the
// machine. In the sockets' library (platform_ws2_32).
void LookUpLocalNamesOnly(bool only);

// While port is not 0, a connect to any address on that port fails at once
// as on a network that has no route to it (WSAENETUNREACH, reported as the
// system would), and nothing is sent: for tests of an unreachable host that
// never leave the machine. In the sockets' library.
void NoRouteToPort(uint16_t port);

// Destroys every window, timer, event and queued message, forgets registered
// classes and message boxes, closes every socket, and returns to the system
// clock: a fresh process.
// Destroyed windows get no messages. The headless choice and the resources stay.
void Reset();

}  // namespace PlatformTest

// Resources compiled into the executable (icons and cursors by id), the Linux
// counterpart of the .rc file. Pixels are non-premultiplied ARGB.
void PlatformRegisterIconResource(int id, int width, int height, const uint32_t* argb);
void PlatformRegisterCursorResource(int id, int width, int height, int hotX, int hotY, const uint32_t* argb);

#endif
