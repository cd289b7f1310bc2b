#include "Figure.h"

#include <memory>

#include "Box.h"
#include "Capsule.h"
#include "Cone.h"
#include "Ellipsoid.h"

namespace {

// Two-bone reach: the middle joint between root and target for bones of
// lengths l1 and l2, bending toward pole. The end may fall short of target.
void Reach(Vec3 root, Vec3 target, double l1, double l2, Vec3 pole, Vec3& middle, Vec3& end) {
  Vec3 d = target - root;
  double dist = Length(d);
  const Vec3 u = dist > 1e-9 ? d / dist : Vec3{0, 0, -1};
  dist = std::clamp(dist, std::abs(l1 - l2) + 0.01, l1 + l2 - 0.01);
  const double cosA = (l1 * l1 + dist * dist - l2 * l2) / (2 * l1 * dist);
  const double sinA = std::sqrt(std::max(0.0, 1 - cosA * cosA));
  Vec3 v = pole - u * Dot(pole, u);
  if (Length(v) < 1e-6) v = Cross(u, {1, 0, 0});
  v = Normalize(v);
  middle = root + u * (l1 * cosA) + v * (l1 * sinA);
  end = root + u * dist;
}

}  // namespace

Rig PoseRig(const Pose& p, const Build& b) {
  Rig r;
  r.build = b;
  const double h = b.height;
  r.pelvis = {0, 0, 25.5 * h + p.bob};
  r.hips = Translation(r.pelvis).Then(Rotation({0, 0, 1}, Radians(p.twist * 0.25)));
  const Xform upper = Rotation({0, 0, 1}, Radians(p.twist))
                          .Then(Rotation({1, 0, 0}, Radians(-p.lean)))
                          .Then(Rotation({0, 1, 0}, Radians(p.sway)));
  r.torso = Translation(r.pelvis).Then(upper);
  r.chest = r.torso.Point({0, 0, 11 * h + 0.4 * p.breath});
  r.neck = r.torso.Point({0, 0.3, 19 * h + 0.3 * p.breath});
  r.headRadius = 7.5 * b.headSize;
  r.skull = r.torso.Then(Translation({0, 0.6, 19 * h + 0.3 * p.breath + r.headRadius}))
                .Then(Rotation({1, 0, 0}, Radians(-p.headTilt)));
  r.head = r.skull.origin;
  for (int s = 0; s < 2; ++s) {
    const double side = s == kRight ? 1 : -1;
    r.shoulder[s] = r.torso.Point({side * 8.6 * b.shoulders, 0, 16.3 * h + 0.6 * p.breath});
    r.hip[s] = r.hips.Point({side * 4.2 * b.girth, 0, -2});
    const Vec3 ankleTarget = p.foot[s] + Vec3{0, 0, 2.5};
    Reach(r.hip[s], ankleTarget, 11.5 * h, 11 * h, {0, 1, 0.1}, r.knee[s], r.ankle[s]);
  }
  r.weaponDir = Normalize(p.weaponDir);
  r.offDir = Normalize(p.offDir);
  Vec3 handTarget[2] = {p.hand[0], p.hand[1]};
  if (p.twoHanded) handTarget[kLeft] = p.hand[kRight] - r.weaponDir * 3.6;
  for (int s = 0; s < 2; ++s) {
    const double side = s == kRight ? 1 : -1;
    Reach(r.shoulder[s], handTarget[s], 9.2 * h, 8.8 * h, {side * 0.5, -1, -0.6}, r.elbow[s], r.hand[s]);
  }
  return r;
}

Vec3 FacingVector(int direction) {
  static const Vec3 kDirs[8] = {{0, -1, 0}, {64, -96, 0}, {1, 0, 0},  {64, 96, 0},
                                {0, 1, 0},  {-64, 96, 0}, {-1, 0, 0}, {-64, -96, 0}};
  return Normalize(kDirs[((direction % 8) + 8) % 8]);
}

Xform FigurePlacement(const Pose& pose, int direction) {
  const double f = Radians(88 * pose.fall);
  // Fall backward about the heels, then slide forward so the lying body stays
  // centred on the spot and rests on its back instead of sinking.
  const Xform body =
      Translation(pose.shift + Vec3{0, 27 * std::sin(f), 4.5 * std::sin(f)}).Then(Rotation({1, 0, 0}, f));
  const Vec3 fw = FacingVector(direction);
  const Xform facing{{-fw.y, fw.x, 0}, fw, {0, 0, 1}, {}};
  return facing.Then(body);
}

