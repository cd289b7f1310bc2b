#pragma once
#include "Figure.h"

// Items held by figures, built in figure coordinates from the holding hand
// and the item's direction. Groups: 20 right-hand item, 21 left-hand item.

constexpr Rgb kSteel = Hex(0xc4ccd6);
constexpr Rgb kGold = Hex(0xe2b23a);
constexpr Rgb kWood = Hex(0x7a4e28);
constexpr Rgb kLeather = Hex(0x5e3b1e);

// A straight sword: grip, cross guard and pointed blade.
void AddSword(Scene& scene, Vec3 hand, Vec3 dir, double bladeLength, double bladeWidth, Rgb guard,
              int group = 20);
// A slightly curved single-edged blade with a round guard and long grip.
void AddKatana(Scene& scene, Vec3 hand, Vec3 dir, int group = 20);
// A broad curved blade with a brass basket guard.
void AddCutlass(Scene& scene, Vec3 hand, Vec3 dir, int group = 20);
void AddDagger(Scene& scene, Vec3 hand, Vec3 dir, int group = 20);
// A knobbly wooden club.
void AddClub(Scene& scene, Vec3 hand, Vec3 dir, int group = 20);
// A long staff with an orb; glow 0..1 lights the orb.
void AddStaff(Scene& scene, Vec3 hand, Vec3 dir, double glow, int group = 20);
// A short golden sceptre with a gem.
void AddSceptre(Scene& scene, Vec3 hand, Vec3 dir, double glow, int group = 20);
// A crossbow aimed along dir held at the trigger; loaded shows the bolt in place.
void AddCrossbow(Scene& scene, Vec3 hand, Vec3 dir, bool loaded, int group = 20);
// A crossbow bolt from tail to tip.
void AddBolt(Scene& scene, Vec3 tail, Vec3 dir, double length, int group = 22);
// A kite shield on the hand facing outward along normal, with a cross emblem.
void AddShield(Scene& scene, Vec3 hand, Vec3 normal, Rgb field, Rgb emblem, int group = 21);
// A closed book held by its spine edge.
void AddBook(Scene& scene, Vec3 hand, Vec3 dir, Rgb cover, int group = 20);
// A tied sack hanging from the hand along dir; size scales it.
void AddSack(Scene& scene, Vec3 hand, Vec3 dir, double size, Rgb cloth, int group = 20);
