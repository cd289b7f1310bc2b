#include "Animation.h"

#include <cmath>

const char* StateName(State state) {
  static const char* const kNames[kStateCount] = {"attack", "beenhit", "over",
                                                  "paused", "running", "stopped"};
  return kNames[static_cast<int>(state)];
}

namespace {

// One key of an attack: the right hand and its item, the left hand (used when
// the style moves it), body tilt and turn, the step of the leading (left) foot
// and how deep the figure crouches.
struct Key {
  Vec3 hand;
  Vec3 dir;
  Vec3 left;
  double lean, twist, step, crouch, effect;
};

const Key kSlash[8] = {
    {{9.5, 6, 28}, {0.1, 0.6, 0.8}, {}, 0, 0, 0, 0, -1},
    {{10, 1, 44}, {0.1, -0.1, 1}, {}, -4, -12, 0, 0, -1},
    {{9, -3, 54}, {0.05, -0.85, 0.5}, {}, -8, -25, 0, 0.5, -1},
    {{7, 8, 50}, {0, 0.5, 0.87}, {}, 4, 5, 3, 0.5, -1},
    {{5, 15, 38}, {-0.05, 1, 0.05}, {}, 14, 28, 6, 1.5, -1},
    {{1, 14, 25}, {-0.3, 0.65, -0.7}, {}, 18, 35, 6, 2, -1},
    {{6, 10, 26}, {0.05, 0.8, 0.3}, {}, 9, 15, 3, 1, -1},
    {{9, 7, 27}, {0.1, 0.65, 0.75}, {}, 3, 4, 1, 0, -1},
};

const Key kHeavy[8] = {
    {{4, 8, 28}, {0.1, 0.5, 0.86}, {}, 0, 0, 0, 0, -1},
    {{3, 3, 46}, {0, -0.2, 1}, {}, -5, -10, 0, 0, -1},
    {{2, -3, 57}, {0, -0.95, -0.1}, {}, -10, -15, 0, 0.5, -1},
    {{1, 7, 59}, {0, 0.5, 0.9}, {}, 0, 0, 3, 0.5, -1},
    {{0, 15, 44}, {0, 1, 0.15}, {}, 15, 8, 6, 1.5, -1},
    {{0, 16, 28}, {0, 0.75, -0.65}, {}, 25, 10, 6, 3, -1},
    {{2, 12, 27}, {0, 0.8, 0.3}, {}, 12, 4, 3, 1.5, -1},
    {{3, 9, 28}, {0.05, 0.6, 0.8}, {}, 4, 1, 1, 0, -1},
};

const Key kStab[8] = {
    {{10, 6, 27}, {0.05, 0.9, 0.35}, {-10, 2, 26}, 0, 0, 0, 0, -1},
    {{11, -1, 31}, {0, 0.95, 0.3}, {-9, 6, 28}, -4, -10, 0, 1.5, -1},
    {{11, -6, 33}, {0, 0.95, 0.2}, {-8, 8, 30}, -8, -25, 0, 2.5, -1},
    {{7, 12, 34}, {0, 1, 0.1}, {-9, -2, 28}, 14, 15, 5, 2.5, -1},
    {{4, 21, 33}, {0, 1, 0.05}, {-9, -6, 28}, 24, 30, 8, 3.5, -1},
    {{5, 17, 32}, {0, 1, 0.1}, {-9, -5, 27}, 18, 22, 7, 2.5, -1},
    {{8, 11, 29}, {0, 0.95, 0.25}, {-10, -1, 26}, 9, 10, 3, 1, -1},
    {{10, 7, 27}, {0.05, 0.9, 0.35}, {-10, 1, 26}, 3, 3, 1, 0, -1},
};

const Key kCast[8] = {
    {{10, 4, 30}, {0, 0.08, 1}, {-10.5, 2, 25}, 0, 0, 0, 0, -1},
    {{10, 6, 36}, {0, 0.2, 1}, {-8, 6, 34}, -2, 0, 0, 0, 0.05},
    {{9, 7, 46}, {0, 0.3, 0.95}, {-7, 8, 42}, -5, 0, 0, 0, 0.15},
    {{8, 8, 54}, {0, 0.4, 0.9}, {-6, 10, 48}, -7, 0, 0, 0, 0.3},
    {{6, 14, 46}, {0, 0.9, 0.45}, {-5, 16, 38}, 10, 5, 3, 0.5, 0.45},
    {{7, 13, 40}, {0, 0.7, 0.7}, {-6, 14, 34}, 8, 5, 3, 0.5, 0.62},
    {{9, 8, 34}, {0, 0.3, 0.95}, {-8, 8, 28}, 4, 2, 1, 0, 0.8},
    {{10, 5, 31}, {0, 0.12, 1}, {-10, 3, 25}, 1, 0, 0, 0, 0.95},
};

const Key kShoot[8] = {
    {{7, 5, 30}, {0.05, 1, 0.25}, {}, 0, 0, 0, 0, -1},   {{5, 6, 36}, {0, 1, 0.1}, {}, -1, 0, 1, 0, -1},
    {{3, 6, 39}, {0, 1, 0}, {}, -2, 0, 2, 0.5, -1},      {{3, 6, 39}, {0, 1, 0}, {}, -2, 0, 2, 0.5, 0.12},
    {{3, 4, 40}, {0, 1, 0.25}, {}, -6, -4, 2, 0.5, 0.4}, {{3, 5, 39}, {0, 1, 0.1}, {}, -3, -2, 2, 0.5, 0.65},
    {{5, 5, 35}, {0, 1, 0.15}, {}, -1, 0, 1, 0, 0.9},    {{7, 5, 31}, {0.05, 1, 0.22}, {}, 0, 0, 0, 0, -1},
};

const Key* KeysOf(AttackStyle style) {
  switch (style) {
    case AttackStyle::kSlash:
      return kSlash;
    case AttackStyle::kHeavy:
      return kHeavy;
    case AttackStyle::kStab:
      return kStab;
    case AttackStyle::kCast:
      return kCast;
    case AttackStyle::kShoot:
      return kShoot;
  }
  return kSlash;
}

Pose Idle(const Stance& stance) {
  Pose p;
  p.hand[kLeft] = stance.hand[kLeft];
  p.hand[kRight] = stance.hand[kRight];
  p.weaponDir = stance.weaponDir;
  p.offDir = stance.offDir;
  p.twoHanded = stance.twoHanded;
  return p;
}

Pose Attack(int k, AttackStyle style, const Stance& stance) {
  Pose p = Idle(stance);
  const Key& key = KeysOf(style)[k];
  // The first and last keys ease from and back to the figure's own stance.
  const double own = k == 0 ? 0.6 : k == 7 ? 0.45 : 0.0;
  p.hand[kRight] = Lerp(key.hand, stance.hand[kRight], own);
  p.weaponDir = Lerp(Normalize(key.dir), Normalize(stance.weaponDir), own);
  if (style == AttackStyle::kStab || style == AttackStyle::kCast) {
    if (!stance.leftHandBusy) p.hand[kLeft] = Lerp(key.left, stance.hand[kLeft], own);
  } else if (style == AttackStyle::kShoot) {
    p.hand[kLeft] = p.hand[kRight] + Normalize(p.weaponDir) * 8.5 + Vec3{-1.5, 0, -1.5};
  }
  p.lean = key.lean;
  p.twist = key.twist;
  p.foot[kLeft].y += key.step;
  p.foot[kRight].y -= key.step * 0.3;
  p.bob = -key.crouch;
  p.effect = key.effect;
  return p;
}

Pose Running(int k, const Stance& stance) {
  Pose p = Idle(stance);
  const double phi = 2 * kPi * k / 8, s = std::sin(phi), c = std::cos(phi);
  p.foot[kLeft] = {-4.2, 6.5 * s, 3.2 * std::max(0.0, c)};
  p.foot[kRight] = {4.2, -6.5 * s, 3.2 * std::max(0.0, -c)};
  p.bob = 1.0 * std::cos(2 * phi) - 0.6;
  p.lean = 9;
  p.twist = 8 * s;
  if (!stance.leftHandBusy && !stance.twoHanded) p.hand[kLeft] += Vec3{0, -5 * s, 1.5 * std::abs(s)};
  p.hand[kRight] += Vec3{0, (stance.twoHanded ? 1.5 : 2.5) * s, 0.8 * std::abs(s)};
  if (stance.leftHandBusy) p.hand[kLeft] += Vec3{0, -1.2 * s, 0};
  return p;
}

Pose BeenHit(int k, const Stance& stance) {
  static const double kLean[8] = {-8, -17, -19, -14, -9, -5, -2, 0};
  static const double kBack[8] = {-1, -3, -3.5, -3, -2, -1.2, -0.5, 0};
  static const double kHead[8] = {-10, -18, -15, -10, -6, -3, -1, 0};
  static const double kArms[8] = {0.6, 1, 0.9, 0.6, 0.4, 0.2, 0.1, 0};
  static const double kFlash[8] = {0.65, 0.5, 0.38, 0.25, 0.12, 0, 0, 0};
  Pose p = Idle(stance);
  p.lean = kLean[k];
  p.shift = {0, kBack[k], 0};
  p.headTilt = kHead[k];
  p.hand[kLeft] += Vec3{-2, -2, 5} * kArms[k];
  p.hand[kRight] += Vec3{2, -2, 5} * kArms[k];
  p.bob = -1.5 * kArms[k];
  p.tint = k == 0 ? Rgb{1, 1, 1} : Rgb{1, 0.1, 0.05};
  p.tintAmount = kFlash[k];
  return p;
}

Pose Over(int k, const Stance& stance) {
  static const double kFall[8] = {0, 0.05, 0.2, 0.45, 0.75, 0.95, 1, 1};
  static const double kAlpha[8] = {1, 1, 1, 0.95, 0.85, 0.65, 0.45, 0.25};
  static const double kFlash[8] = {0.6, 0.35, 0.15, 0, 0, 0, 0, 0};
  Pose p = Idle(stance);
  p.fall = kFall[k];
  p.alpha = kAlpha[k];
  p.tint = {1, 0.1, 0.05};
  p.tintAmount = kFlash[k];
  const double limp = std::min(1.0, k / 3.0);
  p.lean = -10 * limp;
  p.headTilt = -20 * limp;
  p.bob = -2.5 * std::min(1.0, k / 2.0) * (1 - p.fall);
  p.hand[kLeft] += Vec3{-4, -2, 6} * limp;
  p.hand[kRight] += Vec3{4, -2, 6} * limp;
  p.foot[kLeft].y += 2 * limp;
  return p;
}

Pose Paused(int k, const Stance& stance) {
  Pose p = Idle(stance);
  const double breath = 0.5 - 0.5 * std::cos(2 * kPi * k / 8);
  p.breath = breath;
  p.bob = -0.3 * breath;
  p.headTilt = 2 * breath;
  p.hand[kLeft].z += 0.5 * breath;
  p.hand[kRight].z += 0.5 * breath;
  return p;
}

}  // namespace

Pose MakePose(State state, int frame, AttackStyle style, const Stance& stance) {
  switch (state) {
    case State::kAttack:
      return Attack(frame, style, stance);
    case State::kBeenHit:
      return BeenHit(frame, stance);
    case State::kOver:
      return Over(frame, stance);
    case State::kPaused:
      return Paused(frame, stance);
    case State::kRunning:
      return Running(frame, stance);
    case State::kStopped:
      return Idle(stance);
  }
  return Idle(stance);
}
