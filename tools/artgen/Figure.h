#pragma once
#include "Scene.h"

// Figures are built in their own coordinates: x to the figure's right, y
// forward (where it looks), z up, origin on the ground between the feet. One
// unit is about one pixel; a figure stands some 60 units tall.

enum Side { kLeft = 0, kRight = 1 };

// Everything an animation frame asks of the body.
struct Pose {
  double bob = 0;                              // pelvis height change
  double lean = 0;                             // upper body tilt forward, degrees
  double twist = 0;                            // upper body turn bringing the right shoulder forward, degrees
  double sway = 0;                             // upper body tilt to the figure's right, degrees
  double breath = 0;                           // 0..1, chest rise
  double headTilt = 0;                         // head nod forward, degrees
  Vec3 foot[2] = {{-4.2, 0, 0}, {4.2, 0, 0}};  // ankle positions over the ground; z lifts the foot
  Vec3 hand[2] = {{-10.5, 2, 25}, {10.5, 3, 25}};  // hand targets
  Vec3 weaponDir{0, 0.5, 0.85};                    // direction of the item in the right hand
  Vec3 offDir{0, 0.2, 1};                          // direction of the item in the left hand
  bool twoHanded = false;                          // the left hand holds the right hand's weapon below it
  // Whole body.
  double fall = 0;  // 0 standing .. 1 lying on the back
  Vec3 shift;       // displacement (recoil, lunge)
  // Pictures laid over the frame.
  double alpha = 1;       // opacity
  Rgb tint;               // flash colour
  double tintAmount = 0;  // 0..1
  double effect = -1;     // progress 0..1 of the type's attack effect, -1 none
};

// Body measures that differ between figures.
struct Build {
  double girth = 1;      // width of chest and belly
  double belly = 1;      // depth of the belly
  double height = 1;     // leg and torso length
  double shoulders = 1;  // shoulder width
  double headSize = 1;
};

// Joint positions of a posed figure, in figure coordinates.
struct Rig {
  Build build;
  Vec3 pelvis, chest, neck, head;
  Xform hips;   // at the pelvis: axes of the lower body
  Xform torso;  // at the pelvis: axes of the upper body
  Xform skull;  // at the head centre
  double headRadius = 7.5;
  Vec3 hip[2], knee[2], ankle[2];
  Vec3 shoulder[2], elbow[2], hand[2];
  Vec3 weaponDir, offDir;
};

Rig PoseRig(const Pose& pose, const Build& build);

// The world placement of a figure facing direction d (0 up, 1 up-right ...
// 7 up-left on screen), including falling and recoil from the pose.
Xform FigurePlacement(const Pose& pose, int direction);
// Unit vector on the ground, in world coordinates, of facing d.
Vec3 FacingVector(int direction);

// --- Shape helpers. Frames place sizes along their axes. -------------------

// An ellipsoid centred at c (frame coordinates) with half sizes along the frame axes.
Shape& AddBall(Scene& scene, const Xform& frame, Vec3 c, Vec3 half, Rgb colour, int group);
// A box centred at c with half sizes along the frame axes.
Shape& AddBlock(Scene& scene, const Xform& frame, Vec3 c, Vec3 half, Rgb colour, int group);
// A tapered capsule between two points (figure coordinates).
Shape& AddRod(Scene& scene, Vec3 a, Vec3 b, double ra, double rb, Rgb colour, int group);
// A cone frustum standing on base point c of the frame with radii rx, ry, height h.
Shape& AddCone(Scene& scene, const Xform& frame, Vec3 c, double rx, double ry, double h, double topScale,
               Rgb colour, int group);
// A frame at origin whose z axis points along axisZ and x axis as near to hintX as possible.
Xform Orient(Vec3 origin, Vec3 axisZ, Vec3 hintX);

// --- Body parts. Groups: 1 legs, 2 torso, 3 head, 4 left arm, 5 right arm;
// costume parts use 10 and above. --------------------------------------------

struct HeadLook {
  enum class Hair { kNone, kShort, kLong, kWild, kBald };
  enum class Beard { kNone, kFull, kLong, kMoustache };
  Rgb skin = Hex(0xf0c8a0);
  Rgb hair = Hex(0x5a3a1e);
  Rgb beard = Hex(0x5a3a1e);
  Rgb eyes = Hex(0x1e1e28);
  Hair hairStyle = Hair::kShort;
  Beard beardStyle = Beard::kNone;
  bool eyePatch = false;
  bool glasses = false;
  bool mask = false;  // cloth over the head leaving an eye slit
  Rgb maskColour = Hex(0x18181c);
};

void AddHead(Scene& scene, const Rig& rig, const HeadLook& look);
void AddLegs(Scene& scene, const Rig& rig, Rgb thigh, Rgb shin, Rgb boot);
// Chest and belly; paints get unit-sphere coordinates (x right, y forward, z up).
void AddTorso(Scene& scene, const Rig& rig, const Paint& chest, const Paint& belly);
void AddArm(Scene& scene, const Rig& rig, Side side, Rgb upper, Rgb lower, Rgb hand);
// A skirt or robe from the waist (height of the belly centre + top) down to
// hem above the ground, flaring to the given radius.
Shape& AddSkirt(Scene& scene, const Rig& rig, double top, double hem, double flare, Rgb colour, int group);

// A flat colour paint with a highlight strength.
Paint Flat(Rgb colour, double shine = 0);
