// Figure builders of the spell casters, the shooter, the queen, the
// gift-bringer and the scholar.
#include <cmath>

#include "Props.h"
#include "UnitLook.h"
#include "Units.h"

namespace {

// How bright a charged item glows over an attack effect that releases at 0.45.
double Charge(double effect) {
  if (effect < 0) return 0;
  return effect < 0.45 ? effect / 0.45 : std::max(0.0, 1 - (effect - 0.45) / 0.3);
}

// Where a thrown spell is: from the item's tip forward toward an enemy's chest.
bool SpellPosition(double effect, Vec3 from, Vec3& at) {
  if (effect < 0.45) return false;
  const double u = (effect - 0.45) / 0.55;
  at = Lerp(from, Vec3{1, 34, 28}, u);
  return true;
}

}  // namespace

void DrawWhiteMage(Scene& s, const Rig& rig, const Pose& pose, std::vector<Glow>& glows) {
  const Rgb robe = Hex(0xeef0f8), trim = Hex(0x3a64c8), skin = Hex(0xf0c8a8), beard = Hex(0xe2e2e6);
  AddLegs(s, rig, robe, robe, Hex(0x8a8a96));
  auto robePaint = [robe, trim](const Vec3& q, bool inside) {
    if (inside) return Surface{robe * 0.7, 0, false};
    if (q.y > 0 && std::abs(q.x) < 0.13) return Surface{trim, 0.2, false};
    return Surface{robe, 0.05, false};
  };
  AddTorso(s, rig, robePaint, [robe](const Vec3& q, bool in) {
    if (Band(q, 0.3, 0.5)) return Surface{kGold, 0.5, false};
    return Surface{in ? robe * 0.7 : robe, 0.05, false};
  });
  AddSkirt(s, rig, rig.pelvis.z + 2, 0.5, 12, robe, 10).paint = [robe, trim](const Vec3& q, bool inside) {
    if (inside) return Surface{robe * 0.6, 0, false};
    if (q.z < 0.08) return Surface{trim, 0.2, false};
    if (FrontOf(q) > 0.96) return Surface{trim, 0.2, false};
    return Surface{robe, 0.05, false};
  };
  for (int side = 0; side < 2; ++side) {
    AddArm(s, rig, static_cast<Side>(side), robe, robe, skin);
    AddRod(s, rig.elbow[side], Lerp(rig.elbow[side], rig.hand[side], 0.78), 2.6, 3.7, robe,
           side == kLeft ? 4 : 5)
        .paint = [robe, trim](const Vec3& q, bool) {
      return Surface{q.x > 0.85 ? trim : robe, 0.05, false};
    };
  }
  HeadLook head;
  head.skin = skin;
  head.hair = beard;
  head.beard = beard;
  head.hairStyle = HeadLook::Hair::kLong;
  head.beardStyle = HeadLook::Beard::kLong;
  AddHead(s, rig, head);
  // Tall pointed hat, its tip leaning back.
  const double r = rig.headRadius;
  const Xform hat = rig.skull.Then(Translation({0, 0, 0.45 * r})).Then(Rotation({1, 0, 0}, Radians(14)));
  AddCone(s, hat, {0, 0, 0}, 1.6 * r, 1.6 * r, 0.12 * r, 0.92, robe, 11);
  AddCone(s, hat, {0, 0, 0.05 * r}, 0.95 * r, 0.95 * r, 2.3 * r, 0.06, robe, 11).paint =
      [robe, trim](const Vec3& q, bool) {
        if (q.z < 0.14) return Surface{trim, 0.2, false};
        const double a = AngleOf(q) * 3, z = q.z * 6;
        if (std::abs(Frac(a / kPi) - 0.5) < 0.08 && std::abs(Frac(z) - 0.5) < 0.1)
          return Surface{kGold, 0.6, false};
        return Surface{robe, 0.05, false};
      };
  const double glow = Charge(pose.effect);
  AddStaff(s, rig.hand[kRight], rig.weaponDir, glow);
  const Vec3 tip = rig.hand[kRight] + Normalize(rig.weaponDir) * 25;
  if (glow > 0) glows.push_back({tip, 7 + 6 * glow, Hex(0x60b0ff), 0.8 * glow});
  Vec3 at;
  if (SpellPosition(pose.effect, tip, at)) {
    auto& ball = AddBall(s, Translation(at), {}, {3.6, 4.4, 3.6}, Hex(0x80c8ff), 30);
    ball.paint = [](const Vec3& q, bool) {
      const double swirl = 0.5 + 0.5 * std::sin(q.x * 6 + q.z * 5);
      return Surface{Mix(Hex(0x3a8ae8), Hex(0xe8f8ff), swirl), 0, true};
    };
    glows.push_back({at, 10, Hex(0x60b0ff), 0.7});
  }
}

