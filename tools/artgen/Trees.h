#pragma once
#include "Scene.h"

// The kinds of tree the map sheets and the menu picture use.
enum class TreeKind {
  kOak,
  kBroadOak,
  kBirch,
  kPine,
  kFir,
  kPoplar,
  kApple,
  kAutumnOak,
  kRedMaple,
  kYellowBirch,
  kCherry,
  kDead,
  kBush,
  kCypress,
  kWillow,
  kYoung,
  kTwinOak,
  kAncient,
  kSpruce,
};

// Adds a tree standing on the origin (world units; an ordinary tree at size 1
// is some 90 units tall). The seed varies the crown.
void BuildTree(Scene& scene, TreeKind kind, double size, uint32_t seed);
// Radius of the tree's ground shadow at size 1.
double TreeShadowRadius(TreeKind kind);
