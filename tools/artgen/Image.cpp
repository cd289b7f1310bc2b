#include "Image.h"

#include <algorithm>
#include <utility>

Image::Image(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {}

Image::~Image() {
  if (surface_) cairo_surface_destroy(surface_);
}

Image::Image(Image&& other) noexcept
    : width_(other.width_), height_(other.height_), surface_(std::exchange(other.surface_, nullptr)) {}

Image& Image::operator=(Image&& other) noexcept {
  if (this != &other) {
    if (surface_) cairo_surface_destroy(surface_);
    width_ = other.width_;
    height_ = other.height_;
    surface_ = std::exchange(other.surface_, nullptr);
  }
  return *this;
}

uint32_t* Image::Row(int y) {
  cairo_surface_flush(surface_);
  return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_) +
                                     static_cast<long>(y) * cairo_image_surface_get_stride(surface_));
}

const uint32_t* Image::Row(int y) const {
  cairo_surface_flush(surface_);
  return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface_) +
                                           static_cast<long>(y) * cairo_image_surface_get_stride(surface_));
}

void Image::MarkDirty() { cairo_surface_mark_dirty(surface_); }

void Image::Draw(const Image& src, double x, double y, double w, double h, double alpha) {
  Painter cr(*this);
  cairo_translate(cr, x, y);
  if (w > 0 && h > 0 && (w != src.Width() || h != src.Height())) {
    cairo_scale(cr, w / src.Width(), h / src.Height());
    cairo_set_source_surface(cr, src.Surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  } else {
    cairo_set_source_surface(cr, src.Surface(), 0, 0);
  }
  cairo_paint_with_alpha(cr, alpha);
}

void Image::Place(const Image& src, int x, int y) {
  Painter cr(*this);
  cairo_rectangle(cr, x, y, src.Width(), src.Height());
  cairo_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, src.Surface(), x, y);
  cairo_paint(cr);
}

void Image::FadeAlpha(double a) {
  for (int y = 0; y < height_; ++y) {
    uint32_t* row = Row(y);
    for (int x = 0; x < width_; ++x) {
      const uint32_t p = row[x];
      auto scale = [&](int shift) { return static_cast<uint32_t>(((p >> shift) & 0xff) * a + 0.5) << shift; };
      row[x] = scale(24) | scale(16) | scale(8) | scale(0);
    }
  }
  MarkDirty();
}

void Image::Tint(Rgb colour, double amount) {
  for (int y = 0; y < height_; ++y) {
    uint32_t* row = Row(y);
    for (int x = 0; x < width_; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      if (a == 0) continue;
      auto mix = [&](int shift, double target) {
        const double v = ((p >> shift) & 0xff) * (1 - amount) + target * a * amount;
        return static_cast<uint32_t>(std::clamp(v + 0.5, 0.0, static_cast<double>(a))) << shift;
      };
      row[x] = (a << 24) | mix(16, colour.r) | mix(8, colour.g) | mix(0, colour.b);
    }
  }
  MarkDirty();
}
