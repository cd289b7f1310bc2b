#include "platform/GdipCanvas.h"

#include <cairo.h>

namespace Gdiplus {

namespace {
bool discardDrawing = false;
}  // namespace

void GdipCanvas::Discard(bool discard) { discardDrawing = discard; }

bool GdipCanvas::Discarded() { return discardDrawing; }

GdipCanvas::GdipCanvas(const GdipGraphicsObject& graphics) : hdc_(graphics.hdc), bitmap_(graphics.bitmap) {
  // Nothing will be drawn: the pixels are not even looked up.
  if (discardDrawing) return;
  if (bitmap_) {
    pixels_ = PlatformPixelBuffer{bitmap_->data, bitmap_->width, bitmap_->height, bitmap_->width};
    opaque_ = bitmap_->opaque;
  } else if (hdc_ == nullptr || !PlatformDcPixels(hdc_, &pixels_) || pixels_.data == nullptr ||
             pixels_.stridePixels < pixels_.width) {
    pixels_ = PlatformPixelBuffer{nullptr, 0, 0, 0};
    status_ = Win32Error;
  }
}

GdipCanvas::~GdipCanvas() {
  if (cairo_ != nullptr) cairo_destroy(static_cast<cairo_t*>(cairo_));
  if (surface_ != nullptr) {
    cairo_surface_flush(static_cast<cairo_surface_t*>(surface_));
    cairo_surface_destroy(static_cast<cairo_surface_t*>(surface_));
  }
  if (changed_ && hdc_ != nullptr && status_ == Ok) PlatformDcChanged(hdc_);
}

void* GdipCanvas::Cairo() {
  if (Empty()) return nullptr;
  if (cairo_ != nullptr) {
    cairo_destroy(static_cast<cairo_t*>(cairo_));
    cairo_ = nullptr;
  }
  if (surface_ == nullptr) {
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(pixels_.data), opaque_ ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32,
        pixels_.width, pixels_.height, pixels_.stridePixels * 4);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(surface);
      return nullptr;
    }
    surface_ = surface;
  }
  cairo_t* cr = cairo_create(static_cast<cairo_surface_t*>(surface_));
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr);
    return nullptr;
  }
  cairo_ = cr;
  return cr;
}

void GdipCanvas::Dirty() {
  if (surface_ != nullptr) cairo_surface_mark_dirty(static_cast<cairo_surface_t*>(surface_));
}

}  // namespace Gdiplus