void DrawRedArcher(Scene& s, const Rig& rig, const Pose& pose, std::vector<Glow>& glows) {
  const Rgb red = Hex(0xc4262a), trousers = Hex(0x5a4028), boot = Hex(0x3a2616), skin = Hex(0xf0c8a0);
  AddLegs(s, rig, trousers, trousers, boot);
  AddTorso(
      s, rig,
      [red](const Vec3& q, bool) {
        if (q.y > 0.6 && std::abs(q.x) < 0.08) return Surface{kGold, 0.4, false};
        return Surface{red, 0.1, false};
      },
      [red](const Vec3& q, bool) {
        if (Buckle(q, 0.3, 0.55)) return Surface{kGold, 0.7, false};
        if (Band(q, 0.3, 0.55)) return Surface{kLeather, 0.1, false};
        return Surface{red, 0.1, false};
      });
  AddSkirt(s, rig, rig.pelvis.z + 1, rig.pelvis.z - 9, 8.8, red, 10).paint = [red](const Vec3& q,
                                                                                   bool inside) {
    if (inside) return Surface{red * 0.6, 0, false};
    if (q.z < 0.12) return Surface{kGold, 0.4, false};
    return Surface{red, 0.1, false};
  };
  // Quiver of bolts on the back.
  const Vec3 q0 = rig.torso.Point({-4, -6.5, 4}), q1 = rig.torso.Point({3, -6.5, 20});
  AddRod(s, q0, q1, 2.4, 2.6, kLeather, 12);
  for (int i = 0; i < 3; ++i)
    AddRod(s, q1, q1 + rig.torso.Direction({-1.0 + i, -0.5, 3.5}), 0.5, 0.5, Hex(0xf0ece0), 12);
  AddArm(s, rig, kLeft, red, red, Hex(0x6a4424));
  AddArm(s, rig, kRight, red, red, Hex(0x6a4424));
  HeadLook head;
  head.skin = skin;
  head.hair = Hex(0x6a3a1a);
  AddHead(s, rig, head);
  // Red cap with a white feather.
  const double r = rig.headRadius;
  AddBall(s, rig.skull, {0, -0.05 * r, 0.42 * r}, {1.07 * r, 1.12 * r, 0.72 * r}, red, 11).cut =
      [](const Vec3& q) { return q.z < -0.1; };
  AddBall(s, rig.skull, {0, 0.75 * r, 0.35 * r}, {0.9 * r, 0.5 * r, 0.12 * r}, red * 0.8, 11);
  AddRod(s, rig.skull.Point({0.7 * r, -0.2 * r, 0.8 * r}), rig.skull.Point({1.0 * r, -1.5 * r, 1.7 * r}), 0.8,
         0.25, Hex(0xffffff), 11);
  const bool shot = pose.effect >= 0.1;
  AddCrossbow(s, rig.hand[kRight], rig.weaponDir, !shot);
  if (shot) {
    const Vec3 dir = Normalize(rig.weaponDir);
    const Vec3 front = rig.hand[kRight] + dir * 13.5;
    if (pose.effect < 0.9) AddBolt(s, front + dir * (pose.effect * 48), dir, 9.5);
    if (pose.effect < 0.3) glows.push_back({front + dir * 2, 7, Hex(0xfff0b0), 0.9});
  }
}

