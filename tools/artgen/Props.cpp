#include "Props.h"

#include <cmath>

namespace {

// The blade's width axis: across the swing plane's normal, turned 45 degrees
// so that the flat shows in every view.
Vec3 BladeWidth(Vec3 dir) {
  Vec3 w = Cross({1, 0, 0}, dir);
  if (Length(w) < 1e-3) w = {0, 1, 0};
  w = Normalize(w);
  Vec3 side = Vec3{1, 0, 0} - dir * Dot({1, 0, 0}, dir);
  side = Length(side) < 1e-3 ? Vec3{0, 0, 1} : Normalize(side);
  return Normalize(w + side);
}

// A pointed blade box starting at base along dir.
Shape& AddBlade(Scene& scene, Vec3 base, Vec3 dir, double length, double width, double thickness, int group) {
  const Xform f = Orient(base + dir * (length / 2), dir, BladeWidth(dir));
  Shape& blade = AddBlock(scene, f, {}, {width / 2, thickness / 2, length / 2}, kSteel, group);
  blade.shine = 0.9;
  blade.cut = [](const Vec3& q) { return q.z > 0.6 && std::abs(q.x) > (1 - q.z) / 0.4; };
  return blade;
}

// A curved blade as a chain of tapering capsules.
void AddCurvedBlade(Scene& scene, Vec3 base, Vec3 dir, double length, double r0, double r1, double bend,
                    int group) {
  const Vec3 back = Normalize(Cross(BladeWidth(dir), dir));
  Vec3 prev = base;
  const int n = 5;
  for (int i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n;
    const Vec3 p = base + dir * (length * t) + back * (bend * t * t);
    AddRod(scene, prev, p, Lerp(r0, r1, (i - 1.0) / n), Lerp(r0, r1, t), kSteel, group).shine = 0.9;
    prev = p;
  }
}

}  // namespace

void AddSword(Scene& scene, Vec3 hand, Vec3 dir, double bladeLength, double bladeWidth, Rgb guard,
              int group) {
  dir = Normalize(dir);
  const double gripBack = bladeLength > 25 ? 6 : 3;
  AddRod(scene, hand - dir * gripBack, hand + dir * 2, 0.9, 0.9, kLeather, group);
  AddBall(scene, Translation(hand - dir * (gripBack + 0.8)), {}, {1.4, 1.4, 1.4}, guard, group).shine = 0.6;
  const Vec3 across = Normalize(Cross(dir, BladeWidth(dir)));
  const Vec3 g = hand + dir * 2.5;
  const double half = bladeWidth * 1.9;
  AddRod(scene, g - across * half, g + across * half, 0.9, 0.9, guard, group).shine = 0.6;
  AddBlade(scene, g, dir, bladeLength, bladeWidth, 1.0, group);
}

void AddKatana(Scene& scene, Vec3 hand, Vec3 dir, int group) {
  dir = Normalize(dir);
  AddRod(scene, hand - dir * 6, hand + dir * 2, 0.95, 0.95, Hex(0x30202a), group);
  AddBall(scene, Orient(hand + dir * 2.4, dir, BladeWidth(dir)), {}, {2.2, 2.2, 0.5}, Hex(0x3a3a3a), group)
      .shine = 0.5;
  AddCurvedBlade(scene, hand + dir * 2.8, dir, 24, 0.75, 0.35, 2.2, group);
}

void AddCutlass(Scene& scene, Vec3 hand, Vec3 dir, int group) {
  dir = Normalize(dir);
  AddRod(scene, hand - dir * 3, hand + dir * 2, 0.95, 0.95, kLeather, group);
  // Basket guard round the knuckles.
  const Vec3 across = Normalize(Cross(dir, BladeWidth(dir)));
  AddBall(scene, Orient(hand + dir * 0.5 + across * 1.2, dir, across), {}, {2.6, 1.6, 3.0}, kGold, group)
      .shine = 0.7;
  AddCurvedBlade(scene, hand + dir * 2.5, dir, 18, 1.25, 0.55, 3.0, group);
}

