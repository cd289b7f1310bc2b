#include "editor/TEditorSlider.h"

#include <algorithm>
#include <cmath>

#include "shell/TTimer.h"

int32_t TEditorSlider::ValueAt(int64_t in_offset) const {
  if (Track <= 0 || Maximum <= Minimum) return Minimum;
  const int64_t offset = std::clamp<int64_t>(in_offset, 0, Track);
  const double range = static_cast<double>(Maximum) - Minimum;
  return static_cast<int32_t>(Minimum + std::lround(static_cast<double>(offset) * range / Track));
}

void TEditorSlider::OnLButtonDown() {
  if (Application) {
    TPoint mouse{Application->MouseX, Application->MouseY};
    ToLocal(mouse);
    // The scroll bar tries the increase arrow before the thumb.
    if (!IncreaseRect.Contains(mouse) && ThumbRect.Contains(mouse)) Grip_ = mouse.x - ThumbRect.x;
  }
  TWinScroll::OnLButtonDown();
}

void TEditorSlider::Drag() {
  if (!Application) return;
  TPoint mouse{Application->MouseX, Application->MouseY};
  ToLocal(mouse);
  SetValue(ValueAt(int64_t{mouse.x} - Grip_ - TrackStart()));
}

bool TEditorSlider::TrackClick(TPoint point) {
  const int32_t start = TrackStart();
  const int64_t end = static_cast<int64_t>(start) + ThumbRect.width + Track;
  if (point.x < start || point.x >= end) return false;
  if (point.y < DecreaseRect.y || point.y >= DecreaseRect.y + DecreaseRect.height) return false;
  ClearStates();
  ThumbState = 2;
  Grip_ = ThumbRect.width / 2;
  SetValue(ValueAt(int64_t{point.x} - Grip_ - start));
  return true;
}
