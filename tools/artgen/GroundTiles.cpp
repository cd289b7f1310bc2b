// The ground tile sheet (see MapArt.h for the table of tiles).
#include <cmath>
#include <functional>

#include "MapArt.h"
#include "Noise.h"

namespace {

constexpr int kW = 64, kH = 48;

enum class Base {
  kGrass,
  kEarth,
  kSand,
  kCobbles,
  kFlagstones,
  kRock,
  kMoss,
  kSnow,
  kShallow,
  kDeep,
  kGravel
};

// Distance-to-edge shading of the diamond lattice that gives the flat grid
// its isometric look: one diamond per tile through the edge midpoints.
double DiamondShade(double x, double y, double strength) {
  const double dm = std::abs(x - kW / 2.0) / (kW / 2.0) + std::abs(y - kH / 2.0) / (kH / 2.0);
  const double e = std::abs(1 - dm);
  // Light from the upper left on the gently domed diamond.
  // Centre of the diamond holding the point: the tile's own or a corner's.
  const double cx = dm < 1 ? kW / 2.0 : (x < kW / 2.0 ? 0 : kW),
               cy = dm < 1 ? kH / 2.0 : (y < kH / 2.0 ? 0 : kH);
  const double tilt = (x - cx) / kW + (y - cy) / kH;
  return 1 + strength * (-0.55 + 0.55 * SmoothStep(0, 0.25, e) - 0.35 * tilt);
}

// Colour of the iso stone lattice: cells of n per tile diagonal.
Rgb Paving(double x, double y, int n, Rgb a, Rgb b, uint32_t seed, double mortarWidth) {
  // Distort the joints a little, repeating with the tile.
  const double wob = (TileFbm(x / 8, y / 8, 8, 6, 2, seed + 7) - 0.5) * 0.25;
  const double u = (x / kW + y / kH) * n + wob, v = (x / kW - y / kH) * n - wob;
  const int i = static_cast<int>(std::floor(u)), j = static_cast<int>(std::floor(v));
  const double fu = u - i, fv = v - j;
  const int period = 2 * n;
  const int ci = ((i + j) % period + period) % period, cj = ((i - j) % period + period) % period;
  const double h = Hash01(ci, cj, 0, seed);
  const double d = std::min({fu, 1 - fu, fv, 1 - fv});
  if (d < mortarWidth) return Hex(0x4a463e) * (0.8 + 0.3 * h);
  Rgb c = Mix(a, b, h);
  // Rounded top lit from the upper left (small u and v toward the upper left).
  const double dome = SmoothStep(mortarWidth, mortarWidth + 0.25, d);
  const double light = 0.8 + 0.25 * dome + 0.12 * ((1 - fu) - fv) * (1 - dome);
  const double grain = 0.9 + 0.2 * TileNoise(x / 2, y / 2, 32, 24, seed + 3);
  return c * (light * grain);
}

Rgb BaseColour(Base base, double x, double y) {
  const double n = TileFbm(x / 8, y / 8, 8, 6, 4, 11);
  const double fine = TileNoise(x / 2, y / 2, 32, 24, 12);
  switch (base) {
    case Base::kGrass: {
      const double blades = TileNoise(x / 2, y / 4, 32, 12, 13);
      return Mix(Hex(0x3e7a2a), Hex(0x6caa3e), n) * (0.82 + 0.3 * blades * fine + 0.05);
    }
    case Base::kEarth:
      return Mix(Hex(0x6a4a2e), Hex(0x927048), n) * (0.88 + 0.2 * fine);
    case Base::kSand:
      return Mix(Hex(0xcfb47c), Hex(0xead6a0), n) * (0.93 + 0.1 * fine);
    case Base::kGravel: {
      const double grit = Hash01(static_cast<int>(x), static_cast<int>(y), 0, 15);
      return Mix(Hex(0x8a8070), Hex(0xb4aa96), n) * (0.75 + 0.45 * grit * fine);
    }
    case Base::kCobbles:
      return Paving(x, y, 4, Hex(0x8a8a86), Hex(0xa8a090), 21, 0.07);
    case Base::kFlagstones:
      return Paving(x, y, 2, Hex(0xb0a080), Hex(0xc8bca0), 22, 0.035);
    case Base::kRock:
      return Mix(Hex(0x6e6a64), Hex(0x958e84), n) * (0.82 + 0.3 * fine);
    case Base::kMoss: {
      const double wet = TileFbm(x / 16, y / 16, 4, 3, 3, 16);
      if (wet > 0.62) return Mix(Hex(0x2e4030), Hex(0x3a5848), fine) * (wet > 0.66 ? 1.0 : 0.85);
      return Mix(Hex(0x3c5424), Hex(0x667a34), n) * (0.85 + 0.25 * fine);
    }
    case Base::kSnow:
      return Mix(Hex(0xc8d6e8), Hex(0xf8fbff), n) * (0.97 + 0.05 * fine);
    case Base::kShallow:
    case Base::kDeep: {
      const bool deep = base == Base::kDeep;
      const Rgb lo = deep ? Hex(0x173c78) : Hex(0x2e6aa0), hi = deep ? Hex(0x2a5a9c) : Hex(0x4c92c0);
      Rgb c = Mix(lo, hi, n);
      const double wave =
          std::sin(2 * kPi * (2 * x / kW + 3 * y / kH) + 6 * TileFbm(x / 16, y / 16, 4, 3, 2, 17));
      if (wave > 0.9) c = Mix(c, Hex(0xd8ecff), (wave - 0.9) * 5);
      return c;
    }
  }
  return {};
}

double DiamondStrength(Base base) {
  switch (base) {
    case Base::kShallow:
    case Base::kDeep:
      return 0.05;
    case Base::kCobbles:
    case Base::kFlagstones:
      return 0.06;
    default:
      return 0.22;
  }
}

// Draws f at (x, y) and at its copies one tile away so details crossing an
// edge continue on the other side.
void Wrapped(cairo_t* cr, double x, double y, const std::function<void(double, double)>& f) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      cairo_save(cr);
      f(x + dx * kW, y + dy * kH);
      cairo_restore(cr);
    }
}

