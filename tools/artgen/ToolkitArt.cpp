// Buttons, check boxes, window frames, scroll bar pieces and the panel.
#include "ToolkitArt.h"

#include <cmath>
#include <functional>

#include "Noise.h"

namespace {

uint32_t Pack(Rgb c, double a = 1) {
  auto byte = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
  const double al = std::clamp(a, 0.0, 1.0);
  return (byte(al) << 24) | (byte(c.r * al) << 16) | (byte(c.g * al) << 8) | byte(c.b * al);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
  cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
  cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

// Adds a faint paper grain to the opaque pixels of a region.
void Grain(Image& image, int x0, int y0, int w, int h, double amount, uint32_t seed) {
  for (int y = y0; y < y0 + h; ++y) {
    uint32_t* row = image.Row(y);
    for (int x = x0; x < x0 + w; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      if (a == 0) continue;
      const double k = 1 + amount * (Hash01(x, y, 0, seed) - 0.5);
      auto ch = [&](int shift) {
        return static_cast<uint32_t>(std::clamp(((p >> shift) & 0xff) * k, 0.0, static_cast<double>(a)))
               << shift;
      };
      row[x] = (a << 24) | ch(16) | ch(8) | ch(0);
    }
  }
  image.MarkDirty();
}

// --- Push button and check box. -------------------------------------------

void ButtonFace(cairo_t* cr, double y, int state) {
  // state: 0 pressed, 1 hover, 2 normal.
  const double x = 0.75, w = 148.5, h = 28.5, top = y + 0.75;
  RoundedRect(cr, x, top, w, h, 6);
  SetColour(cr, Hex(0x4a3214));
  cairo_fill(cr);
  RoundedRect(cr, x + 1.5, top + 1.5, w - 3, h - 3, 5);
  if (state == 0)
    VerticalGradient(cr, top, top + h, Hex(0xb8a070), Hex(0xe4d4a4));
  else if (state == 1)
    VerticalGradient(cr, top, top + h, Hex(0xfff8dc), Hex(0xf2d890));
  else
    VerticalGradient(cr, top, top + h, Hex(0xf6ecd0), Hex(0xdcc896));
  cairo_fill(cr);
  // Gold trim inside the rim.
  RoundedRect(cr, x + 3, top + 3, w - 6, h - 6, 4);
  SetColour(cr, state == 1 ? Hex(0xe8b030) : Hex(0xb89040), state == 1 ? 1.0 : 0.8);
  cairo_set_line_width(cr, state == 1 ? 1.4 : 1.0);
  cairo_stroke(cr);
  if (state == 0) {
    // Inner shadow along the top and left edges: the face is pushed in.
    cairo_pattern_t* p = cairo_pattern_create_linear(0, top + 2, 0, top + 9);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0.35);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0);
    RoundedRect(cr, x + 1.5, top + 1.5, w - 3, h - 3, 5);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  } else {
    // Highlight along the top.
    SetColour(cr, Hex(0xffffff), 0.6);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x + 7, top + 2.5);
    cairo_line_to(cr, x + w - 7, top + 2.5);
    cairo_stroke(cr);
  }
}

}  // namespace

Image DrawButtons() {
  Image image(150, 90);
  {
    Painter cr(image);
    for (int state = 0; state < 3; ++state) ButtonFace(cr, state * 30, state);
  }
  Grain(image, 0, 0, 150, 90, 0.06, 77);
  return image;
}

Image DrawCheckBoxes() {
  Image image(21, 84);
  Painter cr(image);
  for (int frame = 0; frame < 4; ++frame) {
    const bool hover = frame == 0 || frame == 2, ticked = frame >= 2;
    const double y = frame * 21;
    if (hover) {
      RoundedRect(cr, 0.25, y + 0.25, 20.5, 20.5, 4.5);
      SetColour(cr, Hex(0xf0b830), 0.8);
      cairo_fill(cr);
    }
    RoundedRect(cr, 1.5, y + 1.5, 18, 18, 3.5);
    SetColour(cr, Hex(0x4a3214));
    cairo_fill(cr);
    RoundedRect(cr, 3, y + 3, 15, 15, 2.5);
    if (hover)
      VerticalGradient(cr, y + 3, y + 18, Hex(0xfffaea), Hex(0xf4e0a8));
    else
      VerticalGradient(cr, y + 3, y + 18, Hex(0xe8dcc0), Hex(0xf8f0dc));
    cairo_fill(cr);
    if (ticked) {
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_move_to(cr, 5.5, y + 10.5);
      cairo_line_to(cr, 9, y + 14.5);
      cairo_line_to(cr, 16, y + 5.5);
      SetColour(cr, Hex(0x0e3a0e));
      cairo_set_line_width(cr, 3.6);
      cairo_stroke_preserve(cr);
      SetColour(cr, Hex(0x2a9a2a));
      cairo_set_line_width(cr, 2.0);
      cairo_stroke(cr);
    }
  }
  return image;
}

