#pragma once
// The horizontal scroll bar: a decrease arrow, a thumb on a track and an
// increase arrow from "res/button/scroll.tif", with the minimum, the value and
// the maximum written underneath. One value unit is one pixel of thumb travel
// for drags and track presses. The owner hears code 2 with the value when the
// mouse button is released, at every drag step, on keys and the wheel, and
// after it set the value or the range.

#include <cstdint>

#include "graphics/GdiplusObjects.h"
#include "graphics/TFrameTexture.h"
#include "toolkit/TWindow.h"

class TWinScroll : public TWindow {
 public:
  // Always 35 pixels high (Layout fixes it); starts at value 0 of 0..100.
  TWinScroll(TWindow* parent, TWindow* owner, const TRect& rect);
  ~TWinScroll() override;

  void Draw() override;
  // Scroll bars keep their size.
  void SetSize(int32_t, int32_t) override {}
  // Moves the bar, lays it out again (the value returns to the minimum) and repaints.
  void MoveTo(int32_t x, int32_t y) override;
  void GotFocus() override;
  void LostFocus() override;
  // Code 0 sets the range p1..p2, code 1 the value p1; both clamp the value and
  // report it back to the owner. Other codes are ignored.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  // Presses an arrow (moving the value by one at once), grabs the thumb, or
  // jumps on the track and starts a drag. Tells the owner nothing yet.
  void OnLButtonDown() override;
  // Releases whatever was pressed and tells the owner the value.
  void OnLButtonUp() override;
  void OnMouseLeave() override;
  // Drags the thumb (telling the owner at every step) or lights the part under the mouse.
  void OnMouseMove() override;
  // Wheel up decreases the value by one, wheel down increases it.
  bool OnMouseWheel() override;
  // Left and Right move the value by one; other keys go on up the focus path.
  bool OnKeyDown() override;

  // Moves the value by the mouse movement since the previous move.
  virtual void Drag();
  // A press on the free track: jumps there, starts a drag and answers true;
  // answers false when the point is not on the track.
  virtual bool TrackClick(TPoint point);
  // Fixes the cross size, places the arrows and the thumb and sets the value to the minimum.
  virtual void Layout();
  // Clamps v into the range, places the thumb for it and repaints.
  virtual void SetValue(int32_t v);

  int32_t Value = 0;
  int32_t Maximum = 100;
  int32_t Minimum = 0;
  // Pixels the thumb can travel.
  int32_t Track = 0;
  // Each 0 normal, 1 mouse over it, 2 pressed (the thumb: being dragged); at
  // most one is not 0.
  int32_t DecreaseState = 0;
  int32_t ThumbState = 0;
  int32_t IncreaseState = 0;
  TScrollTexture* Image;
  // The parts, in the coordinates of the bar's own position. On the upright
  // bar the decrease arrow is the upper one.
  TRect DecreaseRect;
  TRect IncreaseRect;
  TRect ThumbRect;
  wchar_t TextBuffer[100] = {};
  TWindow* Owner;

 protected:
  // Tells the owner the current value (code 2).
  void NotifyValue();
  void ClearStates();
  // The thumb's offset along the track for the current value.
  int32_t ThumbOffset() const;
  // Stores v held inside minimum..maximum as the value.
  void ClampValue(int32_t v);
  // Draws one part from its frame for the state into its rectangle.
  void DrawPiece(TGraphics& surface, bool vertical, TScrollPiece piece, int32_t state, const TRect& rect) const;
  // Writes the minimum, the value and the maximum into the layout rectangle
  // with the near, centred and far formats.
  void DrawNumbers(TGraphics& surface, const RectF& layout, const TStringFormat* nearFormat,
                   const TStringFormat* centerFormat, const TStringFormat* farFormat);
  // value + delta, held inside the 32-bit range.
  static int32_t Step(int32_t value, int64_t delta);
};
