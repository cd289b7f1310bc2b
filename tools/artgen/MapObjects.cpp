// Trees, the castle tower and map markers (see MapArt.h for the sheet tables).
#include <cmath>

#include "Figure.h"
#include "MapArt.h"
#include "Noise.h"
#include "Trees.h"

namespace {

// A soft shadow ellipse on the ground around a pixel.
void GroundShadow(Image& image, double x, double y, double radius, double alpha) {
  Painter cr(image);
  for (int ring = 0; ring < 3; ++ring) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1, View::kSin);
    cairo_arc(cr, 0, 0, radius * (1 + 0.15 * (2 - ring)), 0, 2 * kPi);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, alpha / 3);
    cairo_fill(cr);
  }
}

Image TreeFrame(int frameSize, Vec3 base, TreeKind kind, double size, uint32_t seed) {
  Scene scene;
  // Softer, fewer lines inside the crowns than on figures.
  scene.outlineGap = 4;
  scene.outlineShade = 0.5;
  BuildTree(scene, kind, size, seed);
  Image frame(frameSize, frameSize);
  GroundShadow(frame, base.x + 3 * size, base.y + 1, TreeShadowRadius(kind) * size, 0.4);
  frame.Draw(scene.Render(frameSize, frameSize, Camera{base.x, base.y, 1.0, 2}), 0, 0);
  return frame;
}

Image TreeSheet(int frameSize, Vec3 base, const TreeKind (&kinds)[16], double size, uint32_t seed) {
  Image sheet(frameSize * 4, frameSize * 4);
  for (int n = 0; n < 16; ++n)
    sheet.Place(TreeFrame(frameSize, base, kinds[n], size, seed + n * 17), (n % 4) * frameSize,
                (n / 4) * frameSize);
  return sheet;
}

}  // namespace

Image DrawOrdinaryTrees() {
  using K = TreeKind;
  const TreeKind kinds[16] = {K::kOak,   K::kBroadOak,  K::kBirch,    K::kPine,        K::kFir,    K::kPoplar,
                              K::kApple, K::kAutumnOak, K::kRedMaple, K::kYellowBirch, K::kCherry, K::kDead,
                              K::kBush,  K::kCypress,   K::kWillow,   K::kYoung};
  return TreeSheet(128, {64, 104, 0}, kinds, 1.0, 1000);
}

Image DrawBigTrees() {
  using K = TreeKind;
  const TreeKind kinds[16] = {K::kOak,         K::kPine,    K::kBirch,     K::kFir,
                              K::kPoplar,      K::kApple,   K::kAutumnOak, K::kRedMaple,
                              K::kYellowBirch, K::kCherry,  K::kDead,      K::kTwinOak,
                              K::kAncient,     K::kCypress, K::kWillow,    K::kSpruce};
  return TreeSheet(128, {64, 118, 0}, kinds, 1.25, 2000);
}

Image DrawSmallTrees() {
  using K = TreeKind;
  const TreeKind kinds[16] = {
      K::kYoung, K::kBush, K::kPine, K::kBirch,  K::kCypress,   K::kApple,    K::kCherry,      K::kDead,
      K::kBush,  K::kFir,  K::kOak,  K::kPoplar, K::kAutumnOak, K::kRedMaple, K::kYellowBirch, K::kWillow};
  return TreeSheet(96, {48, 88, 0}, kinds, 0.7, 3000);
}

