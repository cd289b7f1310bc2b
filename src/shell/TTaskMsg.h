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

 private:
  // A press: hit-test the modal scope, focus what was hit, then deliver the
  // press to the pointer window.
  void RoutePress(void (TWindow::*press)());
  // Offers a key or wheel event along the focus path, from the focused window
  // towards the root, until a window handles it or the modal scope was offered it.
  void WalkFocusPath(bool (TWindow::*handler)());
};
