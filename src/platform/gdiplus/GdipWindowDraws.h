#pragma once
// Internal to the drawing half of the platform layer: repeated frames on a
// window. A program that shows each frame by drawing one opaque bitmap onto
// its window draws, frame after frame, the same bitmap at the same place.
// While nothing else has drawn on the window and the window system has not
// made its pixels anew, the window already shows that bitmap as it was then:
// the draw is skipped when the bitmap has not changed since, drawn only over
// the rows that changed when the bitmap knows them (GdipPixels::changedRows),
// and drawn whole otherwise. The window is told only of the rows drawn, so it
// shows only those again.

#include <unordered_map>

#include "platform/gdiplus/GdipCall.h"

namespace Gdiplus {

class GdipWindowDraws {
 public:
  // Carries the call out on the window's device context, or skips what the
  // window shows already; returns what carrying it out returns (Ok when skipped).
  static GpStatus Submit(GdipGraphicsObject& target, const GdipCall& call);
  // Forgets every window (a fresh process for the tests).
  static void Reset();

 private:
  struct Shown {
    GdipCall call;
    PlatformPixelBuffer pixels{nullptr, 0, 0, 0};
  };
  // Keyed by the window's pixels, which every device context of it reaches.
  static std::unordered_map<const uint32_t*, Shown>& Windows();
};

}  // namespace Gdiplus
