#pragma once
// Routes the native window's mouse and keyboard input into the window toolkit,
// keeps the screen sized to the client area and runs one frame per tick.

#include "shell/TTimer.h"

class TWindow;

class TTaskMsg : public TTimer {
 public:
  TTaskMsg() = default;
  TTaskMsg(const char* in_title, const char* in_className) : TTimer(in_title, in_className) {}

  LRESULT OnCreate() override;
  LRESULT OnLButtonDblClk() override;
  LRESULT OnRButtonDblClk() override;
  LRESULT OnLButtonDown() override;
  LRESULT OnLButtonUp() override;
  LRESULT OnRButtonDown() override;
  LRESULT OnRButtonUp() override;
  LRESULT OnMouseWheel() override;
  LRESULT OnMouseMove() override;
  LRESULT OnKeyUp() override;
  LRESULT OnKeyDown() override;
  LRESULT OnChar() override;
  // Sets the minimum tracking size to 640 x 480.
  LRESULT OnGetMinMaxInfo() override;
  // Resizes the current screen to the client area, under the lock.
  LRESULT OnSize() override;
  // Builds a requested screen, then runs the toolkit's frame step.
  void OnFrame() override;

 protected:
  // Builds the screen of the kind (RequestedScreen): the game's screens here.
  virtual void BuildRequestedScreen(int32_t in_kind);

  // Off, as the game's screens expect: a press goes to the pointer window,
  // the window the last mouse move found (or the last one made), so a press
  // with no move since a box closed can reach no window or the wrong one.
  // On, a press goes to the window under the pointer: a press with no move
  // before it aims the pointer there first, as a move would, and a box or
  // menu that has closed takes no more mouse input, although it shows until
  // the end of the frame; the windows under it get the input at once.
  bool PressesReachWindowUnderPointer = false;

 private:
  // A press: hit-test the modal scope, focus what was hit, then deliver the
  // press to the pointer window. in_otherButtonHeld: the other mouse button
  // is down, so the pointer window keeps the mouse.
  void RoutePress(void (TWindow::*press)(), bool in_otherButtonHeld);
  // The window under the pointer as mouse input sees it: the hit test of the
  // modal scope; with PressesReachWindowUnderPointer, a closed box or menu
  // hands the scope to the window it lies in and reaches no input itself.
  TWindow* WindowUnderPointer();
  // Makes the window the pointer window, telling the previous one that the
  // mouse left it; answers the window.
  TWindow* AimPointerAt(TWindow* in_window);
  // Offers a key or wheel event along the focus path, from the focused window
  // towards the root, until a window handles it or the modal scope was offered it.
  void WalkFocusPath(bool (TWindow::*handler)());
};
