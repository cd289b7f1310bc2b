#pragma once
// The push button: a three-frame image ("res/button/button3.tif": pressed,
// mouse over, normal) stretched over its rectangle with a centred caption. A
// release over the button, or Enter's key-up while it has the focus, clicks it:
// the owner hears code 1 with the button's id.

#include <cstdint>
#include <string>

#include "graphics/TSprite.h"
#include "toolkit/TWindow.h"

class TWinButton : public TWindow {
 public:
  // Draws into the parent's surface at the rectangle's position; owner may
  // differ from parent and may be null (then clicks go nowhere).
  TWinButton(TWindow* parent, TWindow* owner, const TRect& rect, const std::wstring& text, int32_t id);
  ~TWinButton() override;

  void Draw() override;
  // Buttons keep their size.
  void SetSize(int32_t, int32_t) override {}
  // Both repaint at once, so the focus outline follows the focus.
  void GotFocus() override;
  void LostFocus() override;
  void OnLButtonDown() override;
  // Clicks only when the mouse is still over the button.
  void OnLButtonUp() override;
  void OnMouseLeave() override;
  // Tracks whether the mouse is over the button. A change only flips the flag;
  // the picture follows at the next move (or at once when the mouse leaves).
  void OnMouseMove() override;
  // Enter presses the button on key-down and clicks it on key-up. A key-up
  // whose key-down went elsewhere (an Enter in an edit field that opened the
  // box this button belongs to) is taken without a click.
  bool OnKeyUp() override;
  bool OnKeyDown() override;
  // The button's action: tells the owner code 1 with the id.
  virtual void Click();

  TWindow* Owner;
  bool Hover = false;
  bool Pressed = false;
  std::wstring Text;
  int32_t Id;
  TSprite* Image;
  // The image frame of the last Draw: 0 pressed, 1 mouse over, 2 normal.
  int32_t FrameIndex = 2;

 protected:
  // Draws the caption centred across (left, width), its top 7 pixels above the
  // button's middle, moved right and down by shift pixels.
  void DrawCaption(TGraphics& surface, int32_t left, int32_t width, int32_t shift) const;
};