void Flower(cairo_t* cr, double x, double y, Rgb petal) {
  SetColour(cr, Hex(0x2a5a1e));
  cairo_rectangle(cr, x - 0.4, y, 0.8, 2.2);
  cairo_fill(cr);
  SetColour(cr, petal);
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * kPi / 5;
    cairo_arc(cr, x + std::cos(a) * 1.1, y + std::sin(a) * 0.8, 0.85, 0, 2 * kPi);
    cairo_fill(cr);
  }
  SetColour(cr, Hex(0xf0c020));
  cairo_arc(cr, x, y, 0.6, 0, 2 * kPi);
  cairo_fill(cr);
}

void Pebble(cairo_t* cr, double x, double y, double r, Rgb colour) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, 1, 0.62);
  SetColour(cr, Rgb{0, 0, 0}, 0.3);
  cairo_arc(cr, 0.5, 0.9, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(-r * 0.35, -r * 0.45, 0, 0, 0, r);
  cairo_pattern_add_color_stop_rgb(p, 0, std::min(1.0, colour.r * 1.35), std::min(1.0, colour.g * 1.35),
                                   std::min(1.0, colour.b * 1.35));
  cairo_pattern_add_color_stop_rgb(p, 1, colour.r * 0.7, colour.g * 0.7, colour.b * 0.7);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

void Tuft(cairo_t* cr, double x, double y, Rgb dark, Rgb light, double height) {
  cairo_set_line_width(cr, 0.9);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = -2; i <= 2; ++i) {
    SetColour(cr, (i + 2) % 2 ? light : dark);
    cairo_move_to(cr, x + i * 0.6, y);
    cairo_curve_to(cr, x + i * 0.9, y - height * 0.5, x + i * 1.5, y - height * 0.8, x + i * 1.9, y - height);
    cairo_stroke(cr);
  }
}

void Leaf(cairo_t* cr, double x, double y, double angle, Rgb colour) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_scale(cr, 1.8, 0.9);
  SetColour(cr, colour);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Crack(cairo_t* cr, Random& rnd, double x, double y, Rgb colour) {
  SetColour(cr, colour, 0.8);
  cairo_set_line_width(cr, 0.8);
  double a = rnd.Uniform(0, 2 * kPi);
  cairo_move_to(cr, x, y);
  for (int i = 0; i < 6; ++i) {
    a += rnd.Uniform(-0.8, 0.8);
    x += std::cos(a) * 3;
    y += std::sin(a) * 2;
    cairo_line_to(cr, x, y);
  }
  cairo_stroke(cr);
}