void AddDagger(Scene& scene, Vec3 hand, Vec3 dir, int group) {
  dir = Normalize(dir);
  AddRod(scene, hand - dir * 2.2, hand + dir * 1.5, 0.85, 0.85, kLeather, group);
  const Vec3 across = Normalize(Cross(dir, BladeWidth(dir)));
  const Vec3 g = hand + dir * 1.8;
  AddRod(scene, g - across * 2.2, g + across * 2.2, 0.7, 0.7, Hex(0x8a8a90), group);
  AddBlade(scene, g, dir, 10, 2.0, 0.9, group);
}

void AddClub(Scene& scene, Vec3 hand, Vec3 dir, int group) {
  dir = Normalize(dir);
  AddRod(scene, hand - dir * 4, hand + dir * 9, 1.3, 2.0, Hex(0x6e4524), group);
  auto& head = AddBall(scene, Orient(hand + dir * 15, dir, BladeWidth(dir)), {}, {4.3, 4.3, 7.5},
                       Hex(0x7e5230), group);
  head.paint = [](const Vec3& q, bool) {
    const double knots = std::sin(q.x * 9 + q.z * 4) * std::sin(q.y * 8 - q.z * 6);
    const Rgb wood = Hex(0x7e5230);
    return Surface{knots > 0.55 ? Hex(0x4a2e18) : wood * (0.9 + 0.1 * std::sin(q.z * 20)), 0, false};
  };
}

void AddStaff(Scene& scene, Vec3 hand, Vec3 dir, double glow, int group) {
  dir = Normalize(dir);
  AddRod(scene, hand - dir * 27, hand + dir * 22, 1.05, 1.2, Hex(0x8a5a2e), group);
  const Vec3 top = hand + dir * 25;
  // Claw holding the orb.
  AddRod(scene, hand + dir * 21, top, 1.6, 0.6, kGold, group).shine = 0.6;
  auto& orb = AddBall(scene, Translation(top), {}, {2.6, 2.6, 2.6}, Hex(0x4aa0ff), group);
  orb.shine = 1.0;
  if (glow > 0) {
    orb.paint = [glow](const Vec3&, bool) {
      return Surface{Mix(Hex(0x4aa0ff), Hex(0xe0f4ff), glow), 0, true};
    };
  }
}

void AddSceptre(Scene& scene, Vec3 hand, Vec3 dir, double glow, int group) {
  dir = Normalize(dir);
  AddRod(scene, hand - dir * 3, hand + dir * 11, 0.8, 0.9, kGold, group).shine = 0.8;
  AddBall(scene, Translation(hand + dir * 11), {}, {1.6, 1.6, 1.6}, kGold, group).shine = 0.8;
  auto& gem = AddBall(scene, Translation(hand + dir * 13.2), {}, {1.9, 1.9, 1.9}, Hex(0xd01840), group);
  gem.shine = 1.0;
  if (glow > 0)
    gem.paint = [glow](const Vec3&, bool) {
      return Surface{Mix(Hex(0xff4070), Hex(0xfff0a0), glow), 0, true};
    };
}

void AddBolt(Scene& scene, Vec3 tail, Vec3 dir, double length, int group) {
  dir = Normalize(dir);
  AddRod(scene, tail, tail + dir * length, 0.45, 0.45, Hex(0x5a3a20), group);
  AddRod(scene, tail + dir * length, tail + dir * (length + 2), 0.8, 0.15, kSteel, group).shine = 0.8;
  AddRod(scene, tail, tail + dir * 1.5, 0.9, 0.5, Hex(0xe8e0d0), group);
}