// --- Window frames. ----------------------------------------------------------

namespace {

struct Metal {
  Rgb light, mid, dark, deep, gem;
};

Metal FrameMetal(bool active) {
  if (active) return {Hex(0xfff2b8), Hex(0xe2b444), Hex(0x946418), Hex(0x3a2406), Hex(0xd01830)};
  return {Hex(0xcfc7b6), Hex(0x978d7a), Hex(0x5e564a), Hex(0x26221e), Hex(0x5a4a56)};
}

// Colour across a moulded band: t runs from the outer edge (0) to the inner edge (1).
Rgb BandColour(const Metal& m, double t) {
  if (t < 0.12) return m.deep;
  if (t < 0.38) return Mix(m.light, m.mid, (t - 0.12) / 0.26);
  if (t < 0.46) return m.dark;
  if (t < 0.56) return Mix(m.light, m.mid, (t - 0.46) / 0.1);
  if (t < 0.88) return Mix(m.mid, m.dark, (t - 0.56) / 0.32);
  return m.deep;
}

// Brightness of a band by the side it is on: lit from the upper left.
double SideLight(bool right, bool bottom) { return right || bottom ? 0.86 : 1.0; }

// Writes a band pixel.
void BandPixel(Image& image, int x, int y, const Metal& m, double t, double light) {
  image.Row(y)[x] = Pack(BandColour(m, t) * light);
}

// A straight edge tile: horizontal bands vary with y, vertical with x.
void EdgeTile(Image& image, int x0, int y0, int w, int h, bool vertical, bool outerAtEnd, const Metal& m) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int i = vertical ? x : y, n = vertical ? w : h;
      const double t = ((outerAtEnd ? n - 1 - i : i) + 0.5) / n;
      BandPixel(image, x0 + x, y0 + y, m, t,
                vertical ? SideLight(outerAtEnd, false) : SideLight(false, outerAtEnd));
    }
}

// A corner: the horizontal band (thickness hBand) and the vertical band
// (thickness vBand) meeting in a mitre; everything else transparent.
void CornerBands(Image& image, int x0, int y0, int size, int hBand, int vBand, bool right, bool bottom,
                 const Metal& m) {
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const int lx = right ? size - 1 - x : x, ly = bottom ? size - 1 - y : y;
      const double th = (ly + 0.5) / hBand, tv = (lx + 0.5) / vBand;
      const bool inH = th < 1, inV = tv < 1;
      if (!inH && !inV) {
        image.Row(y0 + y)[x0 + x] = 0;
        continue;
      }
      const bool useV = inV && (!inH || tv < th);
      BandPixel(image, x0 + x, y0 + y, m, useV ? tv : th,
                useV ? SideLight(right, false) : SideLight(false, bottom));
    }
}