// Fills a tile's pixels with its base texture.
void FillBase(Image& tile, Base base, const std::function<Rgb(double, double, Rgb)>& modify) {
  const double strength = DiamondStrength(base);
  for (int y = 0; y < kH; ++y) {
    uint32_t* row = tile.Row(y);
    for (int x = 0; x < kW; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      Rgb c = BaseColour(base, px, py);
      if (modify) c = modify(px, py, c);
      c = c * DiamondShade(px, py, strength);
      auto byte = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
      row[x] = 0xff000000u | (byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b);
    }
  }
  tile.MarkDirty();
}

using Modify = std::function<Rgb(double, double, Rgb)>;

Image DrawTile(Base base, const Modify& modify, const std::function<void(cairo_t*, Random&)>& details,
               uint32_t seed) {
  Image tile(kW, kH);
  FillBase(tile, base, modify);
  if (details) {
    Painter cr(tile);
    Random rnd(seed);
    details(cr, rnd);
  }
  return tile;
}

// Scatters count details at random places, each drawn wrapped.
void Scatter(cairo_t* cr, Random& rnd, int count, const std::function<void(double, double, Random&)>& f) {
  for (int i = 0; i < count; ++i) {
    const double x = rnd.Uniform(0, kW), y = rnd.Uniform(0, kH);
    Random local(rnd.Next());
    Wrapped(cr, x, y, [&](double wx, double wy) {
      Random copy = local;
      f(wx, wy, copy);
    });
  }
}

Image GrassTile(int column) {
  const Rgb dark = Hex(0x2e6420), light = Hex(0x7cbc48);
  auto blades = [=](cairo_t* cr, Random& rnd) {
    Scatter(cr, rnd, 14,
            [&](double x, double y, Random& r) { Tuft(cr, x, y, dark, light, r.Uniform(2, 3.5)); });
  };
  std::function<void(cairo_t*, Random&)> extra;
  switch (column) {
    case 1:
      extra = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 9, [&](double x, double y, Random&) { Flower(cr, x, y, Hex(0xf8dc30)); });
      };
      break;
    case 2:
      extra = [](cairo_t* cr, Random& rnd) {
        const Rgb colours[] = {Hex(0xe83838), Hex(0xf8f8f8), Hex(0x5078f0), Hex(0xe860c0)};
        Scatter(cr, rnd, 10, [&](double x, double y, Random& r) { Flower(cr, x, y, colours[r.Below(4)]); });
      };
      break;
    case 3:
      extra = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 10, [&](double x, double y, Random&) {
          for (int i = 0; i < 3; ++i) {
            SetColour(cr, Hex(0x2a6a26));
            const double a = i * 2 * kPi / 3 - kPi / 2;
            cairo_arc(cr, x + std::cos(a) * 1.2, y + std::sin(a) * 0.9, 1.1, 0, 2 * kPi);
            cairo_fill(cr);
          }
        });
      };
      break;
    case 4:
      extra = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 7,
                [&](double x, double y, Random& r) { Pebble(cr, x, y, r.Uniform(1.2, 2.4), Hex(0x9a968c)); });
      };
      break;
    case 5:
      extra = [dark, light](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 10,
                [&](double x, double y, Random& r) { Tuft(cr, x, y, dark * 0.8, light, r.Uniform(5, 8)); });
      };
      break;
    case 6:
      extra = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 5, [&](double x, double y, Random& r) {
          SetColour(cr, Hex(0xf0e8d8));
          cairo_rectangle(cr, x - 0.6, y - 2, 1.2, 2.4);
          cairo_fill(cr);
          SetColour(cr, r.Below(2) ? Hex(0xc02820) : Hex(0x8a5a30));
          cairo_save(cr);
          cairo_translate(cr, x, y - 2);
          cairo_scale(cr, 1, 0.7);
          cairo_arc(cr, 0, 0, 2.2, kPi, 2 * kPi);
          cairo_fill(cr);
          cairo_restore(cr);
          SetColour(cr, Hex(0xffffff));
          cairo_rectangle(cr, x - 1, y - 3.2, 0.8, 0.8);
          cairo_fill(cr);
        });
      };
      break;
    case 7:
      extra = [](cairo_t* cr, Random& rnd) {
        const Rgb colours[] = {Hex(0xd8782a), Hex(0xb84a1e), Hex(0xe0b030), Hex(0x8a5a2a)};
        Scatter(cr, rnd, 16, [&](double x, double y, Random& r) {
          Leaf(cr, x, y, r.Uniform(0, kPi), colours[r.Below(4)]);
        });
      };
      break;
    default:
      break;
  }
  return DrawTile(
      Base::kGrass, nullptr,
      [=](cairo_t* cr, Random& rnd) {
        blades(cr, rnd);
        if (extra) extra(cr, rnd);
      },
      100 + column);
}

