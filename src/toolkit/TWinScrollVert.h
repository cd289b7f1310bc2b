#pragma once
// The upright scroll bar: the up arrow decreases, the down arrow increases, and
// the numbers run down its right side. Input is the horizontal bar's, Left and
// Right keys included; drags follow the vertical mouse movement.

#include "toolkit/TWinScroll.h"

class TWinScrollVert : public TWinScroll {
 public:
  // Always 35 pixels wide (Layout fixes it); starts at value 0 of 0..100.
  TWinScrollVert(TWindow* parent, TWindow* owner, const TRect& rect);
  ~TWinScrollVert() override = default;

  void Draw() override;
  void Drag() override;
  bool TrackClick(TPoint point) override;
  void Layout() override;
  void SetValue(int32_t v) override;
};