// A bevelled round boss with a gem, centred at (cx, cy).
void Medallion(cairo_t* cr, double cx, double cy, double r, const Metal& m) {
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  SetColour(cr, m.deep);
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(cx - r, cy - r, cx + r, cy + r);
  cairo_pattern_add_color_stop_rgb(p, 0, m.light.r, m.light.g, m.light.b);
  cairo_pattern_add_color_stop_rgb(p, 0.5, m.mid.r, m.mid.g, m.mid.b);
  cairo_pattern_add_color_stop_rgb(p, 1, m.dark.r, m.dark.g, m.dark.b);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, r - 1.2, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  const double g = r * 0.45;
  SetColour(cr, m.deep);
  cairo_arc(cr, cx, cy, g + 0.9, 0, 2 * kPi);
  cairo_fill(cr);
  p = cairo_pattern_create_radial(cx - g * 0.35, cy - g * 0.4, 0, cx, cy, g);
  cairo_pattern_add_color_stop_rgb(p, 0, std::min(1.0, m.gem.r + 0.5), std::min(1.0, m.gem.g + 0.5),
                                   std::min(1.0, m.gem.b + 0.5));
  cairo_pattern_add_color_stop_rgb(p, 0.5, m.gem.r, m.gem.g, m.gem.b);
  cairo_pattern_add_color_stop_rgb(p, 1, m.gem.r * 0.4, m.gem.g * 0.4, m.gem.b * 0.4);
  cairo_set_source(cr, p);
  cairo_arc(cr, cx, cy, g, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// A gold leaf scroll running from the corner along both edges of a thin-frame corner.
void CornerFiligree(cairo_t* cr, double size, const Metal& m) {
  const double a = size * 0.62;
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, a, 0);
  cairo_curve_to(cr, a * 0.7, 4, a * 0.45, 6, a * 0.38, a * 0.38);
  cairo_curve_to(cr, 6, a * 0.45, 4, a * 0.7, 0, a);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, a * 0.5, a * 0.5);
  cairo_pattern_add_color_stop_rgb(p, 0, m.light.r, m.light.g, m.light.b);
  cairo_pattern_add_color_stop_rgb(p, 1, m.dark.r, m.dark.g, m.dark.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  SetColour(cr, m.deep);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

}  // namespace

Image DrawFrame(bool active) {
  const Metal m = FrameMetal(active);
  Image image(102, 256);
  // Thin corners 51 x 51 (bands 6 wide) with a filigree and a small boss.
  const int thinCorner[4][2] = {{0, 0}, {51, 0}, {0, 51}, {51, 51}};
  for (int i = 0; i < 4; ++i) {
    const bool right = i % 2, bottom = i / 2;
    CornerBands(image, thinCorner[i][0], thinCorner[i][1], 51, 6, 6, right, bottom, m);
  }
  // Wide corners 40 x 40: top bands 19 high, bottom bands 12, side bands 12.
  const int wideCorner[4][2] = {{0, 102}, {40, 102}, {0, 142}, {40, 142}};
  for (int i = 0; i < 4; ++i) {
    const bool right = i % 2, bottom = i / 2;
    CornerBands(image, wideCorner[i][0], wideCorner[i][1], 40, bottom ? 12 : 19, 12, right, bottom, m);
  }
  // Wide edge tiles.
  EdgeTile(image, 24, 201, 29, 19, false, false, m);  // top
  EdgeTile(image, 24, 220, 29, 12, false, true, m);   // bottom
  EdgeTile(image, 0, 201, 12, 28, true, false, m);    // left
  EdgeTile(image, 12, 201, 12, 28, true, true, m);    // right
  // Thin edge tiles.
  EdgeTile(image, 0, 229, 15, 6, false, false, m);  // top
  EdgeTile(image, 0, 235, 15, 6, false, true, m);   // bottom
  EdgeTile(image, 0, 241, 6, 15, true, false, m);   // left
  EdgeTile(image, 6, 241, 6, 15, true, true, m);    // right
  // Title strip: a dark plaque between thin metal lines, fading at both ends
  // so that it stretches to any caption length.
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 62; ++x) {
      const double fade = SmoothStep(0, 9, std::min(x, 61 - x) + 0.5);
      Rgb c = Mix(Hex(0x24180e), Hex(0x100a06), y / 18.0);
      if (y == 1 || y == 17) c = m.mid;
      if (y == 0 || y == 18) c = m.deep;
      image.Row(182 + y)[x] = Pack(c, fade);
    }
  image.MarkDirty();
  Painter cr(image);
  for (int i = 0; i < 4; ++i) {
    const bool right = i % 2, bottom = i / 2;
    cairo_save(cr);
    cairo_translate(cr, thinCorner[i][0] + (right ? 51 : 0), thinCorner[i][1] + (bottom ? 51 : 0));
    cairo_scale(cr, right ? -1 : 1, bottom ? -1 : 1);
    CornerFiligree(cr, 51, m);
    Medallion(cr, 9, 9, 6.5, m);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, wideCorner[i][0] + (right ? 40 : 0), wideCorner[i][1] + (bottom ? 40 : 0));
    cairo_scale(cr, right ? -1 : 1, bottom ? -1 : 1);
    Medallion(cr, 10.5, bottom ? 10.5 : 12, 10, m);
    cairo_restore(cr);
  }
  return image;
}

// --- Scroll bar pieces. --------------------------------------------------------

namespace {

// A small bevelled plate for state 0 normal, 1 hover, 2 pressed.
void Plate(cairo_t* cr, double x, double y, double w, double h, int state) {
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 3);
  SetColour(cr, Hex(0x3a2608));
  cairo_fill(cr);
  RoundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 2);
  if (state == 0)
    VerticalGradient(cr, y, y + h, Hex(0xe2bc5c), Hex(0x9a6c22));
  else if (state == 1)
    VerticalGradient(cr, y, y + h, Hex(0xfff0a0), Hex(0xd09a34));
  else
    VerticalGradient(cr, y, y + h, Hex(0x8a5e1c), Hex(0xc89a48));
  cairo_fill(cr);
}