Image EarthTile(int column) {
  Modify modify;
  std::function<void(cairo_t*, Random&)> details = [](cairo_t* cr, Random& rnd) {
    Scatter(cr, rnd, 10,
            [&](double x, double y, Random& r) { Pebble(cr, x, y, r.Uniform(0.5, 1.0), Hex(0x8a7050)); });
  };
  switch (column) {
    case 1:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 7, [&](double x, double y, Random& r) {
          Tuft(cr, x, y, Hex(0x3a6a22), Hex(0x78b040), r.Uniform(3, 5));
        });
      };
      break;
    case 2:
      modify = [](double x, double y, Rgb c) {
        const double f = std::sin(2 * kPi * (y - 0.75 * x) / 8);
        return c * (0.88 + 0.2 * f);
      };
      break;
    case 3:
      details = [](cairo_t* cr, Random&) {
        cairo_save(cr);
        cairo_translate(cr, 32, 25);
        cairo_scale(cr, 1, 0.5);
        SetColour(cr, Hex(0x3e2a18));
        cairo_arc(cr, 0, 0, 15, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_t* p = cairo_pattern_create_linear(-12, -12, 12, 12);
        cairo_pattern_add_color_stop_rgb(p, 0, 0.62, 0.72, 0.82);
        cairo_pattern_add_color_stop_rgb(p, 1, 0.32, 0.4, 0.5);
        cairo_set_source(cr, p);
        cairo_arc(cr, 0, 0, 13, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        SetColour(cr, Hex(0xffffff), 0.5);
        cairo_set_line_width(cr, 1.2);
        cairo_arc(cr, -2, -2, 8, kPi * 1.1, kPi * 1.5);
        cairo_stroke(cr);
        cairo_restore(cr);
      };
      break;
    case 4:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 8,
                [&](double x, double y, Random& r) { Pebble(cr, x, y, r.Uniform(1.5, 3.2), Hex(0x98928a)); });
      };
      break;
    case 5:
      modify = [](double, double, Rgb c) { return c * 1.08 + Rgb{0.03, 0.02, 0}; };
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 6, [&](double x, double y, Random& r) { Crack(cr, r, x, y, Hex(0x3a2614)); });
      };
      break;
    case 6:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 3, [&](double x, double y, Random& r) {
          SetColour(cr, Hex(0x5a3a20));
          cairo_set_line_width(cr, 1.4);
          cairo_move_to(cr, x, y);
          cairo_curve_to(cr, x + r.Uniform(-6, 6), y + r.Uniform(-3, 3), x + r.Uniform(-8, 8),
                         y + r.Uniform(-4, 4), x + r.Uniform(-12, 12), y + r.Uniform(-6, 6));
          cairo_stroke(cr);
        });
        const Rgb colours[] = {Hex(0xc86a28), Hex(0x9a4a1e), Hex(0xd0a030)};
        Scatter(cr, rnd, 10, [&](double x, double y, Random& r) {
          Leaf(cr, x, y, r.Uniform(0, kPi), colours[r.Below(3)]);
        });
      };
      break;
    case 7:
      modify = [](double x, double y, Rgb c) {
        const double v = (y + 0.75 * x) / kH;
        const double f = v - std::floor(v);
        const double rut =
            std::max(0.0, 1 - std::abs(f - 0.38) / 0.05) + std::max(0.0, 1 - std::abs(f - 0.62) / 0.05);
        return c * (1 - 0.3 * rut);
      };
      break;
    default:
      break;
  }
  return DrawTile(Base::kEarth, modify, details, 200 + column);
}