void DrawQueen(Scene& s, const Rig& rig, const Pose& pose, std::vector<Glow>& glows) {
  const Rgb gown = Hex(0x8a2aa8), panel = Hex(0xc060d8), mantle = Hex(0xb01c2c), skin = Hex(0xf6d2b8),
            ermine = Hex(0xf8f6f0);
  AddLegs(s, rig, gown, gown, Hex(0x6a1a80));
  AddTorso(
      s, rig,
      [gown](const Vec3& q, bool) {
        if (q.y > 0.5 && std::abs(std::abs(q.x) - (0.5 - q.z * 0.3)) < 0.06)
          return Surface{kGold, 0.6, false};
        return Surface{gown, 0.15, false};
      },
      [gown](const Vec3& q, bool) {
        if (Band(q, 0.35, 0.5)) return Surface{kGold, 0.6, false};
        return Surface{gown, 0.15, false};
      });
  AddSkirt(s, rig, rig.pelvis.z + 2, 0.3, 13.5, gown, 10).paint = [gown, panel](const Vec3& q, bool inside) {
    if (inside) return Surface{gown * 0.6, 0, false};
    if (q.z < 0.07) return Surface{kGold, 0.6, false};
    // A lighter front panel widening toward the hem.
    if (FrontOf(q) > 0.97 - 0.1 * (1 - q.z)) return Surface{panel, 0.15, false};
    const double fold = 0.88 + 0.12 * std::cos(AngleOf(q) * 8);
    return Surface{gown * fold, 0.15, false};
  };
  // Royal mantle down the back with an ermine collar.
  AddBall(s, rig.torso, {0, -5.8, -1}, {11, 2.6, 26}, mantle, 12).paint = [mantle, ermine](const Vec3& q,
                                                                                           bool) {
    if (q.z < -0.92 || std::abs(q.x) > 0.93) return Surface{ermine, 0, false};
    return Surface{mantle, 0.15, false};
  };
  AddBall(s, rig.torso, {0, -0.5, 18.5}, {9.5, 6.5, 2.6}, ermine, 13).paint = [ermine](const Vec3& q, bool) {
    const bool tail = Frac(AngleOf(q) * 2) < 0.12 && q.z > 0;
    return Surface{tail ? Hex(0x1a1a1a) : ermine, 0, false};
  };
  AddArm(s, rig, kLeft, gown, gown, skin);
  AddArm(s, rig, kRight, gown, gown, skin);
  HeadLook head;
  head.skin = skin;
  head.hair = Hex(0xe8c060);
  head.hairStyle = HeadLook::Hair::kLong;
  head.eyes = Hex(0x2a3a7a);
  AddHead(s, rig, head);
  // Crown: a gold band with points and gems.
  const double r = rig.headRadius;
  auto& crown = AddCone(s, rig.skull, {0, 0, 0.38 * r}, 0.9 * r, 0.9 * r, 0.85 * r, 1.15, kGold, 11);
  crown.cut = [](const Vec3& q) {
    const double t = Frac(AngleOf(q) / (2 * kPi) * 8);
    return q.z > 0.4 + 0.6 * (1 - std::abs(t - 0.5) * 2);
  };
  crown.paint = [](const Vec3& q, bool inside) {
    const double t = Frac(AngleOf(q) / (2 * kPi) * 8);
    if (!inside && q.z > 0.12 && q.z < 0.32 && std::abs(t - 0.5) < 0.12)
      return Surface{t < 0.5 ? Hex(0xe01838) : Hex(0x2050e0), 1.0, false};
    return Surface{inside ? kGold * 0.6 : kGold, 0.9, false};
  };
  const double glow = Charge(pose.effect);
  AddSceptre(s, rig.hand[kRight], rig.weaponDir, glow);
  const Vec3 tip = rig.hand[kRight] + Normalize(rig.weaponDir) * 13.2;
  if (glow > 0) glows.push_back({tip, 6 + 6 * glow, Hex(0xffd060), 0.8 * glow});
  Vec3 at;
  if (SpellPosition(pose.effect, tip, at)) {
    AddBall(s, Translation(at), {}, {2.4, 2.4, 2.4}, Hex(0xfff4c0), 30).paint = [](const Vec3&, bool) {
      return Surface{Hex(0xfff4c0), 0, true};
    };
    glows.push_back({at, 9, Hex(0xffc840), 0.85});
  }
}

void DrawJohnDoe(Scene& s, const Rig& rig, const Pose&, std::vector<Glow>&) {
  const Rgb red = Hex(0xd01e24), fur = Hex(0xf6f6f6), black = Hex(0x1a1a1a), skin = Hex(0xf8c8b0);
  AddLegs(s, rig, red, black, black);
  auto coat = [red, fur](const Vec3& q, bool) {
    if (q.y > 0.2 && std::abs(q.x) < 0.16) return Surface{fur, 0, false};
    return Surface{red, 0.12, false};
  };
  AddTorso(s, rig, coat, [red, fur, black](const Vec3& q, bool) {
    if (Buckle(q, 0.05, 0.3)) return Surface{kGold, 0.8, false};
    if (Band(q, 0.05, 0.3)) return Surface{black, 0.4, false};
    if (q.y > 0.2 && std::abs(q.x) < 0.16) return Surface{fur, 0, false};
    return Surface{red, 0.12, false};
  });
  AddSkirt(s, rig, rig.pelvis.z + 0, rig.pelvis.z - 9, 11.5, red, 10).paint = [red, fur](const Vec3& q,
                                                                                         bool inside) {
    if (inside) return Surface{red * 0.6, 0, false};
    if (q.z < 0.28 || FrontOf(q) > 0.97) return Surface{fur, 0, false};
    return Surface{red, 0.12, false};
  };
  for (int side = 0; side < 2; ++side) {
    AddArm(s, rig, static_cast<Side>(side), red, red, black);
    AddRod(s, Lerp(rig.elbow[side], rig.hand[side], 0.62), Lerp(rig.elbow[side], rig.hand[side], 0.82), 2.9,
           2.9, fur, side == kLeft ? 4 : 5);
  }
  HeadLook head;
  head.skin = skin;
  head.hair = fur;
  head.beard = fur;
  head.hairStyle = HeadLook::Hair::kShort;
  head.beardStyle = HeadLook::Beard::kLong;
  AddHead(s, rig, head);
  // Floppy red cap with a fur brim and a bobble.
  const double r = rig.headRadius;
  const Xform cap = rig.skull.Then(Translation({0, 0, 0.35 * r})).Then(Rotation({1, 0, 0}, Radians(40)));
  AddCone(s, cap, {0, 0, 0.1 * r}, 0.98 * r, 0.98 * r, 1.9 * r, 0.16, red, 11);
  AddCone(s, rig.skull, {0, 0, 0.22 * r}, 1.1 * r, 1.12 * r, 0.38 * r, 1.0, fur, 11);
  AddBall(s, cap, {0, 0, 2.0 * r}, {0.38 * r, 0.38 * r, 0.38 * r}, fur, 11);
  AddSack(s, rig.hand[kRight], rig.weaponDir, 1.1, Hex(0xa8804c));
}