// An arrow glyph in a plate; dir 0 left, 1 right, 2 up, 3 down.
void Arrow(cairo_t* cr, double x, double y, double w, double h, int dir, int state) {
  Plate(cr, x, y, w, h, state);
  const double cx = x + w / 2 + (state == 2 ? 0.5 : 0), cy = y + h / 2 + (state == 2 ? 0.5 : 0), s = 3.2;
  const double pts[4][6] = {{-s, 0, s * 0.7, -s, s * 0.7, s},
                            {s, 0, -s * 0.7, -s, -s * 0.7, s},
                            {0, -s, -s, s * 0.7, s, s * 0.7},
                            {0, s, -s, -s * 0.7, s, -s * 0.7}};
  const double* p = pts[dir];
  cairo_move_to(cr, cx + p[0], cy + p[1]);
  cairo_line_to(cr, cx + p[2], cy + p[3]);
  cairo_line_to(cr, cx + p[4], cy + p[5]);
  cairo_close_path(cr);
  SetColour(cr, Hex(0x2a1806));
  cairo_fill(cr);
}

// A thumb with grip grooves across its long axis.
void Thumb(cairo_t* cr, double x, double y, double w, double h, bool vertical, int state) {
  Plate(cr, x, y, w, h, state);
  cairo_set_line_width(cr, 1);
  for (int i = -1; i <= 1; ++i) {
    for (int k = 0; k < 2; ++k) {
      SetColour(cr, k ? Hex(0xfff4c8) : Hex(0x4a3010), 0.8);
      const double o = i * 3 + k;
      if (vertical) {
        cairo_move_to(cr, x + 3, y + h / 2 + o + 0.5);
        cairo_line_to(cr, x + w - 3, y + h / 2 + o + 0.5);
      } else {
        cairo_move_to(cr, x + w / 2 + o + 0.5, y + 3);
        cairo_line_to(cr, x + w / 2 + o + 0.5, y + h - 3);
      }
      cairo_stroke(cr);
    }
  }
}

}  // namespace

Image DrawScrollPieces() {
  Image image(62, 101);
  Painter cr(image);
  for (int s = 0; s < 3; ++s) {
    const double y = 13 * s;
    Arrow(cr, 0, y, 14, 13, 0, s);
    Arrow(cr, 14, y, 14, 13, 1, s);
    Thumb(cr, 28, y, 34, 13, false, s);
    const double x = 14 * (2 - s);
    Arrow(cr, x, 39, 14, 13, 2, s);
    Arrow(cr, x, 53, 14, 13, 3, s);
  }
  // Vertical thumbs overlap their neighbours by one column, so each is drawn
  // one column in from both sides and those shared columns stay clear.
  for (int s = 0; s < 3; ++s) {
    cairo_save(cr);
    const double x = 13 * (2 - s);
    cairo_rectangle(cr, x + 1, 67, 12, 34);
    cairo_clip(cr);
    Thumb(cr, x + 1, 67, 12, 34, true, s);
    cairo_restore(cr);
  }
  return image;
}

// --- Panel. ------------------------------------------------------------------------

Image DrawPanel() {
  Image image(256, 256);
  for (int y = 0; y < 256; ++y) {
    uint32_t* row = image.Row(y);
    for (int x = 0; x < 256; ++x) {
      // Dark cypress boards: wavy grain running across, with boards of 64 pixels.
      const double warp = TileFbm(x / 32.0, y / 32.0, 8, 8, 3, 51) * 6;
      const double grain = 0.5 + 0.5 * std::sin((y + warp * 3) * 0.9 + std::sin(x * 0.05) * 2);
      const double knot = TileFbm(x / 16.0, y / 16.0, 16, 16, 2, 52);
      const int board = y / 64;
      const double boardShade = 0.92 + 0.16 * Hash01(board, 0, 0, 53);
      Rgb c = Mix(Hex(0x24160e), Hex(0x3a2416), grain * 0.6 + knot * 0.4) * boardShade;
      if (y % 64 == 0) c = Hex(0x120a06);
      if (y % 64 == 1) c = c * 1.15;
      row[x] = Pack(c);
    }
  }
  image.MarkDirty();
  return image;
}
