#include "Picture.h"

#include <cairo.h>

Picture::Picture(int width, int height, uint32_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill & 0xFFFFFF) {}

Picture Picture::LoadPng(const std::string& path) {
  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  Picture picture;
  if (cairo_surface_status(png) == CAIRO_STATUS_SUCCESS) {
    const int width = cairo_image_surface_get_width(png);
    const int height = cairo_image_surface_get_height(png);
    // Drawn onto an RGB24 surface, every colour type arrives as 0x00RRGGBB.
    cairo_surface_t* rgb = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(rgb);
    cairo_set_source_surface(cr, png, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(rgb);
    picture = Picture(width, height);
    const unsigned char* data = cairo_image_surface_get_data(rgb);
    const int stride = cairo_image_surface_get_stride(rgb);
    for (int y = 0; y < height; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<long>(y) * stride);
      for (int x = 0; x < width; ++x) picture.Set(x, y, row[x]);
    }
    cairo_surface_destroy(rgb);
  }
  cairo_surface_destroy(png);
  return picture;
}

bool Picture::SavePng(const std::string& path) const {
  if (Empty()) return false;
  cairo_surface_t* rgb = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
  unsigned char* data = cairo_image_surface_get_data(rgb);
  const int stride = cairo_image_surface_get_stride(rgb);
  for (int y = 0; y < height_; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<long>(y) * stride);
    for (int x = 0; x < width_; ++x) row[x] = At(x, y);
  }
  cairo_surface_mark_dirty(rgb);
  const bool written = cairo_surface_write_to_png(rgb, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(rgb);
  return written;
}
