#include "Trees.h"

#include <cmath>

#include "Figure.h"
#include "Noise.h"

namespace {

constexpr Rgb kBark = Hex(0x5a3c22);

// A crown of leafy clumps filling an ellipsoid; returns the next free group.
int AddFoliage(Scene& scene, Random& rnd, Vec3 centre, Vec3 radii, int clumps, double clumpSize, Rgb leaf,
               Rgb leaf2, int group, Rgb fruit = {}, int fruits = 0) {
  // More, smaller clumps than asked read as leaves rather than balls.
  clumps = clumps * 5 / 3;
  clumpSize *= 0.82;
  for (int i = 0; i < clumps; ++i) {
    // Clumps sit near the crown's surface so the outline stays knobbly.
    Vec3 d{rnd.Uniform(-1, 1), rnd.Uniform(-1, 1), rnd.Uniform(-1, 1)};
    if (Length(d) > 1) d = Normalize(d);
    d = Normalize(d) * std::sqrt(rnd.Uniform(0.35, 1.0));
    const Vec3 c = centre + Vec3{d.x * radii.x, d.y * radii.y, d.z * radii.z};
    const double r = clumpSize * rnd.Uniform(0.8, 1.2);
    const Rgb base = Mix(leaf, leaf2, rnd.Uniform(0, 1));
    const uint32_t seed = rnd.Next();
    auto& clump = AddBall(scene, Translation(c), {}, {r, r, r * 0.9}, base, group + i);
    clump.paint = [base, seed](const Vec3& q, bool) {
      const double n = SpaceNoise(q.x * 3.5 + 10, q.y * 3.5 + 20, q.z * 3.5 + 30, seed);
      const double fine = SpaceNoise(q.x * 9, q.y * 9, q.z * 9, seed + 1);
      Rgb c = base * (0.78 + 0.4 * n);
      if (fine < 0.22) c = c * 0.6;
      return Surface{c, 0.05, false};
    };
  }
  // Fruit or blossom dots on the outside of the crown.
  for (int i = 0; i < fruits; ++i) {
    Vec3 d = Normalize({rnd.Uniform(-1, 1), rnd.Uniform(-0.2, 1), rnd.Uniform(-0.6, 1)});
    const Vec3 c = centre + Vec3{d.x * radii.x, d.y * radii.y, d.z * radii.z} * 1.02 + d * (clumpSize * 0.6);
    AddBall(scene, Translation(c), {}, {1.7, 1.7, 1.7}, fruit, group + clumps).shine = 0.5;
  }
  return group + clumps + 1;
}

void AddTrunk(Scene& scene, Vec3 base, Vec3 top, double r0, double r1, Rgb bark, bool birch = false) {
  auto& t = AddRod(scene, base, top, r0, r1, bark, 1);
  if (birch) {
    t.paint = [](const Vec3& q, bool) {
      const double band = q.x * 11;
      const bool mark = band - std::floor(band) < 0.14 && static_cast<int>(band) % 2 == 0;
      return Surface{mark ? Hex(0x2a2a2a) : Hex(0xeeeae0), 0, false};
    };
  }
  // Roots spreading at the base.
  for (int i = 0; i < 3; ++i) {
    const double a = i * 2 * kPi / 3 + 0.4;
    AddRod(scene, base + Vec3{0, 0, r0 * 0.8},
           base + Vec3{std::cos(a) * r0 * 2.2, std::sin(a) * r0 * 2.2, 0.3}, r0 * 0.55, r0 * 0.25, bark, 1)
        .paint = t.paint;
  }
}

// Branches from the trunk top out toward points of the crown.
void AddBranches(Scene& scene, Random& rnd, Vec3 from, Vec3 crown, Vec3 radii, int count, double r,
                 Rgb bark) {
  for (int i = 0; i < count; ++i) {
    const double a = rnd.Uniform(0, 2 * kPi);
    const Vec3 to = crown + Vec3{std::cos(a) * radii.x * 0.6, std::sin(a) * radii.y * 0.6,
                                 rnd.Uniform(-0.3, 0.3) * radii.z};
    AddRod(scene, from, to, r, r * 0.4, bark, 1);
  }
}

// A bare branching limb, recursively.
void AddDeadLimb(Scene& scene, Random& rnd, Vec3 from, Vec3 dir, double length, double r, int depth,
                 Rgb bark) {
  const Vec3 to = from + Normalize(dir) * length;
  AddRod(scene, from, to, r, r * 0.65, bark, 1);
  if (depth == 0) return;
  for (int i = 0; i < 2; ++i) {
    const Vec3 d = Normalize(dir) + Vec3{rnd.Uniform(-0.9, 0.9), rnd.Uniform(-0.9, 0.9), rnd.Uniform(0, 0.6)};
    AddDeadLimb(scene, rnd, to, d, length * rnd.Uniform(0.55, 0.75), r * 0.6, depth - 1, bark);
  }
}

// A conifer of stacked jagged cones.
void AddConifer(Scene& scene, Random& rnd, double height, double radius, int tiers, Rgb needle,
                double trunkR) {
  AddTrunk(scene, {}, {0, 0, height * 0.3}, trunkR, trunkR * 0.8, kBark);
  const double start = height * 0.16;
  for (int i = 0; i < tiers; ++i) {
    const double t = static_cast<double>(i) / tiers;
    const double z = start + (height - start) * t * 0.86;
    const double r = radius * (1 - t * 0.78);
    const double h = (height - start) / tiers * 2.0;
    const uint32_t seed = rnd.Next();
    const Rgb c = needle * (0.9 + 0.2 * rnd.Uniform(0, 1));
    auto& cone = AddCone(scene, Translation({0, 0, z}), {}, r, r, h, 0.05, c, 10 + i);
    cone.cut = [seed](const Vec3& q) {
      const double a = std::atan2(q.y, q.x);
      return q.z < 0.12 * (1 + std::sin(a * 11 + seed % 7));
    };
    cone.paint = [c, seed](const Vec3& q, bool inside) {
      const double n = SpaceNoise(q.x * 4, q.y * 4, q.z * 8, seed);
      const double streak = 0.9 + 0.1 * std::sin(std::atan2(q.y, q.x) * 22);
      return Surface{c * ((inside ? 0.5 : 1.0) * (0.8 + 0.35 * n) * streak), 0, false};
    };
  }
}

}  // namespace

