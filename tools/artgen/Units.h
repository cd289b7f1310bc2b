#pragma once
#include <vector>

#include "Animation.h"

// A soft light laid over a unit frame (spells, muzzle flashes), in figure coordinates.
struct Glow {
  Vec3 at;
  double radius;
  Rgb colour;
  double strength;
};

// Adds one posed figure of a unit type to the scene (figure coordinates).
using FigureBuilder = void (*)(Scene& scene, const Rig& rig, const Pose& pose, std::vector<Glow>& glows);

// One unit type's art: its folder, how it fights and idles, its body and the
// frame size (96 or 128) of each state sheet in State order.
struct UnitType {
  const char* folder;
  AttackStyle style;
  Stance stance;
  Build build;
  FigureBuilder figure;
  int frameSize[kStateCount];
  // Distance from the right hand to the weapon's striking end, for the swing
  // trail of close-combat strikes; 0 draws none.
  double reach = 0;
};

// Every unit folder, in the order the game registers them.
const std::vector<UnitType>& UnitTypes();

// The figure builders, one per unit type.
void DrawBlackNinja(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
void DrawGreenKnight(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
void DrawHorst(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
void DrawJohnDoe(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
void DrawNobeard(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
void DrawProfessor(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
void DrawQueen(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
void DrawRedArcher(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
void DrawThief(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
void DrawTrappercaveman(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
void DrawWhiteMage(Scene&, const Rig&, const Pose&, std::vector<Glow>&);