void AddCrossbow(Scene& scene, Vec3 hand, Vec3 dir, bool loaded, int group) {
  dir = Normalize(dir);
  Vec3 side = Cross(dir, {0, 0, 1});
  side = Length(side) < 1e-3 ? Vec3{1, 0, 0} : Normalize(side);
  const Vec3 up = Normalize(Cross(side, dir));
  const Xform stock = Orient(hand + dir * 5, dir, side);
  AddBlock(scene, stock, {}, {1.1, 1.3, 9.5}, Hex(0x7a4a22), group);
  AddBlock(scene, stock, {0, 0, -8}, {1.3, 2.2, 2.8}, Hex(0x5a3418), group);
  const Vec3 front = hand + dir * 13.5;
  Vec3 prev;
  const Rgb prod = Hex(0x485058);
  const double span = 10;
  for (int i = 0; i <= 6; ++i) {
    const double t = -1 + i / 3.0;
    const Vec3 p = front + side * (t * span) - dir * (2.6 * t * t) + up * 0.4;
    if (i > 0) AddRod(scene, prev, p, 1.05, 1.05, prod, group).shine = 0.5;
    prev = p;
  }
  const Vec3 nut = loaded ? hand + dir * 3 : front - dir * 1.5;
  for (double s : {-1.0, 1.0})
    AddRod(scene, front + side * (s * span) - dir * 2.6, nut, 0.35, 0.35, Hex(0xe8e2d0), group);
  if (loaded) AddBolt(scene, nut + up * 0.9, dir, 9.5, group);
}

void AddShield(Scene& scene, Vec3 hand, Vec3 normal, Rgb field, Rgb emblem, int group) {
  normal = Normalize(normal);
  Vec3 across = Cross(normal, {0, 0, 1});
  across = Length(across) < 1e-3 ? Vec3{1, 0, 0} : Normalize(across);
  const Xform f = Orient(hand + normal * 2.2 + Vec3{0, 0, 1}, Normalize(Cross(across, normal)), across);
  auto& s = AddBall(scene, f, {}, {6.3, 1.4, 8.6}, field, group);
  s.cut = [](const Vec3& q) { return q.z < 0 && std::abs(q.x) > (1 + q.z) * 1.05; };
  s.paint = [field, emblem](const Vec3& q, bool) {
    // Local y points out of the shield's face.
    if (q.y < 0) return Surface{Hex(0x6a4a2a), 0, false};
    const double r = std::sqrt(q.x * q.x + q.z * q.z);
    if (r > 0.86 || q.y < 0.3) return Surface{emblem, 0.6, false};
    if (std::abs(q.x) < 0.13 || std::abs(q.z - 0.25) < 0.11) return Surface{emblem, 0.6, false};
    return Surface{field, 0.15, false};
  };
}

void AddBook(Scene& scene, Vec3 hand, Vec3 dir, Rgb cover, int group) {
  dir = Normalize(dir);
  Vec3 side = Cross(dir, {0, 0, 1});
  side = Length(side) < 1e-3 ? Vec3{1, 0, 0} : Normalize(side);
  const Xform f = Orient(hand + dir * 4.5, dir, side);
  AddBlock(scene, f, {}, {1.9, 4.6, 5.5}, cover, group).paint = [cover](const Vec3& q, bool) {
    if (std::abs(q.y) < 0.9 && q.x > 0.75 && std::abs(q.z) < 0.92) return Surface{Hex(0xf4ecd4), 0, false};
    if (std::abs(q.z) > 0.6 && std::abs(q.z) < 0.7) return Surface{kGold, 0.5, false};
    return Surface{cover, 0.2, false};
  };
}

void AddSack(Scene& scene, Vec3 hand, Vec3 dir, double size, Rgb cloth, int group) {
  dir = Normalize(dir);
  AddRod(scene, hand - dir * 0.5, hand + dir * 2.8 * size, 1.3 * size, 1.0 * size, cloth * 0.85, group);
  AddRod(scene, hand + dir * 2.2 * size - Vec3{0, 0, 0}, hand + dir * 2.2 * size, 1.6 * size, 1.6 * size,
         Hex(0xc8a040), group);
  auto& bag = AddBall(scene, Orient(hand + dir * 8 * size, dir, {1, 0, 0}), {},
                      {6 * size, 5.6 * size, 6.5 * size}, cloth, group);
  bag.paint = [cloth](const Vec3& q, bool) {
    const double fold = 0.9 + 0.1 * std::sin(std::atan2(q.y, q.x) * 7 + q.z * 3);
    return Surface{cloth * fold, 0, false};
  };
}