Shape& AddBall(Scene& scene, const Xform& frame, Vec3 c, Vec3 half, Rgb colour, int group) {
  auto& s = scene.Add(std::make_unique<Ellipsoid>(
      Axes{frame.Point(c), frame.ax * half.x, frame.ay * half.y, frame.az * half.z}));
  s.colour = colour;
  s.group = group;
  return s;
}

Shape& AddBlock(Scene& scene, const Xform& frame, Vec3 c, Vec3 half, Rgb colour, int group) {
  auto& s = scene.Add(
      std::make_unique<Box>(Axes{frame.Point(c), frame.ax * half.x, frame.ay * half.y, frame.az * half.z}));
  s.colour = colour;
  s.group = group;
  return s;
}

Shape& AddRod(Scene& scene, Vec3 a, Vec3 b, double ra, double rb, Rgb colour, int group) {
  auto& s = scene.Add(std::make_unique<Capsule>(a, b, ra, rb));
  s.colour = colour;
  s.group = group;
  return s;
}

Shape& AddCone(Scene& scene, const Xform& frame, Vec3 c, double rx, double ry, double h, double topScale,
               Rgb colour, int group) {
  auto& s = scene.Add(
      std::make_unique<Cone>(Axes{frame.Point(c), frame.ax * rx, frame.ay * ry, frame.az * h}, topScale));
  s.colour = colour;
  s.group = group;
  return s;
}

