#pragma once
// Internal to the drawing half of the platform layer: what one drawing call
// draws on. It resolves a Graphics object to its pixels (for a window, looked
// up afresh because the buffer moves on resize), lends a Cairo context on them
// and, for a window, reports the change when the call is done. The Cairo types
// stay in GdipCanvas.cpp; callers cast Cairo() to cairo_t*.

#include <memory>

#include "platform/GdipObjects.h"

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
  bool Empty() const { return status_ != Ok || pixels_.width <= 0 || pixels_.height <= 0 || Discarded(); }
  const PlatformPixelBuffer& Pixels() const { return pixels_; }
  // 32bppRGB bitmaps ignore alpha.
  bool Opaque() const { return opaque_; }
  // The bitmap's shared storage, or null for a window.
  const GdipPixels* Bitmap() const { return bitmap_.get(); }

  // A fresh Cairo context (cairo_t*) on the pixels, or null when Empty() or out
  // of memory. Direct pixel writes made after this must be announced with Dirty().
  void* Cairo();
  void Dirty();
  // Marks the pixels as changed, so a window is told to show them again.
  void Changed() { changed_ = true; }

  // While set, every canvas is Empty() (PlatformTest::DiscardDrawing).
  static void Discard(bool discard);
  static bool Discarded();

 private:
  HDC hdc_ = nullptr;
  std::shared_ptr<GdipPixels> bitmap_;
  PlatformPixelBuffer pixels_{nullptr, 0, 0, 0};
  bool opaque_ = false;
  GpStatus status_ = Ok;
  bool changed_ = false;
  void* surface_ = nullptr;  // cairo_surface_t*
  void* cairo_ = nullptr;    // cairo_t*
};

}  // namespace Gdiplus
