#pragma once
#include "Figure.h"

// The six animation sheets of a unit, in file-name order.
enum class State { kAttack, kBeenHit, kOver, kPaused, kRunning, kStopped };
constexpr int kStateCount = 6;
const char* StateName(State state);

// How a figure strikes.
enum class AttackStyle {
  kSlash,  // one-handed overhead swing (sword, cutlass, book, sack)
  kHeavy,  // two-handed overhead smash (claymore, club, katana)
  kStab,   // crouching thrust (dagger)
  kCast,   // raises a staff or sceptre and throws a spell forward
  kShoot,  // aims and shoots a crossbow
};

// Where a figure keeps its hands and items when idle.
struct Stance {
  Vec3 hand[2] = {{-10.5, 2, 25}, {10.5, 3, 25}};
  Vec3 weaponDir{0, 0.5, 0.85};
  Vec3 offDir{0, 0.2, 1};
  bool twoHanded = false;
  bool leftHandBusy = false;  // the left hand holds something and does not swing
};

// The pose of frame 0..7 of an animation.
Pose MakePose(State state, int frame, AttackStyle style, const Stance& stance);
