// Figure builders of the close-combat fighters.
#include <cmath>

#include "Props.h"
#include "UnitLook.h"
#include "Units.h"

void DrawGreenKnight(Scene& s, const Rig& rig, const Pose&, std::vector<Glow>&) {
  const Rgb green = Hex(0x2e8b3c), mail = Hex(0x8c939c), boot = Hex(0x4e3420);
  AddLegs(s, rig, mail, kSteel, boot);
  auto tabard = [green, mail](const Vec3& q, bool) {
    if (std::abs(q.x) > 0.62)
      return Surface{mail * (0.9 + 0.1 * std::sin(q.z * 40) * std::sin(q.x * 40)), 0.3, false};
    if (q.y > 0 && ((std::abs(q.x) < 0.12 && q.z > -0.7 && q.z < 0.75) ||
                    (std::abs(q.z - 0.3) < 0.11 && std::abs(q.x) < 0.42)))
      return Surface{kGold, 0.5, false};
    return Surface{green, 0.1, false};
  };
  AddTorso(s, rig, tabard, [green](const Vec3& q, bool) {
    if (Buckle(q, 0.35, 0.6)) return Surface{kGold, 0.7, false};
    if (Band(q, 0.35, 0.6)) return Surface{kLeather, 0.1, false};
    return Surface{green, 0.1, false};
  });
  AddSkirt(s, rig, rig.pelvis.z + 1.5, rig.pelvis.z - 13, 9.5, green, 10).paint = [green](const Vec3& q,
                                                                                          bool inside) {
    if (inside) return Surface{green * 0.6, 0, false};
    if (q.z < 0.12) return Surface{kGold, 0.4, false};
    return Surface{green, 0.1, false};
  };
  AddArm(s, rig, kLeft, mail, kSteel, kSteel);
  AddArm(s, rig, kRight, mail, kSteel, kSteel);
  // Great helm with an eye slit, a gold ridge and a green plume.
  const double r = rig.headRadius;
  AddRod(s, rig.neck - Vec3{0, 0, 2}, rig.head, 2.8, 2.8, mail, 3);
  auto& helm = AddCone(s, rig.skull, {0, 0, -1.0 * r}, 1.0 * r, 1.04 * r, 1.9 * r, 0.9, kSteel, 3);
  helm.paint = [](const Vec3& q, bool) {
    const double f = FrontOf(q);
    if (q.z > 0.52 && q.z < 0.63 && f > 0.3) return Surface{Hex(0x101418), 0, false};
    if (f > 0.97 && q.z < 0.52 && q.z > 0.1) return Surface{kGold, 0.7, false};
    if (q.z < 0.1 || (q.z > 0.96 && q.z < 0.999)) return Surface{kGold, 0.7, false};
    return Surface{kSteel, 0.8, false};
  };
  AddBall(s, rig.skull, {0, -0.3 * r, 1.15 * r}, {0.3 * r, 0.95 * r, 0.55 * r}, Hex(0x48c858), 11);
  AddSword(s, rig.hand[kRight], rig.weaponDir, 21, 2.4, kGold);
  AddShield(s, rig.hand[kLeft], rig.offDir, green, kGold);
}

void DrawBlackNinja(Scene& s, const Rig& rig, const Pose&, std::vector<Glow>&) {
  const Rgb black = Hex(0x22222c), grey = Hex(0x34343f), red = Hex(0xc8282a);
  AddLegs(s, rig, black, black, grey);
  AddTorso(
      s, rig,
      [black, grey](const Vec3& q, bool) {
        // Crossed jacket front.
        if (q.y > 0.3 && std::abs(q.x + (q.z - 0.9) * 0.5) < 0.05) return Surface{grey, 0.2, false};
        return Surface{black, 0.15, false};
      },
      [black, red](const Vec3& q, bool) {
        if (Band(q, 0.25, 0.62)) return Surface{red, 0.2, false};
        return Surface{black, 0.15, false};
      });
  // Sash ends hanging at the left hip.
  AddRod(s, rig.hips.Point({-5.5, 3.5, 2}), rig.hips.Point({-6.5, 4.5, -6}), 1.3, 0.9, red, 10);
  AddArm(s, rig, kLeft, black, black, black);
  AddArm(s, rig, kRight, black, black, black);
  HeadLook head;
  head.mask = true;
  head.maskColour = black;
  head.hairStyle = HeadLook::Hair::kNone;
  AddHead(s, rig, head);
  const double r = rig.headRadius;
  // Red headband with two tails flying behind.
  AddCone(s, rig.skull, {0, 0, 0.3 * r}, 1.04 * r, 1.06 * r, 0.22 * r, 1.0, red, 11);
  const Vec3 knot = rig.skull.Point({0, -r, 0.4 * r});
  AddRod(s, knot, rig.skull.Point({-2.5, -r - 5, -1.5}), 0.8, 0.5, red, 11);
  AddRod(s, knot, rig.skull.Point({2, -r - 4, -3.5}), 0.8, 0.5, red, 11);
  // Scabbard across the back.
  AddRod(s, rig.torso.Point({-7, -5.5, 4}), rig.torso.Point({6, -5.5, 22}), 1.1, 1.0, Hex(0x40202a), 12);
  AddKatana(s, rig.hand[kRight], rig.weaponDir);
}