Image SandTile(int column) {
  Modify modify;
  std::function<void(cairo_t*, Random&)> details;
  Base base = Base::kSand;
  switch (column) {
    case 1:
      modify = [](double x, double y, Rgb c) {
        const double f = std::sin(2 * kPi * (x / kW + 6 * y / kH) + 4 * TileFbm(x / 16, y / 16, 4, 3, 2, 31));
        return c * (0.94 + 0.08 * f);
      };
      break;
    case 2:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 9,
                [&](double x, double y, Random& r) { Pebble(cr, x, y, r.Uniform(1.0, 2.0), Hex(0xa8a090)); });
      };
      break;
    case 3:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 6, [&](double x, double y, Random& r) {
          Tuft(cr, x, y, Hex(0x8a8a3a), Hex(0xc8c070), r.Uniform(3, 6));
        });
      };
      break;
    case 4:
      base = Base::kGravel;
      break;
    case 5:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 6, [&](double x, double y, Random& r) {
          cairo_save(cr);
          cairo_translate(cr, x, y);
          cairo_rotate(cr, r.Uniform(-0.5, 0.5));
          SetColour(cr, Hex(0xf8ece0));
          cairo_move_to(cr, 0, 1.2);
          cairo_line_to(cr, -2, -1);
          cairo_curve_to(cr, -1, -2.2, 1, -2.2, 2, -1);
          cairo_close_path(cr);
          cairo_fill_preserve(cr);
          SetColour(cr, Hex(0xc89a80));
          cairo_set_line_width(cr, 0.4);
          cairo_stroke(cr);
          cairo_restore(cr);
        });
      };
      break;
    case 6:
      modify = [](double, double, Rgb c) { return c * 0.96 + Rgb{0.02, 0, -0.02}; };
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 8, [&](double x, double y, Random& r) { Crack(cr, r, x, y, Hex(0x8a6a40)); });
      };
      break;
    case 7:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 5,
                [&](double x, double y, Random& r) { Pebble(cr, x, y, r.Uniform(2.5, 4.0), Hex(0x9a8e80)); });
      };
      break;
    default:
      break;
  }
  return DrawTile(base, modify, details, 300 + column);
}

Image OtherTile(int column) {
  std::function<void(cairo_t*, Random&)> details;
  switch (column) {
    case 0:
      return DrawTile(Base::kCobbles, nullptr, nullptr, 400);
    case 1:
      return DrawTile(Base::kFlagstones, nullptr, nullptr, 401);
    case 2:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 5,
                [&](double x, double y, Random& r) { Pebble(cr, x, y, r.Uniform(3, 5.5), Hex(0x8a867e)); });
        Scatter(cr, rnd, 4, [&](double x, double y, Random& r) { Crack(cr, r, x, y, Hex(0x3a3630)); });
      };
      return DrawTile(Base::kRock, nullptr, details, 402);
    case 3:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 6, [&](double x, double y, Random& r) {
          Tuft(cr, x, y, Hex(0x2a4a1a), Hex(0x6a8a3a), r.Uniform(3, 6));
        });
      };
      return DrawTile(Base::kMoss, nullptr, details, 403);
    case 4:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 12, [&](double x, double y, Random&) {
          SetColour(cr, Hex(0xffffff));
          cairo_rectangle(cr, x, y, 1, 1);
          cairo_fill(cr);
        });
      };
      return DrawTile(Base::kSnow, nullptr, details, 404);
    case 5:
      details = [](cairo_t* cr, Random& rnd) {
        Scatter(cr, rnd, 5, [&](double x, double y, Random& r) {
          Pebble(cr, x, y, r.Uniform(1.5, 3), Hex(0x7a7670));
          // Snow cap on the stone.
          cairo_save(cr);
          cairo_translate(cr, x - 0.3, y - 0.7);
          cairo_scale(cr, 1, 0.45);
          SetColour(cr, Hex(0xf4f8ff));
          cairo_arc(cr, 0, 0, 1.4, 0, 2 * kPi);
          cairo_fill(cr);
          cairo_restore(cr);
        });
      };
      return DrawTile(Base::kSnow, nullptr, details, 405);
    case 6:
      return DrawTile(Base::kShallow, nullptr, nullptr, 406);
    default:
      return DrawTile(Base::kDeep, nullptr, nullptr, 407);
  }
}

}  // namespace

Image DrawGroundTiles() {
  Image sheet(kW * kTileColumns, kH * kTileRows);
  for (int c = 0; c < kTileColumns; ++c) {
    sheet.Place(GrassTile(c), c * kW, 0);
    sheet.Place(EarthTile(c), c * kW, kH);
    sheet.Place(SandTile(c), c * kW, 2 * kH);
    sheet.Place(OtherTile(c), c * kW, 3 * kH);
  }
  return sheet;
}