double TreeShadowRadius(TreeKind kind) {
  switch (kind) {
    case TreeKind::kPoplar:
    case TreeKind::kCypress:
      return 12;
    case TreeKind::kBush:
    case TreeKind::kYoung:
      return 14;
    case TreeKind::kBroadOak:
    case TreeKind::kAncient:
    case TreeKind::kTwinOak:
    case TreeKind::kWillow:
      return 30;
    default:
      return 22;
  }
}

void BuildTree(Scene& scene, TreeKind kind, double s, uint32_t seed) {
  Random rnd(seed);
  const Rgb green = Hex(0x3f8a2e), green2 = Hex(0x5aa23a);
  switch (kind) {
    case TreeKind::kOak:
    case TreeKind::kApple:
    case TreeKind::kAutumnOak:
    case TreeKind::kRedMaple:
    case TreeKind::kCherry: {
      AddTrunk(scene, {}, {0, 0, 40 * s}, 4.5 * s, 3 * s, kBark);
      const Vec3 crown{0, 0, 56 * s}, radii = Vec3{24, 22, 18} * s;
      AddBranches(scene, rnd, {0, 0, 36 * s}, crown, radii, 3, 2.2 * s, kBark);
      Rgb a = green, b = green2, fruit{};
      int fruits = 0;
      if (kind == TreeKind::kApple) fruit = Hex(0xd8202a), fruits = 14;
      if (kind == TreeKind::kAutumnOak) a = Hex(0xd0702a), b = Hex(0xe0a838);
      if (kind == TreeKind::kRedMaple) a = Hex(0xb8282a), b = Hex(0xd8502a);
      if (kind == TreeKind::kCherry) a = Hex(0xf0a0c8), b = Hex(0xf8d0e4), fruit = Hex(0xffffff), fruits = 18;
      AddFoliage(scene, rnd, crown, radii, 16, 11 * s, a, b, 10, fruit, fruits);
      break;
    }
    case TreeKind::kBroadOak:
    case TreeKind::kAncient: {
      const bool ancient = kind == TreeKind::kAncient;
      AddTrunk(scene, {}, {0, 0, 32 * s}, (ancient ? 8 : 5.5) * s, (ancient ? 5 : 3.5) * s, Hex(0x4e3420));
      const Vec3 crown{0, 0, 48 * s}, radii = Vec3{31, 27, 16} * s;
      AddBranches(scene, rnd, {0, 0, 28 * s}, crown, radii, 5, 3 * s, Hex(0x4e3420));
      AddFoliage(scene, rnd, crown, radii, 22, 12 * s, Hex(0x2f7a28), Hex(0x4e9434), 10);
      break;
    }
    case TreeKind::kTwinOak: {
      for (int i = 0; i < 2; ++i) {
        const Vec3 at{i ? 12 * s : -12 * s, i ? 4 * s : -4 * s, 0};
        AddTrunk(scene, at, at + Vec3{i ? 4 * s : -4 * s, 0, 36 * s}, 4 * s, 2.8 * s, kBark);
        const Vec3 crown = at + Vec3{i ? 6 * s : -6 * s, 0, (50 + 6 * i) * s};
        AddFoliage(scene, rnd, crown, Vec3{20, 18, 16} * s, 12, 10 * s, green, green2, 10 + 20 * i);
      }
      break;
    }
    case TreeKind::kBirch:
    case TreeKind::kYellowBirch: {
      AddTrunk(scene, {}, {0, 0, 62 * s}, 3 * s, 1.8 * s, kBark, true);
      const Vec3 crown{0, 0, 62 * s}, radii = Vec3{15, 14, 24} * s;
      AddBranches(scene, rnd, {0, 0, 44 * s}, crown, radii, 3, 1.3 * s, Hex(0xe8e4d8));
      const bool yellow = kind == TreeKind::kYellowBirch;
      AddFoliage(scene, rnd, crown, radii, 20, 8.5 * s, yellow ? Hex(0xe0b830) : Hex(0x6cb040),
                 yellow ? Hex(0xf0d858) : Hex(0x90c858), 10);
      break;
    }
    case TreeKind::kPine:
      AddConifer(scene, rnd, 92 * s, 22 * s, 5, Hex(0x2e6a34), 3.5 * s);
      break;
    case TreeKind::kFir:
      AddConifer(scene, rnd, 100 * s, 17 * s, 7, Hex(0x2a5e48), 3 * s);
      break;
    case TreeKind::kSpruce:
      AddConifer(scene, rnd, 104 * s, 25 * s, 8, Hex(0x1f4e34), 4 * s);
      break;
    case TreeKind::kPoplar:
      AddTrunk(scene, {}, {0, 0, 30 * s}, 3.2 * s, 2.5 * s, kBark);
      AddFoliage(scene, rnd, {0, 0, 58 * s}, Vec3{11, 11, 32} * s, 24, 8.5 * s, Hex(0x4a8e30), Hex(0x6aa840),
                 10);
      break;
    case TreeKind::kCypress:
      AddTrunk(scene, {}, {0, 0, 16 * s}, 3 * s, 2.5 * s, kBark);
      for (int i = 0; i < 7; ++i) {
        const double t = i / 6.0;
        const double r = (11 - 8 * t) * s;
        AddBall(scene, Translation({rnd.Uniform(-1, 1) * s, rnd.Uniform(-1, 1) * s, (18 + 62 * t) * s}), {},
                {r, r, r * 1.6}, Hex(0x2a4e2c) * (0.9 + 0.2 * rnd.Uniform(0, 1)), 10 + i)
            .paint = [seed = rnd.Next()](const Vec3& q, bool) {
          const double n = SpaceNoise(q.x * 4, q.y * 4, q.z * 6, seed);
          return Surface{Hex(0x2e5430) * (0.75 + 0.45 * n), 0, false};
        };
      }
      break;
    case TreeKind::kDead: {
      AddTrunk(scene, {}, {0, 0, 34 * s}, 4.5 * s, 3 * s, Hex(0x6a5a4a));
      for (int i = 0; i < 4; ++i) {
        const double a = i * 2 * kPi / 4 + rnd.Uniform(-0.4, 0.4);
        AddDeadLimb(scene, rnd, {0, 0, 32 * s}, {std::cos(a), std::sin(a), 1.1}, 18 * s, 2.6 * s, 2,
                    Hex(0x6a5a4a));
      }
      break;
    }
    case TreeKind::kBush:
      AddFoliage(scene, rnd, {0, 0, 13 * s}, Vec3{21, 19, 11} * s, 14, 9 * s, Hex(0x3a7a2a), Hex(0x5a9a38),
                 10, Hex(0xf0f0ff), 6);
      break;
    case TreeKind::kWillow: {
      AddTrunk(scene, {}, {0, 0, 36 * s}, 5 * s, 3.5 * s, kBark);
      const Vec3 crown{0, 0, 50 * s}, radii = Vec3{24, 22, 14} * s;
      AddBranches(scene, rnd, {0, 0, 32 * s}, crown, radii, 4, 2.2 * s, kBark);
      int group = AddFoliage(scene, rnd, crown, radii, 12, 10 * s, Hex(0x7aa840), Hex(0x9ac058), 10);
      // Hanging strands round the crown's rim.
      for (int i = 0; i < 26; ++i) {
        const double a = i * 2 * kPi / 26 + rnd.Uniform(-0.1, 0.1);
        const Vec3 top =
            crown + Vec3{std::cos(a) * radii.x * 1.05, std::sin(a) * radii.y * 1.05, rnd.Uniform(-2, 4) * s};
        AddRod(scene, top, top + Vec3{std::cos(a) * 3 * s, std::sin(a) * 3 * s, -rnd.Uniform(24, 36) * s},
               1.6 * s, 0.9 * s, Hex(0x88b448) * (0.9 + 0.2 * rnd.Uniform(0, 1)), group + i);
      }
      break;
    }
    case TreeKind::kYoung:
      AddTrunk(scene, {}, {0, 0, 30 * s}, 2.2 * s, 1.5 * s, kBark);
      AddFoliage(scene, rnd, {0, 0, 38 * s}, Vec3{12, 12, 11} * s, 9, 7 * s, Hex(0x5aa23a), Hex(0x7cba48),
                 10);
      break;
  }
}