void DrawProfessor(Scene& s, const Rig& rig, const Pose&, std::vector<Glow>&) {
  const Rgb gown = Hex(0x20202a), suit = Hex(0x707680), shirt = Hex(0xf4f2ea), skin = Hex(0xf0c8a8);
  AddLegs(s, rig, suit, suit, Hex(0x2a1a10));
  AddTorso(
      s, rig,
      [gown, suit, shirt](const Vec3& q, bool) {
        if (q.y > 0.45 && std::abs(q.x) < 0.12 && q.z > 0.2) return Surface{Hex(0xa01c28), 0.2, false};
        if (q.y > 0.45 && std::abs(q.x) < 0.3 && q.z > 0.45) return Surface{shirt, 0, false};
        if (q.y > 0.45 && std::abs(q.x) < 0.42) return Surface{suit, 0.1, false};
        return Surface{gown, 0.1, false};
      },
      [gown, suit](const Vec3& q, bool) {
        if (q.y > 0.45 && std::abs(q.x) < 0.42) return Surface{suit, 0.1, false};
        return Surface{gown, 0.1, false};
      });
  auto& robe = AddSkirt(s, rig, rig.pelvis.z + 2, 1.0, 11, gown, 10);
  robe.cut = [](const Vec3& q) { return FrontOf(q) > 0.9; };
  robe.paint = [gown](const Vec3& q, bool inside) {
    const double fold = 0.85 + 0.15 * std::cos(AngleOf(q) * 10);
    return Surface{inside ? Hex(0x6a1020) : gown * fold, 0.1, false};
  };
  for (int side = 0; side < 2; ++side) {
    AddArm(s, rig, static_cast<Side>(side), gown, gown, skin);
    AddRod(s, rig.elbow[side], Lerp(rig.elbow[side], rig.hand[side], 0.75), 2.6, 3.8, gown,
           side == kLeft ? 4 : 5);
  }
  HeadLook head;
  head.skin = skin;
  head.hair = Hex(0xb8b8bc);
  head.beard = Hex(0xb8b8bc);
  head.hairStyle = HeadLook::Hair::kBald;
  head.beardStyle = HeadLook::Beard::kMoustache;
  head.glasses = true;
  AddHead(s, rig, head);
  // Mortarboard with a gold tassel.
  const double r = rig.headRadius;
  AddBall(s, rig.skull, {0, 0, 0.45 * r}, {1.0 * r, 1.02 * r, 0.62 * r}, gown, 11).cut = [](const Vec3& q) {
    return q.z < -0.2;
  };
  const Xform board = rig.skull.Then(Rotation({0, 0, 1}, Radians(45)));
  AddBlock(s, board, {0, 0, 1.02 * r}, {1.3 * r, 1.3 * r, 0.09 * r}, gown, 11);
  const Vec3 knob = rig.skull.Point({0, 0, 1.15 * r});
  const Vec3 corner = rig.skull.Point({1.55 * r, 0.2 * r, 1.1 * r});
  AddRod(s, knob, corner, 0.4, 0.4, kGold, 11);
  AddRod(s, corner, corner + Vec3{0.4, 0, -6}, 0.45, 0.8, kGold, 11);
  AddBook(s, rig.hand[kRight], rig.weaponDir, Hex(0x9a1c24));
}