namespace {

// Brick courses on a round tower (cone local coordinates), with arrow slits
// and, when door is set, a door facing the viewer.
Surface TowerStone(const Vec3& q, double radius, double height, bool door, uint32_t seed) {
  const double angle = std::atan2(q.y, q.x);
  const double z = q.z * height;
  const double courseH = 6, brickW = 11;
  const int course = static_cast<int>(std::floor(z / courseH));
  const int bricks = std::max(1, static_cast<int>(2 * kPi * radius / brickW));
  double u = (angle + kPi) / (2 * kPi) * bricks + (course % 2) * 0.5;
  const int brick = static_cast<int>(std::floor(u));
  const double fu = u - brick, fz = z / courseH - course;
  // The door: an arch facing the viewer (+y) at the foot.
  const double facing = q.y / std::max(1e-9, std::sqrt(q.x * q.x + q.y * q.y));
  if (door && facing > 0.94 && z < 26 + 8 * std::sqrt(std::max(0.0, (facing - 0.94) / 0.06))) {
    const double plank = std::sin(angle * 90);
    return {Hex(0x5a3a1e) * (0.85 + 0.15 * plank), 0, false};
  }
  // Arrow slits on a few courses.
  for (double level : {70.0, 120.0, 165.0}) {
    for (double a : {kPi / 2, kPi / 2 + 1.1, kPi / 2 - 1.1, -kPi / 2}) {
      if (std::abs(z - level) < 7 && std::abs(std::remainder(angle - a, 2 * kPi)) * radius < 1.6)
        return {Hex(0x141210), 0, false};
    }
  }
  if (fu < 0.06 || fz < 0.1) return {Hex(0x6a645a), 0, false};
  const double h = Hash01(brick % bricks, course, 0, seed);
  const Rgb stone = Mix(Hex(0xa69c8a), Hex(0xc8bea8), h) * (0.92 + 0.08 * std::sin(fu * kPi));
  return {stone, 0.05, false};
}

void BuildTower(Scene& scene, bool roof, uint32_t seed) {
  const double r = 30, h = 190;
  auto& body = AddCone(scene, Xform{}, {}, r, r, h, 1.0, Hex(0xb0a690), 1);
  body.paint = [=](const Vec3& q, bool) { return TowerStone(q, r, h, true, seed); };
  // Plinth.
  AddCone(scene, Xform{}, {}, r + 3, r + 3, 14, 0.93, Hex(0x8a8272), 2).paint = [=](const Vec3& q, bool) {
    return TowerStone(q, r + 3, 14, false, seed + 1);
  };
  // Corbelled parapet with merlons.
  AddCone(scene, Translation({0, 0, h - 6}), {}, r, r, 8, 1.15, Hex(0x9a907e), 3);
  auto& parapet = AddCone(scene, Translation({0, 0, h + 2}), {}, r + 4.5, r + 4.5, 12, 1.0, Hex(0xb0a690), 4);
  parapet.paint = [=](const Vec3& q, bool inside) {
    Surface s = TowerStone(q, r + 4.5, 12, false, seed + 2);
    if (inside) s.colour = s.colour * 0.6;
    return s;
  };
  parapet.cut = [](const Vec3& q) { return q.z > 1 - 1e-6; };
  if (roof) {
    auto& cone = AddCone(scene, Translation({0, 0, h + 8}), {}, r + 9, r + 9, 100, 0.0, Hex(0x9a3a2a), 6);
    cone.paint = [](const Vec3& q, bool) {
      const double angle = std::atan2(q.y, q.x);
      const double rows = q.z * 16;
      const double scale = std::sin(angle * 26 + (static_cast<int>(rows) % 2) * kPi / 2);
      const double edge = rows - std::floor(rows);
      Rgb c = Hex(0x9c3a2a) * (0.85 + 0.1 * scale);
      if (edge < 0.15) c = c * 0.7;
      return Surface{c, 0.15, false};
    };
    AddRod(scene, {0, 0, h + 100}, {0, 0, h + 128}, 0.9, 0.9, Hex(0x3a3a3a), 7);
    AddBall(scene, Translation({0, 0, h + 106}), {}, {2, 2, 2}, Hex(0xe2b23a), 7).shine = 0.8;
    // Pennant.
    AddBlock(scene, Orient({9, 0, h + 122}, {0, 0, 1}, {1, 0, 0}), {}, {9, 0.5, 4.5}, Hex(0x2e8b3c), 8).cut =
        [](const Vec3& q) { return std::abs(q.z) > 1 - (q.x + 1) * 0.45; };
  } else {
    for (int i = 0; i < 12; ++i) {
      const double a = i * 2 * kPi / 12;
      const Xform m = Orient({std::cos(a) * (r + 2.5), std::sin(a) * (r + 2.5), h + 19}, {0, 0, 1},
                             {-std::sin(a), std::cos(a), 0});
      AddBlock(scene, m, {}, {4.2, 2, 5}, Hex(0xb0a690), 10 + i).paint = [](const Vec3& q, bool) {
        return Surface{Mix(Hex(0xa69c8a), Hex(0xbeb4a0), 0.5 + 0.5 * q.x) * (q.z > 0.8 ? 1.1 : 1.0), 0,
                       false};
      };
    }
    // A banner pole with a long flag.
    AddRod(scene, {0, 0, h + 2}, {0, 0, h + 90}, 1.0, 1.0, Hex(0x4a3a2a), 30);
    AddBlock(scene, Orient({13, 0, h + 76}, {0, 0, 1}, {1, 0, 0}), {}, {13, 0.6, 11}, Hex(0xb81c24), 31)
        .paint = [](const Vec3& q, bool) {
      const double wave = 0.85 + 0.15 * std::sin(q.x * 7);
      if (std::abs(q.x) < 0.16 || std::abs(q.z) < 0.2) return Surface{Hex(0xe2b23a) * wave, 0.3, false};
      return Surface{Hex(0xb81c24) * wave, 0.1, false};
    };
  }
}

}  // namespace