Xform Orient(Vec3 origin, Vec3 axisZ, Vec3 hintX) {
  const Vec3 az = Normalize(axisZ);
  Vec3 ax = hintX - az * Dot(hintX, az);
  if (Length(ax) < 1e-6) ax = Cross(az, std::abs(az.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{0, 1, 0});
  ax = Normalize(ax);
  return {ax, Cross(az, ax), az, origin};
}

Paint Flat(Rgb colour, double shine) {
  return [colour, shine](const Vec3&, bool) { return Surface{colour, shine, false}; };
}

namespace {

Surface HeadSurface(const HeadLook& look, const Vec3& q) {
  using Hair = HeadLook::Hair;
  using Beard = HeadLook::Beard;
  const Rgb dark = look.eyes;
  // Eyes, glasses and the patch.
  for (int s = 0; s < 2; ++s) {
    const double side = s == kRight ? 1 : -1;
    const Vec3 eye{side * 0.36, 0.87, 0.12};
    const double d = Length(q - eye);
    if (look.eyePatch && s == kLeft && d < 0.22) return {Hex(0x101010), 0.1, false};
    if (d < 0.15) return {d < 0.05 && q.x * side < eye.x * side ? Hex(0xffffff) : dark, 0.3, false};
    if (look.glasses && d > 0.18 && d < 0.25) return {Hex(0x202020), 0.6, false};
  }
  if (look.glasses && q.y > 0.8 && std::abs(q.x) < 0.14 && std::abs(q.z - 0.16) < 0.04)
    return {Hex(0x202020), 0.6, false};
  if (look.eyePatch) {
    const Vec3 n = Normalize({-0.5, 0, 1});
    if (std::abs(Dot(q, n) - 0.268) < 0.05) return {Hex(0x101010), 0, false};
  }
  if (look.mask) {
    const bool slit = q.y > 0.3 && q.z > -0.02 && q.z < 0.3;
    if (!slit) return {look.maskColour, 0.1, false};
    return {look.skin, 0, false};
  }
  const bool mouth = q.y > 0.6 && std::abs(q.x) < 0.2 && q.z > -0.5 && q.z < -0.4;
  // Beard and moustache.
  if (look.beardStyle == Beard::kFull || look.beardStyle == Beard::kLong) {
    const double line = -0.12 - 0.12 * Clamp01(q.y);
    if (q.y > -0.3 && q.z < line && !mouth) return {look.beard, 0, false};
  }
  if (look.beardStyle != Beard::kNone && q.y > 0.55 && std::abs(q.x) < 0.4 && q.z > -0.4 && q.z < -0.24)
    return {look.beard, 0, false};
  if (mouth) return {Hex(0x8a3a30), 0, false};
  // Hair.
  switch (look.hairStyle) {
    case Hair::kNone:
      break;
    case Hair::kBald:
      if (std::abs(q.x) > 0.65 && q.z > -0.25 && q.z < 0.3 && q.y < 0.3) return {look.hair, 0, false};
      if (q.y < -0.4 && q.z > -0.4 && q.z < 0.2) return {look.hair, 0, false};
      break;
    default: {
      const double front = look.hairStyle == Hair::kWild ? 0.3 : 0.45;
      const double back = look.hairStyle == Hair::kShort ? -0.5 : -0.95;
      const double line = Lerp(back, front, SmoothStep(-0.4, 0.3, q.y));
      if (q.z > line) return {look.hair, 0.05, false};
    }
  }
  return {look.skin, 0, false};
}

}  // namespace

void AddHead(Scene& scene, const Rig& rig, const HeadLook& look) {
  const double r = rig.headRadius;
  AddRod(scene, rig.neck - Vec3{0, 0, 2}, rig.skull.Point({0, -0.5, -r * 0.5}), 2.7, 2.6, look.skin, 3);
  auto& head = AddBall(scene, rig.skull, {}, {r, r * 1.02, r * 1.05}, look.skin, 3);
  head.paint = [look](const Vec3& q, bool) { return HeadSurface(look, q); };
  if (!look.mask)
    AddBall(scene, rig.skull, {0, r * 0.95, -r * 0.12}, {r * 0.16, r * 0.2, r * 0.2}, look.skin, 3);
  using Hair = HeadLook::Hair;
  if (look.hairStyle == Hair::kLong) {
    // Hair falling down the back to the shoulders.
    AddBall(scene, rig.skull, {0, -r * 0.35, -r * 0.55}, {r * 0.95, r * 0.7, r * 1.1}, look.hair, 3);
  } else if (look.hairStyle == Hair::kWild) {
    AddBall(scene, rig.skull, {0, -r * 0.25, r * 0.2}, {r * 1.15, r * 1.0, r * 1.05}, look.hair, 3).paint =
        [hair = look.hair](const Vec3& q, bool) {
          const double n = 0.85 + 0.15 * std::sin(q.x * 17) * std::sin(q.z * 13 + q.y * 7);
          return Surface{hair * n, 0, false};
        };
  }
  if (look.beardStyle == HeadLook::Beard::kLong) {
    AddBall(scene, rig.skull, {0, r * 0.55, -r * 1.05}, {r * 0.8, r * 0.55, r * 0.9}, look.beard, 3);
  } else if (look.beardStyle == HeadLook::Beard::kFull) {
    AddBall(scene, rig.skull, {0, r * 0.5, -r * 0.72}, {r * 0.78, r * 0.55, r * 0.55}, look.beard, 3);
  }
}

void AddLegs(Scene& scene, const Rig& rig, Rgb thigh, Rgb shin, Rgb boot) {
  const double h = rig.build.height;
  for (int s = 0; s < 2; ++s) {
    const int group = s == kLeft ? 1 : 7;
    AddRod(scene, rig.hip[s], rig.knee[s], 3.5 * rig.build.girth, 2.9, thigh, group);
    AddRod(scene, rig.knee[s], rig.ankle[s], 2.8, 2.2, shin, group);
    AddRod(scene, rig.ankle[s], Lerp(rig.ankle[s], rig.knee[s], 0.35), 2.55, 2.7 * h, boot, group);
    const Xform foot = Translation(rig.ankle[s]);
    AddBall(scene, foot, {0, 1.7, -0.9}, {2.5, 4.2, 2.1}, boot, group);
  }
}

void AddTorso(Scene& scene, const Rig& rig, const Paint& chest, const Paint& belly) {
  const Build& b = rig.build;
  auto& top = AddBall(scene, rig.torso, {0, 0, 11.5 * b.height},
                      {8.4 * b.girth * b.shoulders, 5.4, 8.0 * b.height}, Rgb{}, 2);
  top.paint = chest;
  auto& low = AddBall(scene, rig.torso, {0, 0.4 * b.belly, 3.0 * b.height},
                      {7.6 * b.girth, 5.0 * b.belly, 6.2 * b.height}, Rgb{}, 2);
  low.paint = belly;
}

void AddArm(Scene& scene, const Rig& rig, Side side, Rgb upper, Rgb lower, Rgb hand) {
  const int group = side == kLeft ? 4 : 5;
  AddBall(scene, Translation(rig.shoulder[side]), {}, {3.3, 3.3, 3.3}, upper, group);
  AddRod(scene, rig.shoulder[side], rig.elbow[side], 2.8, 2.4, upper, group);
  AddRod(scene, rig.elbow[side], rig.hand[side], 2.4, 2.0, lower, group);
  AddBall(scene, Translation(rig.hand[side]), {}, {2.4, 2.4, 2.4}, hand, group);
}

Shape& AddSkirt(Scene& scene, const Rig& rig, double top, double hem, double flare, Rgb colour, int group) {
  const double waist = 7.8 * rig.build.girth;
  const double base = hem - rig.pelvis.z;
  return AddCone(scene, rig.hips, {0, 0.3, base}, flare, flare * 0.85, top - hem, waist / flare, colour,
                 group);
}
