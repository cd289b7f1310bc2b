#pragma once
// The base of message boxes: a framed buffer window on top of the desktop with
// a title and a message centred under it. Any notification (its button's
// click) or Escape closes it at the end of the frame.

#include <string>

#include "toolkit/TFrameRect.h"
#include "toolkit/TWindowBuffer.h"

class TWinBoxTemp : public TWindowBuffer, public TFrameRect {
 public:
  // A new child of the current desktop, brought to the front, unfocused and dirty.
  TWinBoxTemp(const TRect& rect, const std::wstring& title, const std::wstring& text);
  ~TWinBoxTemp() override = default;

  // When dirty: the frame (always the active look), the message and the
  // children into the bitmap. Then the bitmap onto the desktop.
  void Draw() override;
  // Boxes keep their size and place when the screen is resized.
  void SetSize(int32_t, int32_t) override {}
  // A box that takes the focus comes in front of the desktop's other windows.
  void GotFocus() override;
  // Any notification closes the box at the end of the frame.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  // Escape closes the box but is still passed on; Tab cycles the focus.
  bool OnKeyDown() override;

  std::wstring Title;
  std::wstring Text;
};