Image DrawCastle() {
  Image sheet(192 * 2, 384);
  for (int i = 0; i < 2; ++i) {
    Scene scene;
    BuildTower(scene, i == 0, 4000 + i);
    Image frame(192, 384);
    GroundShadow(frame, 64, 345, 44, 0.45);
    frame.Draw(scene.Render(192, 384, Camera{61, 343, 1.0, 2}), 0, 0);
    sheet.Place(frame, i * 192, 0);
  }
  return sheet;
}

namespace {

// A flat golden arrow pointing along dir (world ground vector), lying at height z.
void BuildGroundArrow(Scene& scene, Vec3 dir, double z) {
  dir = Normalize(dir);
  const Xform f = Orient({0, 0, z}, {0, 0, 1}, {dir.y, -dir.x, 0});
  // In f: x across the arrow, y along it.
  auto& shaft = AddBlock(scene, f, {0, -6, 0}, {3.2, 9, 1.4}, Hex(0xe2b23a), 1);
  shaft.shine = 0.7;
  auto& head = AddBlock(scene, f, {0, 9, 0}, {9, 7, 1.6}, Hex(0xf0c040), 2);
  head.shine = 0.7;
  head.cut = [](const Vec3& q) { return std::abs(q.x) > (1 - q.y) / 2; };
}

}  // namespace

Image DrawMapArrows() {
  Image sheet(64 * 8, 64 * 2);
  for (int d = 0; d < 8; ++d) {
    Scene scene;
    const Vec3 f = FacingVector(d);
    BuildGroundArrow(scene, f, 1.6);
    Image frame(64, 64);
    frame.Draw(scene.Render(64, 64, Camera{32, 36, 1.3, 3}), 0, 0);
    sheet.Place(frame, d * 64, 0);
  }
  for (int k = 0; k < 8; ++k) {
    const double lift = 6 + 9 * std::abs(std::sin(kPi * k / 8));
    Image frame(64, 64);
    {
      Painter cr(frame);
      cairo_translate(cr, 32, 54);
      cairo_scale(cr, 1, 0.5);
      cairo_set_line_width(cr, 3);
      cairo_set_source_rgba(cr, 1, 0.85, 0.3, 0.9 - 0.04 * k);
      cairo_arc(cr, 0, 0, 10 + k * 1.2, 0, 2 * kPi);
      cairo_stroke(cr);
    }
    GroundShadow(frame, 32, 54, 7 - lift * 0.15, 0.4);
    Scene scene;
    auto& cone = AddCone(scene, Translation({0, 0, lift + 16}), {}, 7, 7, -16, 0.0, Hex(0xf0c040), 1);
    cone.shine = 0.8;
    AddBall(scene, Translation({0, 0, lift + 19}), {}, {4.5, 4.5, 4.5}, Hex(0xe8302a), 2).shine = 0.8;
    frame.Draw(scene.Render(64, 64, Camera{32, 54, 1.3, 3}), 0, 0);
    sheet.Place(frame, k * 64, 64);
  }
  return sheet;
}
