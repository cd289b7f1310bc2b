#pragma once
// Internal to the drawing half of the platform layer: scaled image draws that
// repeat. A program that stretches the same image over the same rectangle of a
// bitmap frame after frame (a screen's background) would filter every pixel
// again each time. From the second such draw on, the draw is made once into a
// transparent copy of the target's size, and every draw composes that copy
// unscaled onto the target. That gives the very same pixels: the scaled draw
// composes its filtered pixels OVER the target, the copy holds exactly those
// pixels (composed over transparent ones), and pixels the draw does not cover
// stay transparent, which OVER leaves unchanged. The copy is dropped when the
// image changes or goes.

#include "platform/gdiplus/GdipObjects.h"

namespace Gdiplus {

// A draw as GdipDrawImageRectRectI gives it: destination and source rectangles.
struct GdipImageDraw {
  double dx, dy, dw, dh;
  double sx, sy, sw, sh;
  bool operator==(const GdipImageDraw&) const = default;
};

// The draw made straight onto a target, with the image's own filtering.
using GdipDirectImageDraw = GpStatus (*)(GdipGraphicsObject& target, const GdipImageObject& image,
                                         const GdipImageDraw& draw);

// Draws as direct does, through a kept scaled copy when the draw repeats an
// earlier one onto a bitmap of the same size.
GpStatus GdipDrawImageRepeated(GdipGraphicsObject& target, const GdipImageObject& image,
                               const GdipImageDraw& draw, GdipDirectImageDraw direct);

// Marks the pixels as changed, so copies made from them are made again.
inline void GdipTouch(GdipPixels& pixels) { ++pixels.generation; }

}  // namespace Gdiplus
