#pragma once
#include <cairo.h>

#include <cstdint>

#include "Vec3.h"

// An RGBA picture held in a Cairo image surface (premultiplied ARGB32), the
// working format of every drawing routine. Owns its surface.
class Image {
 public:
  // A fully transparent picture of the given size.
  Image(int width, int height);
  ~Image();
  Image(Image&& other) noexcept;
  Image& operator=(Image&& other) noexcept;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  cairo_surface_t* Surface() const { return surface_; }

  // Pixel words of row y (premultiplied ARGB32). Call MarkDirty after writing.
  uint32_t* Row(int y);
  const uint32_t* Row(int y) const;
  void MarkDirty();

  // Composites src over this picture with its top-left corner at (x, y),
  // scaled to w x h (the source size when w or h is 0), with extra opacity.
  void Draw(const Image& src, double x, double y, double w = 0, double h = 0, double alpha = 1.0);
  // Copies src into this picture at (x, y) replacing what was there.
  void Place(const Image& src, int x, int y);
  // Multiplies every pixel's opacity by a (0..1).
  void FadeAlpha(double a);
  // Mixes the colour of every visible pixel toward colour by amount (0..1).
  void Tint(Rgb colour, double amount);

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
};

// A Cairo context on an image, destroyed with this object.
class Painter {
 public:
  explicit Painter(Image& image) : cr_(cairo_create(image.Surface())) {}
  ~Painter() { cairo_destroy(cr_); }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;
  operator cairo_t*() const { return cr_; }

 private:
  cairo_t* cr_;
};

// Sets a Cairo source colour from an Rgb and opacity.
inline void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}
