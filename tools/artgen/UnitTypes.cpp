#include "Units.h"

namespace {

Stance OneHand(Vec3 hand, Vec3 dir) {
  Stance st;
  st.hand[kRight] = hand;
  st.weaponDir = dir;
  return st;
}

Stance TwoHands(Vec3 grip, Vec3 dir) {
  Stance st = OneHand(grip, dir);
  st.twoHanded = true;
  return st;
}

Stance WithLeft(Stance st, Vec3 hand, Vec3 dir) {
  st.hand[kLeft] = hand;
  st.offDir = dir;
  st.leftHandBusy = true;
  return st;
}

Build Body(double girth, double belly, double height, double shoulders, double head) {
  return {girth, belly, height, shoulders, head};
}

}  // namespace

// Frame sizes are listed as attack, beenhit, over, paused, running, stopped.
const std::vector<UnitType>& UnitTypes() {
  static const std::vector<UnitType> kTypes = {
      {"BlackNinja",
       AttackStyle::kHeavy,
       TwoHands({3, 8, 28}, {0.2, 0.55, 0.8}),
       Body(0.92, 0.9, 1, 0.95, 1),
       DrawBlackNinja,
       {96, 96, 128, 96, 96, 96},
       26},
      {"GreenKnight",
       AttackStyle::kSlash,
       WithLeft(OneHand({10, 6, 27}, {0.1, 0.55, 0.83}), {-8.5, 7, 28}, {-0.3, 1, 0}),
       Body(1, 1, 1, 1, 1),
       DrawGreenKnight,
       {96, 96, 128, 96, 96, 96},
       23},
      {"Horst",
       AttackStyle::kHeavy,
       TwoHands({4, 8, 28}, {0.15, 0.5, 0.85}),
       Body(1.08, 1.05, 1, 1.1, 1),
       DrawHorst,
       {128, 96, 128, 96, 128, 96},
       31},
      {"JohnDoe",
       AttackStyle::kSlash,
       OneHand({8.5, -1, 42}, {0.15, -0.6, -0.78}),
       Body(1.22, 1.5, 0.97, 1.05, 1.05),
       DrawJohnDoe,
       {96, 96, 128, 96, 96, 96},
       14},
      {"Nobeard",
       AttackStyle::kSlash,
       WithLeft(OneHand({10, 6, 27}, {0.15, 0.65, 0.7}), {-9.5, -1, 28}, {0, 0, 1}),
       Body(1, 1.05, 1, 1, 1),
       DrawNobeard,
       {96, 96, 96, 96, 96, 96},
       20},
      {"Professor",
       AttackStyle::kSlash,
       OneHand({7, 8, 33}, {0, 0.2, 1}),
       Body(0.95, 1.1, 1, 0.95, 1.05),
       DrawProfessor,
       {96, 96, 96, 96, 96, 96},
       9},
      {"Queen",
       AttackStyle::kCast,
       OneHand({9, 6, 30}, {0.1, 0.35, 0.93}),
       Body(0.86, 0.9, 1.02, 0.9, 1),
       DrawQueen,
       {96, 96, 128, 96, 96, 96},
       0},
      {"RedArcher",
       AttackStyle::kShoot,
       WithLeft(OneHand({7, 5, 30}, {0.05, 1, 0.25}), {6, 13, 30.5}, {0, 1, 0}),
       Body(1, 1, 1, 1, 1),
       DrawRedArcher,
       {96, 96, 128, 96, 96, 96},
       0},
      {"Thief",
       AttackStyle::kStab,
       WithLeft(OneHand({10, 6, 27}, {0.05, 0.9, 0.35}), {-10.5, 2, 25}, {0, 0.1, -1}),
       Body(0.92, 0.95, 0.98, 0.95, 1),
       DrawThief,
       {96, 96, 128, 96, 96, 96},
       12},
      {"Trappercaveman",
       AttackStyle::kHeavy,
       TwoHands({5, 6, 30}, {0.1, -0.3, 0.95}),
       Body(1.15, 1.1, 0.95, 1.15, 1.05),
       DrawTrappercaveman,
       {128, 96, 128, 96, 96, 96},
       20},
      {"WhiteMage",
       AttackStyle::kCast,
       OneHand({10, 4, 30}, {0, 0.08, 1}),
       Body(0.95, 1, 1, 0.95, 1),
       DrawWhiteMage,
       {96, 96, 128, 96, 96, 96},
       0},
  };
  return kTypes;
}
