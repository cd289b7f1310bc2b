#pragma once
// The base of every toolkit window: a rectangle in the coordinates of the
// surface it draws into, an owned list of children (drawing order: the last is
// on top and hit-tested first) and a focus flag. The 26 virtual operations keep
// a fixed slot order; mouse and key operations take no arguments and read the
// current message from the application object.

#include <cstdint>
#include <vector>

#include "graphics/Geometry.h"
#include "graphics/TGraphics.h"

class TWindow {
 public:
  // Joins the live windows and the parent's children (on top of its siblings),
  // takes the parent's surface cell (the application window's without a
  // parent), takes the focus and becomes the pointer window.
  explicit TWindow(TWindow* parent);
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  // Deletes the children first, leaves the parent, repairs every global that
  // names this window and leaves every list.
  virtual ~TWindow();
  // Called once per frame on every live window, in construction order (a
  // window that left the frame's walk is called by its owner instead).
  virtual void Update() {}
  // Draws the children, first to last.
  virtual void Draw();
  virtual void SetSize(int32_t width, int32_t height);
  virtual void MoveBy(int32_t dx, int32_t dy);
  virtual void MoveTo(int32_t x, int32_t y);
  virtual void GotFocus() { Focused = true; }
  virtual void LostFocus() { Focused = false; }
  // The one channel from a widget to its owner; receiver is the window itself.
  virtual void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2);
  // The deepest, topmost window under the point (screen coordinates), or null.
  virtual TWindow* HitTest(TPoint point);
  // Converts the point, in place, into the coordinates this window's children draw in.
  virtual TPoint& ToLocal(TPoint& point);
  // Swaps the child with the last child, if it is one of ours.
  virtual void BringToFront(TWindow* child);
  // Deletes the child at once if it is one of ours; otherwise does nothing.
  virtual void DeleteChild(TWindow* child);
  // Makes this window the end of the focus path.
  virtual void TakeFocus();
  virtual void OnLButtonDblClk() {}
  virtual void OnRButtonDblClk() {}
  virtual void OnLButtonDown() {}
  virtual void OnLButtonUp() {}
  virtual void OnRButtonDown() {}
  virtual void OnRButtonUp() {}
  virtual void OnMouseLeave() {}
  virtual void OnMouseMove() {}
  // Key and wheel operations report whether they handled the event.
  virtual bool OnMouseWheel() { return false; }
  virtual bool OnKeyUp() { return false; }
  // Tab moves the focus to the next child.
  virtual bool OnKeyDown();
  virtual bool OnChar() { return false; }

  TRect Bounds() const { return TRect{X, Y, Width, Height}; }
  // The surface this window draws into; null while it has none.
  TGraphics* Surface() const { return Cell ? *Cell : nullptr; }

  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  // Holds the surface this window and its children draw into. Not owned, except
  // by buffers and desktops, which own theirs.
  TGraphics** Cell = nullptr;
  TWindow* Parent;
  std::vector<TWindow*> Children;
  bool Focused = true;

 protected:
  // Marks the constructor for windows that an owner makes by the thousand.
  struct TOneOfMany {};
  // Joins the live windows and the parent's children as the other constructor
  // does, but stays out of the frame step's walk (see LeaveFrameUpdates) and
  // takes neither the focus (Focused is false) nor the pointer. Once the owner
  // has made them all, it gives the last one the focus (TakeFocus) and makes
  // it the pointer window: the focus path, the focus flags and the pointer are
  // then as making them one by one would have left them.
  TWindow(TWindow* parent, TOneOfMany);

  // Takes this window out of the frame step's walk over the live windows: its
  // owner calls its Update itself, in the walk's order, whenever the window has
  // something to do, so that windows with nothing to do cost the frame
  // nothing. For windows made right after their owner, which take their place
  // in the walk.
  void LeaveFrameUpdates();

 private:
  bool InFrameUpdates_ = true;
};
