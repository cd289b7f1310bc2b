#pragma once
// A titled, styled top-level window that creates itself, and the one window
// procedure of its class ("VelkarWinClass" for the game). Declares virtual
// slots 5 to 25.

#include <string>

#include "shell/TWndBase.h"

// The executable's module handle, stored during static initialisation.
extern HMODULE ModuleHandle;
// The window class of the game's application window.
extern const char kWindowClassName[];

// Registers the class in_name: no style (so no double clicks), the window
// procedure, the system's default icon and arrow cursor, no background brush.
// Returns false when the system refuses.
bool RegisterWindowClass(const char* in_name = kWindowClassName);

// Registers a program's window class during static initialisation: each
// program defines one at namespace scope in its entry-point file. A refusal
// shows "CreateWindow() - FAILED" and ends the process at once, since no window
// could exist; the class is unregistered at normal exit.
class TWindowClassRegistration {
 public:
  explicit TWindowClassRegistration(const char* in_name);
  TWindowClassRegistration(const TWindowClassRegistration&) = delete;
  TWindowClassRegistration& operator=(const TWindowClassRegistration&) = delete;
};

// The window procedure of the class: routes every message to the object stored
// in the window's user-data slot (from WM_NCCREATE on).
LRESULT CALLBACK KrambolWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Rethrows, once, an exception that a message handler threw inside a call into
// the system; called right after every such call.
void RethrowWindowException();

class TWndDirect : public TWndBase {
 public:
  // The window is of the class in_className (registered by then), titled title.
  explicit TWndDirect(const char* title, const char* in_className = kWindowClassName);
  // Destroys the window if it still exists, after detaching it from this object.
  ~TWndDirect() override;

  // Creates the window (its OnCreate runs inside) and shows it. On failure logs
  // "CreateWindow [title] - FAILED" and returns no handle.
  HWND Create() override;

  virtual LRESULT OnPaint() { return 0; }
  virtual LRESULT OnTimer() { return DefaultProcessing(); }
  virtual LRESULT OnLButtonDblClk() { return 0; }
  virtual LRESULT OnRButtonDblClk() { return 0; }
  virtual LRESULT OnLButtonDown() { return 0; }
  virtual LRESULT OnLButtonUp() { return 0; }
  virtual LRESULT OnRButtonDown() { return 0; }
  virtual LRESULT OnRButtonUp() { return 0; }
  virtual LRESULT OnMouseWheel() { return 0; }
  virtual LRESULT OnMouseMove() { return 0; }
  virtual LRESULT OnKeyUp() { return DefaultProcessing(); }
  virtual LRESULT OnKeyDown() { return DefaultProcessing(); }
  virtual LRESULT OnChar() { return DefaultProcessing(); }
  virtual LRESULT OnCommand() { return DefaultProcessing(); }
  virtual LRESULT OnActivate() { return DefaultProcessing(); }
  virtual LRESULT OnGetMinMaxInfo() { return DefaultProcessing(); }
  virtual LRESULT OnMove() { return DefaultProcessing(); }
  // Messages from WM_USER up that the switch does not know.
  virtual LRESULT OnUserMessage() { return 0; }
  virtual LRESULT OnSize() { return 0; }
  virtual bool CanClose() { return true; }
  // The message switch: a short one here, the full one in TDirect.
  virtual LRESULT WindowProc();

  std::string Title;
  DWORD Style;
  std::string ClassName;

 protected:
  // DefWindowProcA on the stored handle and message.
  LRESULT DefaultProcessing();
};
