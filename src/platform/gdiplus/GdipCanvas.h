#pragma once
// Internal to the drawing half of the platform layer: what one drawing call
// draws on, within the Graphics object's clip rows. It resolves a Graphics object to its pixels (for a window, looked
// up afresh because the buffer moves on resize), lends a Cairo context on them
// or fills and composes pixel rectangles straight through pixman, and, for a
// window, reports the change when the call is done. The Cairo and pixman types
// stay in GdipCanvas.cpp; callers cast Cairo() to cairo_t*.

#include <memory>

#include "platform/gdiplus/GdipObjects.h"

namespace Gdiplus {

class GdipCanvas {
 public:
  explicit GdipCanvas(const GdipGraphicsObject& graphics);
  ~GdipCanvas();
  GdipCanvas(const GdipCanvas&) = delete;
  GdipCanvas& operator=(const GdipCanvas&) = delete;

  // Ok when the pixels were found; Win32Error when a window's device context no
  // longer has any.
  GpStatus Status() const { return status_; }
  // True when there is nothing to draw on (a failed lookup or a zero-sized
  // window), and for every target while drawing is discarded (then a window's
  // pixels are not looked up, and a context whose window is gone answers Ok).
  // Also true when the Graphics object's clip rows hold none of the pixels.
  bool Empty() const;
  const PlatformPixelBuffer& Pixels() const { return pixels_; }
  // 32bppRGB bitmaps ignore alpha.
  bool Opaque() const { return opaque_; }
  // The bitmap's shared storage, or null for a window.
  const GdipPixels* Bitmap() const { return bitmap_.get(); }

  // A fresh Cairo context (cairo_t*) on the pixels, or null when Empty() or out
  // of memory. Direct pixel writes made after this must be announced with Dirty().
  // A drawing that stays in a box of whole pixels [left, right) x [top, bottom)
  // may say so: a clear still pending elsewhere then keeps waiting.
  void* Cairo();
  void* Cairo(int left, int top, int right, int bottom);
  void Dirty();

  // Sets every pixel to the premultiplied value (opaque on 32bppRGB), as a
  // SOURCE fill does. Does nothing when Empty(). On a bitmap the writing waits
  // until something reads or draws on the pixels it covers: the opaque blocks
  // composed meanwhile replace those pixels whatever they were, so they are
  // never written twice (a map buffer cleared, then covered with tiles).
  void Fill(uint32_t value);
  // Composes a width x height block of premultiplied pixels (rows
  // sourceStride pixels apart; sourceOpaque: alpha ignored, as in 32bppRGB;
  // sourceKnownOpaque: every alpha is 255) OVER the pixels at (x, y),
  // unscaled, clipped to the target: exactly what Cairo gives for the same
  // draw at 1:1. False (nothing drawn) when pixman cannot take it; the caller
  // then draws another way.
  bool ComposeOver(const uint32_t* source, int sourceStride, bool sourceOpaque, int width, int height, int x,
                   int y, bool sourceKnownOpaque = false);
  // Marks the pixels as changed, so a window is told to show them again.
  void Changed() { changed_ = true; }

  // While set, every canvas is Empty() (PlatformTest::DiscardDrawing).
  static void Discard(bool discard);
  static bool Discarded();

 private:
  void* MakeCairo();
  // Whether the clip rows leave out some of the rows.
  bool Clipped() const;

  HDC hdc_ = nullptr;
  std::shared_ptr<GdipPixels> bitmap_;
  PlatformPixelBuffer pixels_{nullptr, 0, 0, 0};
  bool opaque_ = false;
  GdipRows clip_;
  GpStatus status_ = Ok;
  bool changed_ = false;
  void* surface_ = nullptr;  // cairo_surface_t*
  void* cairo_ = nullptr;    // cairo_t*
};

}  // namespace Gdiplus
