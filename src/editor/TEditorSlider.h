#pragma once
// The editor panel's slider: the toolkit's scroll bar with the thumb following
// the pointer over the whole track, so that dragging it from one end of the
// track to the other goes from the minimum to the maximum, whatever the range,
// and a press on the free track puts the middle of the thumb under the
// pointer. The arrows, the keys and the wheel still step by one.

#include <cstdint>

#include "toolkit/TWinScroll.h"

class TEditorSlider : public TWinScroll {
 public:
  TEditorSlider(TWindow* parent, TWindow* owner, const TRect& rect) : TWinScroll(parent, owner, rect) {}
  ~TEditorSlider() override = default;

  // As the scroll bar's, remembering where in the thumb it was taken.
  void OnLButtonDown() override;
  // The value whose thumb stands under the pointer, held where it was taken.
  void Drag() override;
  bool TrackClick(TPoint point) override;

 private:
  // The value nearest to a thumb whose left edge is this many pixels along the track.
  int32_t ValueAt(int64_t in_offset) const;
  // Where the track begins, in the bar's coordinates.
  int32_t TrackStart() const { return DecreaseRect.x + DecreaseRect.width; }

  // The pointer's distance from the thumb's left edge while it is dragged.
  int32_t Grip_ = 0;
};
