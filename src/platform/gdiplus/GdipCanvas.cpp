#include "platform/gdiplus/GdipCanvas.h"

#include "platform/gdiplus/GdipScaledCopies.h"

#include <cairo.h>
#include <pixman.h>

#include <algorithm>
#include <new>

namespace Gdiplus {

namespace {
bool discardDrawing = false;
}  // namespace

void GdipCanvas::Discard(bool discard) { discardDrawing = discard; }

bool GdipCanvas::Discarded() { return discardDrawing; }

GdipCanvas::GdipCanvas(const GdipGraphicsObject& graphics)
    : hdc_(graphics.hdc), bitmap_(graphics.bitmap), clip_(graphics.clip) {
  // Nothing will be drawn: the pixels are not even looked up.
  if (discardDrawing) return;
  if (bitmap_) {
    pixels_ = PlatformPixelBuffer{bitmap_->data, bitmap_->width, bitmap_->height, bitmap_->width};
    opaque_ = bitmap_->opaque;
    // Whatever is drawn now changes the bitmap: what holds calls drawing it
    // carries them out first.
    GdipWillChange(*bitmap_);
    GdipTouch(*bitmap_);
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
  if (changed_ && hdc_ != nullptr && status_ == Ok) PlatformDcChanged(hdc_, clip_.top, clip_.bottom);
}

bool GdipCanvas::Empty() const {
  return status_ != Ok || pixels_.width <= 0 || pixels_.height <= 0 || Discarded() || clip_.top >= clip_.bottom ||
         clip_.bottom <= 0 || clip_.top >= pixels_.height;
}

bool GdipCanvas::Clipped() const { return clip_.top > 0 || clip_.bottom < pixels_.height; }

void* GdipCanvas::Cairo(int left, int top, int right, int bottom) {
  if (!Empty() && bitmap_) GdipSettle(*bitmap_, left, top, right, bottom);
  return MakeCairo();
}

void* GdipCanvas::Cairo() {
  if (!Empty() && bitmap_) GdipSettle(*bitmap_);
  return MakeCairo();
}

void* GdipCanvas::MakeCairo() {
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
  if (Clipped()) {
    // Whole rows: what is drawn inside them is what the whole draw gives there.
    const int top = std::max(clip_.top, 0), bottom = std::min(clip_.bottom, pixels_.height);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, 0, top, pixels_.width, bottom - top);
    cairo_clip(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
  }
  cairo_ = cr;
  return cr;
}

void GdipCanvas::Dirty() {
  if (surface_ != nullptr) cairo_surface_mark_dirty(static_cast<cairo_surface_t*>(surface_));
}

namespace {

pixman_format_code_t PixmanFormat(bool opaque) { return opaque ? PIXMAN_x8r8g8b8 : PIXMAN_a8r8g8b8; }

}  // namespace

void GdipCanvas::Fill(uint32_t value) {
  if (Empty()) return;
  if (opaque_) value |= 0xFF000000u;
  if (Clipped()) {
    // Part of the rows: written at once, over whatever clear was pending there.
    const int top = std::max(clip_.top, 0), bottom = std::min(clip_.bottom, pixels_.height);
    if (bitmap_) {
      GdipSettle(*bitmap_, 0, top, pixels_.width, bottom);
      if ((value >> 24) != 0xFF) bitmap_->knownOpaque = false;
    }
    if (surface_ != nullptr) cairo_surface_flush(static_cast<cairo_surface_t*>(surface_));
    for (int y = top; y < bottom; ++y) {
      uint32_t* row = pixels_.data + size_t(y) * size_t(pixels_.stridePixels);
      std::fill(row, row + pixels_.width, value);
    }
    Dirty();
    Changed();
    return;
  }
  if (bitmap_) bitmap_->knownOpaque = (value >> 24) == 0xFF;
  if (bitmap_ && surface_ == nullptr) {
    // The whole bitmap is to be filled; what an earlier clear left pending goes.
    auto* region = static_cast<pixman_region32_t*>(bitmap_->pendingClear);
    if (region == nullptr) {
      region = new (std::nothrow) pixman_region32_t;
      if (region != nullptr) pixman_region32_init(region);
    }
    if (region != nullptr) {
      pixman_region32_fini(region);
      pixman_region32_init_rect(region, 0, 0, unsigned(pixels_.width), unsigned(pixels_.height));
      bitmap_->pendingClear = region;
      bitmap_->pendingValue = value;
      Changed();
      return;
    }
  }
  if (surface_ != nullptr) cairo_surface_flush(static_cast<cairo_surface_t*>(surface_));
  // pixman_fill takes the stride in 32-bit words.
  if (!pixman_fill(pixels_.data, pixels_.stridePixels, 32, 0, 0, pixels_.width, pixels_.height, value)) {
    for (int y = 0; y < pixels_.height; ++y) {
      uint32_t* row = pixels_.data + size_t(y) * size_t(pixels_.stridePixels);
      std::fill(row, row + pixels_.width, value);
    }
  }
  Dirty();
  Changed();
}

bool GdipCanvas::ComposeOver(const uint32_t* source, int sourceStride, bool sourceOpaque, int width,
                             int height, int x, int y, bool sourceKnownOpaque) {
  if (Empty() || width <= 0 || height <= 0) return true;
  // Only the part that lands on the target is handed to pixman, so every
  // coordinate it sees is small.
  const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>({y, 0, clip_.top});
  const int64_t right = std::min<int64_t>(int64_t{x} + width, pixels_.width);
  const int64_t bottom = std::min<int64_t>({int64_t{y} + height, pixels_.height, clip_.bottom});
  if (right <= left || bottom <= top) return true;
  const int pieceWidth = int(right - left), pieceHeight = int(bottom - top);
  const uint32_t* first = source + size_t(top - y) * size_t(sourceStride) + size_t(left - x);
  pixman_image_t* from = pixman_image_create_bits_no_clear(
      PixmanFormat(sourceOpaque), pieceWidth, pieceHeight, const_cast<uint32_t*>(first), sourceStride * 4);
  pixman_image_t* to = pixman_image_create_bits_no_clear(PixmanFormat(opaque_), pixels_.width, pixels_.height,
                                                         pixels_.data, pixels_.stridePixels * 4);
  const bool ready = from != nullptr && to != nullptr;
  if (ready) {
    if (bitmap_ && bitmap_->pendingClear != nullptr) {
      // An opaque block replaces the pixels it covers: they need no clearing.
      // Anything else composes over the cleared pixels.
      if (sourceOpaque || sourceKnownOpaque) {
        auto* region = static_cast<pixman_region32_t*>(bitmap_->pendingClear);
        pixman_region32_t covered;
        pixman_region32_init_rect(&covered, int(left), int(top), unsigned(pieceWidth), unsigned(pieceHeight));
        pixman_region32_subtract(region, region, &covered);
        pixman_region32_fini(&covered);
      } else {
        GdipSettle(*bitmap_, int(left), int(top), int(right), int(bottom));
      }
    }
    if (surface_ != nullptr) cairo_surface_flush(static_cast<cairo_surface_t*>(surface_));
    pixman_image_composite32(PIXMAN_OP_OVER, from, nullptr, to, 0, 0, 0, 0, int(left), int(top), pieceWidth,
                             pieceHeight);
    Dirty();
    Changed();
  }
  if (from != nullptr) pixman_image_unref(from);
  if (to != nullptr) pixman_image_unref(to);
  return ready;
}

}  // namespace Gdiplus
