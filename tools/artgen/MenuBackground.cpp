// The menu screen's picture: a valley at evening light with a castle on a
// hill, forest, and two small armies facing each other on the meadow.
#include <cmath>
#include <cstring>

#include "Figure.h"
#include "Noise.h"
#include "ToolkitArt.h"
#include "Trees.h"
#include "UnitSheets.h"

namespace {

constexpr int kW = 1024, kH = 768;

uint32_t Pack(Rgb c) {
  auto byte = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
  return 0xff000000u | (byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b);
}

// A one-dimensional ridge line, 0..1.
double Ridge(double x, uint32_t seed) { return TileFbm(x, 0.5, 4096, 1, 5, seed); }

// Ground heights (screen y) of the layers at column x.
double MountainY(double x) { return 330 - 170 * std::pow(Ridge(x / 260, 5), 1.6) * 1.6; }
double HillY(double x) {
  const double castleHill = 60 * std::exp(-std::pow((x - 770) / 120, 2));
  return 405 - 50 * Ridge(x / 300, 6) - castleHill;
}
double MeadowY(double x) { return 470 - 14 * Ridge(x / 200, 7); }

Rgb Sky(double x, double y) {
  Rgb c = Mix(Hex(0x3e6cb8), Hex(0xf2dcae), SmoothStep(0, 360, y));
  // Sun glow in the upper right.
  const double d = std::hypot(x - 840, y - 150);
  c = c + Hex(0xfff0c0) * (0.55 * std::exp(-d / 90.0));
  if (d < 34) c = Mix(c, Hex(0xfffbe8), 0.9);
  // Clouds.
  const double n = TileFbm(x / 180, y / 60, 4096, 4096, 5, 8);
  const double cloud = SmoothStep(0.55, 0.75, n) * (1 - SmoothStep(150, 330, y));
  return Mix(c, Mix(Hex(0xffffff), Hex(0xd8c8c8), SmoothStep(0.6, 0.8, n)), cloud * 0.85);
}

void PaintLandscape(Image& image) {
  for (int y = 0; y < kH; ++y) {
    uint32_t* row = image.Row(y);
    for (int x = 0; x < kW; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      Rgb c = Sky(px, py);
      const double my = MountainY(px);
      if (py > my) {
        const double depth = py - my;
        const double rock = TileFbm(px / 60, py / 30, 4096, 4096, 4, 9);
        c = Mix(Hex(0x6e7c9c), Hex(0xa0aabe), rock);
        // Snow on the high peaks, ragged at its lower edge.
        const double snow =
            std::max(0.0, 250 - my) * (0.4 + 0.5 * TileFbm(px / 25, py / 25, 4096, 4096, 3, 13));
        if (depth < snow) c = Mix(Hex(0xdfe4f0), Hex(0xffffff), rock);
        c = Mix(c, Hex(0xd8d4cc), 0.3 + 0.2 * SmoothStep(0, 120, depth));
      }
      const double hy = HillY(px);
      if (py > hy) {
        const double n = TileFbm(px / 30, py / 20, 4096, 4096, 4, 10);
        c = Mix(Hex(0x4e7a46), Hex(0x6a904e), n);
        c = Mix(c, Hex(0xb8c4b0), 0.25 * (1 - SmoothStep(hy, hy + 60, py)));
      }
      const double gy = MeadowY(px);
      if (py > gy) {
        const double n = TileFbm(px / 50, py / 25, 4096, 4096, 5, 11);
        const double fine = TileNoise(px / 2, py / 4, 4096, 4096, 12);
        c = Mix(Hex(0x3e7a2a), Hex(0x78b040), n) * (0.88 + 0.2 * fine);
        // A dirt road winding from the bottom up to the castle hill.
        const double t = (py - gy) / (kH - gy);
        const double roadX = 770 - 260 * t + 60 * std::sin(t * 4);
        const double half = 6 + 70 * t;
        const double d = std::abs(px - roadX);
        if (d < half)
          c = Mix(c, Mix(Hex(0x8a6a44), Hex(0xa8885a), n) * (0.9 + 0.15 * fine),
                  SmoothStep(half, half * 0.8, d));
        // Light haze in the distance.
        c = Mix(c, Hex(0xc8d4b8), 0.25 * (1 - SmoothStep(gy, gy + 120, py)));
      }
      row[x] = Pack(c);
    }
  }
  image.MarkDirty();
}

// A castle of three roofed towers and curtain walls, drawn on the hill.
Image RenderCastle() {
  Scene scene;
  auto tower = [&](Vec3 at, double height, bool roof) {
    const size_t first = scene.Size();
    const double r = 22;
    AddCone(scene, Translation(at), {}, r, r, height, 1.0, Hex(0xb0a690), static_cast<int>(first) + 1).paint =
        [height](const Vec3& q, bool) {
          const double z = q.z * height, a = std::atan2(q.y, q.x);
          const int course = static_cast<int>(z / 6);
          const double u = (a + kPi) / (2 * kPi) * 14 + (course % 2) * 0.5;
          const bool joint = u - std::floor(u) < 0.07 || z / 6 - course < 0.12;
          const Rgb stone = Mix(Hex(0xa89e8c), Hex(0xcac0aa), Hash01(static_cast<int>(u), course, 0, 3));
          if (std::abs(z - height * 0.7) < 6 && std::abs(std::remainder(a - kPi / 2, 1.2)) < 0.06)
            return Surface{Hex(0x181410), 0, false};
          return Surface{joint ? Hex(0x6a645a) : stone, 0, false};
        };
    if (roof) {
      AddCone(scene, Translation(at + Vec3{0, 0, height}), {}, r + 6, r + 6, 70, 0.0, Hex(0x2a4a8a),
              static_cast<int>(first) + 2)
          .shine = 0.2;
      AddRod(scene, at + Vec3{0, 0, height + 68}, at + Vec3{0, 0, height + 90}, 0.8, 0.8, Hex(0x3a3a3a),
             static_cast<int>(first) + 3);
      AddBlock(scene, Orient(at + Vec3{7, 0, height + 85}, {0, 0, 1}, {1, 0, 0}), {}, {7, 0.4, 3.5},
               Hex(0xc02028), static_cast<int>(first) + 3);
    }
  };
  auto wall = [&](Vec3 a, Vec3 b, double height) {
    const Vec3 mid = (a + b) * 0.5, d = b - a;
    const Xform f = Orient(mid, {0, 0, 1}, d);
    const double len = Length(d) / 2;
    AddBlock(scene, f, {0, 0, height / 2}, {len, 5, height / 2}, Hex(0xb4aa94), 100).paint =
        [len](const Vec3& q, bool) {
          const double x = q.x * len, z = (q.z + 1) * 30;
          const int course = static_cast<int>(z / 6);
          const double u = x / 11 + (course % 2) * 0.5;
          const bool joint = u - std::floor(u) < 0.07 || z / 6 - course < 0.12;
          return Surface{joint ? Hex(0x6a645a)
                               : Mix(Hex(0xa89e8c), Hex(0xc4baa4),
                                     Hash01(static_cast<int>(std::floor(u)), course, 1, 4)),
                         0, false};
        };
    const int merlons = static_cast<int>(len * 2 / 10);
    for (int i = 0; i <= merlons; ++i) {
      const double t = -1 + 2.0 * i / merlons;
      AddBlock(scene, f, {t * (len - 3), 0, height + 3}, {2.6, 5, 3}, Hex(0xb4aa94), 101 + i);
    }
  };
  wall({-70, 0, 0}, {0, -50, 0}, 60);
  wall({0, -50, 0}, {70, 0, 0}, 60);
  wall({-70, 0, 0}, {70, 0, 0}, 50);
  tower({0, -50, 0}, 150, true);
  tower({-70, 0, 0}, 110, true);
  tower({70, 0, 0}, 120, true);
  return scene.Render(340, 360, Camera{170, 300, 0.85, 2});
}

Image RenderTree(TreeKind kind, double scale, uint32_t seed, int size) {
  Scene scene;
  scene.outlineGap = 4;
  scene.outlineShade = 0.5;
  BuildTree(scene, kind, 1.0, seed);
  return scene.Render(size, size, Camera{size / 2.0, size * 0.9, scale, 2});
}

// Where a tree or figure stands (its feet at pixel x, y) and how big.
struct Placed {
  double x, y, scale;
};

void DrawShadow(Image& image, double x, double y, double rx) {
  Painter cr(image);
  cairo_translate(cr, x, y);
  cairo_scale(cr, 1, 0.5);
  cairo_arc(cr, 0, 0, rx, 0, 2 * kPi);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_fill(cr);
}

const UnitType& TypeNamed(const char* folder) {
  for (const UnitType& t : UnitTypes())
    if (!std::strcmp(t.folder, folder)) return t;
  return UnitTypes().front();
}

}  // namespace

