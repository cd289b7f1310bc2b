#include "ContactSheet.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kGap = 12, kLabel = 16;

std::string FolderOf(const std::string& label) {
  const size_t slash = label.rfind('/');
  return slash == std::string::npos ? std::string() : label.substr(0, slash);
}

// A checker of two greens shows transparency without hiding dark art.
void Checker(cairo_t* cr, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  for (int j = 0; j * 16 < h; ++j)
    for (int i = 0; i * 16 < w; ++i) {
      if ((i + j) % 2)
        cairo_set_source_rgb(cr, 0.36, 0.5, 0.3);
      else
        cairo_set_source_rgb(cr, 0.4, 0.55, 0.33);
      cairo_rectangle(cr, x + i * 16, y + j * 16, 16, 16);
      cairo_fill(cr);
    }
  cairo_restore(cr);
}

}  // namespace

Thumbnail MakeThumbnail(const std::string& label, const Image& image) {
  const int longest = std::max(image.Width(), image.Height());
  double scale = 1;
  if (longest > 300)
    scale = 300.0 / longest;
  else if (longest < 120)
    scale = 3;
  else if (longest < 200)
    scale = 2;
  const int w = std::max(1, static_cast<int>(std::lround(image.Width() * scale)));
  const int h = std::max(1, static_cast<int>(std::lround(image.Height() * scale)));
  Thumbnail t{label, Image(w, h)};
  Painter cr(t.image);
  cairo_scale(cr, static_cast<double>(w) / image.Width(), static_cast<double>(h) / image.Height());
  cairo_set_source_surface(cr, image.Surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), scale > 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  return t;
}

bool WriteContactSheet(const std::filesystem::path& path, const std::vector<Thumbnail>& thumbnails) {
  // First pass: positions.
  struct Slot {
    int x, y;
  };
  std::vector<Slot> slots;
  int x = kGap, y = kGap, rowHeight = 0, width = 0;
  std::string folder;
  for (size_t i = 0; i < thumbnails.size(); ++i) {
    const Thumbnail& t = thumbnails[i];
    const int cellW = std::max(t.image.Width(), 150);
    if (i > 0 && (FolderOf(t.label) != folder || x + cellW > 2400)) {
      x = kGap;
      y += rowHeight + kLabel + kGap;
      rowHeight = 0;
    }
    folder = FolderOf(t.label);
    slots.push_back({x, y});
    x += cellW + kGap;
    width = std::max(width, x);
    rowHeight = std::max(rowHeight, t.image.Height());
  }
  const int height = y + rowHeight + kLabel + kGap;
  Image sheet(std::max(width, 1), std::max(height, 1));
  {
    Painter cr(sheet);
    cairo_set_source_rgb(cr, 0.16, 0.16, 0.18);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11);
    for (size_t i = 0; i < thumbnails.size(); ++i) {
      const Thumbnail& t = thumbnails[i];
      const Slot s = slots[i];
      cairo_set_source_rgb(cr, 0.9, 0.9, 0.85);
      cairo_move_to(cr, s.x, s.y + 11);
      const std::string shown = t.label.rfind("res/", 0) == 0 ? t.label.substr(4) : t.label;
      cairo_show_text(cr, shown.c_str());
      Checker(cr, s.x, s.y + kLabel, t.image.Width(), t.image.Height());
      cairo_set_source_surface(cr, t.image.Surface(), s.x, s.y + kLabel);
      cairo_paint(cr);
    }
  }
  return cairo_surface_write_to_png(sheet.Surface(), path.string().c_str()) == CAIRO_STATUS_SUCCESS;
}