void DrawThief(Scene& s, const Rig& rig, const Pose&, std::vector<Glow>&) {
  const Rgb cloak = Hex(0x46503c), tunic = Hex(0x7a5a3c), trousers = Hex(0x4a4036), boot = Hex(0x3a2a1e);
  AddLegs(s, rig, trousers, trousers, boot);
  AddTorso(s, rig, Flat(tunic, 0.05), [tunic](const Vec3& q, bool) {
    if (Buckle(q, 0.3, 0.55)) return Surface{Hex(0xb0b0a0), 0.6, false};
    if (Band(q, 0.3, 0.55)) return Surface{kLeather, 0.1, false};
    return Surface{tunic, 0.05, false};
  });
  AddSkirt(s, rig, rig.pelvis.z + 1, rig.pelvis.z - 8, 8.5, tunic, 10);
  // Cloak hanging from the shoulders down the back.
  AddBall(s, rig.torso, {0, -5.2, 7}, {9.5, 2.4, 17}, cloak, 12).cut = [](const Vec3& q) {
    return q.y > 0.2;
  };
  AddArm(s, rig, kLeft, cloak, tunic, Hex(0x3a2a20));
  AddArm(s, rig, kRight, cloak, tunic, Hex(0x3a2a20));
  HeadLook head;
  head.hair = Hex(0x2a1e14);
  AddHead(s, rig, head);
  // Hood open at the face, with a tip falling behind.
  const double r = rig.headRadius;
  auto& hood = AddBall(s, rig.skull, {0, -0.12 * r, 0.12 * r}, {1.22 * r, 1.25 * r, 1.22 * r}, cloak, 11);
  hood.cut = [](const Vec3& q) { return q.y > 0.4 && q.z < 0.6 && q.z > -0.95; };
  hood.paint = [cloak](const Vec3&, bool inside) { return Surface{inside ? cloak * 0.45 : cloak, 0, false}; };
  AddBall(s, rig.skull, {0, -1.15 * r, 0.3 * r}, {0.45 * r, 0.75 * r, 0.5 * r}, cloak, 11);
  // Scarf over the mouth.
  AddBall(s, rig.skull, {0, 0.25 * r, -0.72 * r}, {0.95 * r, 0.9 * r, 0.42 * r}, Hex(0x3a3a3a), 11);
  AddDagger(s, rig.hand[kRight], rig.weaponDir);
  AddSack(s, rig.hand[kLeft], rig.offDir, 0.8, Hex(0xc8a868), 21);
}