Image DrawMenuBackground() {
  Image image(kW, kH);
  PaintLandscape(image);
  image.Draw(RenderCastle(), 770 - 170, HillY(770) + 16 - 300);
  // Forest edge along the far meadow, small and hazy, back to front.
  {
    Random rnd(61);
    const TreeKind far[] = {TreeKind::kOak, TreeKind::kPine, TreeKind::kFir, TreeKind::kBirch,
                            TreeKind::kPoplar};
    for (int i = 0; i < 34; ++i) {
      const double x = rnd.Uniform(-20, 1040);
      if (x > 560 && x < 960) continue;
      const double y = MeadowY(x) + rnd.Uniform(-4, 14);
      const double s = 0.45 + (y - 455) * 0.004;
      Image tree = RenderTree(far[rnd.Below(5)], s, rnd.Next(), 80);
      image.Draw(tree, x - 40, y - 72, 0, 0, 0.92);
    }
  }
  // Two armies facing each other on the meadow: (folder, x, y, facing, state, frame).
  struct Soldier {
    const char* folder;
    double x, y;
    int facing;
    State state;
    int frame;
  };
  const Soldier army[] = {
      {"Queen", 150, 560, 3, State::kPaused, 0},     {"WhiteMage", 250, 585, 2, State::kAttack, 3},
      {"RedArcher", 120, 640, 2, State::kAttack, 2}, {"GreenKnight", 330, 650, 2, State::kAttack, 2},
      {"Horst", 230, 700, 2, State::kRunning, 2},    {"Trappercaveman", 700, 600, 6, State::kAttack, 2},
      {"Nobeard", 880, 590, 6, State::kPaused, 0},   {"BlackNinja", 650, 680, 6, State::kRunning, 5},
      {"Thief", 820, 700, 5, State::kPaused, 0},     {"JohnDoe", 930, 660, 6, State::kPaused, 0},
  };
  for (const Soldier& s : army) {
    const double scale = 1.3 + (s.y - 560) * 0.006;
    const Image figure =
        RenderFigure(TypeNamed(s.folder), s.state, s.facing, s.frame, 200, 200, 100, 160, scale);
    image.Draw(figure, s.x - 100, s.y - 160);
  }
  // Big trees framing the picture at both sides.
  Image left = RenderTree(TreeKind::kBroadOak, 2.4, 71, 300);
  DrawShadow(image, 40, 740, 70);
  image.Draw(left, 40 - 150, 740 - 270);
  Image right = RenderTree(TreeKind::kPine, 2.6, 72, 300);
  DrawShadow(image, 1000, 760, 50);
  image.Draw(right, 1000 - 150, 760 - 270);
  return image;
}