void DrawHorst(Scene& s, const Rig& rig, const Pose&, std::vector<Glow>&) {
  const Rgb shirt = Hex(0xf0ebdc), green = Hex(0x1e5a30), blue = Hex(0x1e2e6a), red = Hex(0xc02a22),
            sock = Hex(0xe4dcc4), skin = Hex(0xf0c4a0), ginger = Hex(0xc0581c);
  // Red tartan crossed by dark green and blue bands and a thin yellow line.
  auto tartan = [green, blue, red](double u, double v) {
    Rgb c = red;
    if (Frac(u) < 0.3) c = Mix(c, green, 0.7);
    if (Frac(v) < 0.3) c = Mix(c, blue, 0.6);
    if (std::abs(Frac(u) - 0.65) < 0.05 || std::abs(Frac(v) - 0.65) < 0.05) c = Hex(0xe8c040);
    return c;
  };
  AddLegs(s, rig, skin, sock, kLeather);
  AddTorso(
      s, rig,
      [shirt, tartan](const Vec3& q, bool) {
        // Sash from the left shoulder to the right hip.
        const double d = q.x * 0.6 + q.z * -0.8;
        if (std::abs(d) < 0.2) return Surface{tartan(q.y * 2 + q.x * 3, d * 10), 0, false};
        return Surface{shirt, 0, false};
      },
      [shirt](const Vec3& q, bool) {
        if (Buckle(q, 0.2, 0.5)) return Surface{kSteel, 0.7, false};
        if (Band(q, 0.2, 0.5)) return Surface{kLeather, 0.1, false};
        return Surface{shirt, 0, false};
      });
  AddSkirt(s, rig, rig.pelvis.z + 1, rig.pelvis.z - 12, 9.5, red, 10).paint = [tartan](const Vec3& q,
                                                                                       bool inside) {
    const double a = AngleOf(q) / (2 * kPi) * 14;
    const double pleat = 0.85 + 0.15 * std::cos(a * 2 * kPi * 2);
    const Rgb c = tartan(a, q.z * 3.5) * pleat;
    return Surface{inside ? c * 0.6 : c, 0, false};
  };
  // Sporran.
  AddBall(s, rig.hips, {0, 8.2, -5}, {2.6, 1.2, 3}, Hex(0x6a4a2a), 13).paint = [](const Vec3& q, bool) {
    return Surface{q.z > 0.2 ? Hex(0x6a4a2a) : Hex(0xe8e4da), 0, false};
  };
  AddArm(s, rig, kLeft, shirt, shirt, skin);
  AddArm(s, rig, kRight, shirt, shirt, skin);
  HeadLook head;
  head.skin = skin;
  head.hair = ginger;
  head.beard = ginger;
  head.beardStyle = HeadLook::Beard::kFull;
  AddHead(s, rig, head);
  const double r = rig.headRadius;
  AddBall(s, rig.skull, {0.15 * r, -0.1 * r, 0.62 * r}, {1.15 * r, 1.15 * r, 0.42 * r}, Hex(0x26347a), 11);
  AddBall(s, rig.skull, {0.15 * r, -0.1 * r, 1.05 * r}, {0.28 * r, 0.28 * r, 0.28 * r}, red, 11);
  AddSword(s, rig.hand[kRight], rig.weaponDir, 29, 2.8, Hex(0x9aa0a8));
}

void DrawNobeard(Scene& s, const Rig& rig, const Pose&, std::vector<Glow>&) {
  const Rgb coat = Hex(0x203a80), shirt = Hex(0xf2efe6), sash = Hex(0xb82020), trousers = Hex(0x3a3228),
            boot = Hex(0x1c1c1c), lining = Hex(0x8a1c1c);
  AddLegs(s, rig, trousers, boot, boot);
  AddTorso(
      s, rig,
      [coat, shirt](const Vec3& q, bool) {
        const double open = 0.22 + 0.25 * Clamp01(q.z + 0.2);
        if (q.y > 0.5 && std::abs(q.x) < open) return Surface{shirt, 0, false};
        if (q.y > 0.45 && std::abs(std::abs(q.x) - open - 0.08) < 0.06 && Frac(q.z * 3) < 0.4)
          return Surface{kGold, 0.8, false};
        return Surface{coat, 0.1, false};
      },
      [coat, sash](const Vec3& q, bool) {
        if (Band(q, 0.1, 0.6)) return Surface{sash, 0.1, false};
        return Surface{coat, 0.1, false};
      });
  AddRod(s, rig.hips.Point({-5, 4.5, 1}), rig.hips.Point({-6.5, 5, -7}), 1.4, 1.0, sash, 13);
  auto& tails = AddSkirt(s, rig, rig.pelvis.z + 1, rig.pelvis.z - 15, 10, coat, 10);
  tails.cut = [](const Vec3& q) { return FrontOf(q) > 0.8; };
  tails.paint = [coat, lining](const Vec3& q, bool inside) {
    if (inside) return Surface{lining, 0, false};
    if (q.z < 0.1) return Surface{kGold, 0.5, false};
    return Surface{coat, 0.1, false};
  };
  AddArm(s, rig, kLeft, coat, coat, Hex(0xd8a878));
  AddArm(s, rig, kRight, coat, coat, Hex(0xd8a878));
  for (int side = 0; side < 2; ++side)
    AddRod(s, Lerp(rig.elbow[side], rig.hand[side], 0.62), Lerp(rig.elbow[side], rig.hand[side], 0.8), 2.6,
           2.6, kGold, side == kLeft ? 4 : 5);
  HeadLook head;
  head.skin = Hex(0xd8a878);
  head.hair = Hex(0x1a1410);
  head.beard = Hex(0x1a1410);
  head.hairStyle = HeadLook::Hair::kLong;
  head.beardStyle = HeadLook::Beard::kMoustache;
  head.eyePatch = true;
  AddHead(s, rig, head);
  // Tricorn: an upturned brim cut to a triangle pointing forward, over a round crown.
  const double r = rig.headRadius;
  AddBall(s, rig.skull, {0, 0, 0.5 * r}, {0.95 * r, 0.98 * r, 0.7 * r}, Hex(0x1a1a1e), 11);
  auto& brim =
      AddCone(s, rig.skull, {0, 0.05 * r, 0.35 * r}, 1.05 * r, 1.05 * r, 0.55 * r, 1.55, Hex(0x1a1a1e), 11);
  brim.cut = [](const Vec3& q) {
    const double scale = 1 + 0.55 * q.z;
    const double x = q.x / scale, y = q.y / scale;
    for (double a : {-kPi / 2, kPi / 6, 5 * kPi / 6})
      if (x * std::cos(a) + y * std::sin(a) > 0.62) return true;
    return false;
  };
  brim.paint = [](const Vec3& q, bool inside) {
    if (q.z > 0.82 && !inside) return Surface{kGold, 0.6, false};
    return Surface{inside ? Hex(0x101012) : Hex(0x1a1a1e), 0.15, false};
  };
  AddCutlass(s, rig.hand[kRight], rig.weaponDir);
}

void DrawTrappercaveman(Scene& s, const Rig& rig, const Pose&, std::vector<Glow>&) {
  const Rgb skin = Hex(0xc89268), hair = Hex(0x3a2414), fur = Hex(0xd89a40), spot = Hex(0x4a2a14),
            wrap = Hex(0x7a5030);
  auto furPaint = [fur, spot](const Vec3& q, bool inside) {
    const double n = std::sin(q.x * 13 + q.z * 7) * std::sin(q.y * 11 - q.z * 9) + 0.3 * std::sin(q.z * 31);
    const Rgb c = n > 0.55 ? spot : fur * (0.92 + 0.08 * std::sin(q.z * 50 + q.x * 20));
    return Surface{inside ? c * 0.6 : c, 0, false};
  };
  AddLegs(s, rig, skin, skin, wrap);
  AddTorso(
      s, rig,
      [skin, furPaint](const Vec3& q, bool in) {
        // Fur slung over the left shoulder, the right shoulder bare.
        if (q.x * 0.65 - q.z * 0.75 < 0.1) return furPaint(q, in);
        return Surface{skin, 0, false};
      },
      furPaint);
  auto& loin = AddSkirt(s, rig, rig.pelvis.z + 2, rig.pelvis.z - 10, 9, fur, 10);
  loin.paint = furPaint;
  loin.cut = [](const Vec3& q) { return q.z < 0.16 * (1 + std::sin(AngleOf(q) * 9)); };
  AddArm(s, rig, kLeft, skin, skin, skin);
  AddArm(s, rig, kRight, skin, skin, skin);
  HeadLook head;
  head.skin = skin;
  head.hair = hair;
  head.beard = hair;
  head.hairStyle = HeadLook::Hair::kWild;
  head.beardStyle = HeadLook::Beard::kLong;
  AddHead(s, rig, head);
  // Heavy brow.
  const double r = rig.headRadius;
  AddBall(s, rig.skull, {0, 0.72 * r, 0.3 * r}, {0.75 * r, 0.3 * r, 0.16 * r}, skin * 0.9, 3);
  AddClub(s, rig.hand[kRight], rig.weaponDir);
}
