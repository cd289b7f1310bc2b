#include "UnitSheets.h"

#include <cmath>

namespace {

constexpr double kFigureScale = 1.15;
constexpr int kSupersample = 2;

// A soft ground shadow, stretched along the facing as the figure falls.
void DrawShadow(Image& frame, const Camera& cam, const Pose& pose, int direction) {
  const Vec3 f = FacingVector(direction), r{-f.y, f.x, 0};
  const Vec3 centre = r * pose.shift.x + f * pose.shift.y;
  const double along = 11 + 22 * pose.fall, across = 11 + 2 * pose.fall;
  Painter cr(frame);
  for (int ring = 0; ring < 3; ++ring) {
    const double grow = 1.0 + 0.18 * (2 - ring);
    for (int i = 0; i < 48; ++i) {
      const double t = 2 * kPi * i / 48;
      const Vec3 p = centre + f * (std::cos(t) * along * grow) + r * (std::sin(t) * across * grow);
      const double x = cam.originX + cam.scale * p.x, y = cam.originY + cam.scale * p.y * View::kSin;
      if (i == 0)
        cairo_move_to(cr, x, y);
      else
        cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.13);
    cairo_fill(cr);
  }
}

void DrawGlows(Image& frame, const Camera& cam, const Xform& placement, const std::vector<Glow>& glows) {
  Painter cr(frame);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  for (const Glow& g : glows) {
    const Vec3 p = placement.Point(g.at);
    const double x = cam.originX + cam.scale * View::ScreenX(p),
                 y = cam.originY + cam.scale * View::ScreenY(p);
    const double rad = g.radius * cam.scale;
    cairo_pattern_t* pat = cairo_pattern_create_radial(x, y, 0, x, y, rad);
    cairo_pattern_add_color_stop_rgba(pat, 0, g.colour.r, g.colour.g, g.colour.b, g.strength);
    cairo_pattern_add_color_stop_rgba(pat, 0.4, g.colour.r, g.colour.g, g.colour.b, g.strength * 0.45);
    cairo_pattern_add_color_stop_rgba(pat, 1, g.colour.r, g.colour.g, g.colour.b, 0);
    cairo_set_source(cr, pat);
    cairo_arc(cr, x, y, rad, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
  }
}

Pose Blend(const Pose& a, const Pose& b, double t) {
  Pose p = b;
  for (int s = 0; s < 2; ++s) {
    p.hand[s] = Lerp(a.hand[s], b.hand[s], t);
    p.foot[s] = Lerp(a.foot[s], b.foot[s], t);
  }
  p.weaponDir = Lerp(Normalize(a.weaponDir), Normalize(b.weaponDir), t);
  p.lean = Lerp(a.lean, b.lean, t);
  p.twist = Lerp(a.twist, b.twist, t);
  p.bob = Lerp(a.bob, b.bob, t);
  return p;
}

// The swept band the weapon leaves as it swings from the previous frame's
// pose into this one, drawn faintly under the figure.
void DrawSwingTrail(Image& frame, const Camera& cam, const UnitType& type, int direction, int k) {
  double strength = 0;
  if (type.style == AttackStyle::kSlash || type.style == AttackStyle::kHeavy) {
    static const double kStrength[8] = {0, 0, 0, 0.35, 0.7, 0.45, 0, 0};
    strength = kStrength[k];
  } else if (type.style == AttackStyle::kStab) {
    static const double kStrength[8] = {0, 0, 0, 0.45, 0.6, 0, 0, 0};
    strength = kStrength[k];
  }
  if (strength <= 0 || type.reach <= 0) return;
  const Pose from = MakePose(State::kAttack, k - 1, type.style, type.stance);
  const Pose to = MakePose(State::kAttack, k, type.style, type.stance);
  const Xform placement = FigurePlacement(to, direction);
  const int steps = 10;
  double tip[steps + 1][2], root[steps + 1][2];
  for (int i = 0; i <= steps; ++i) {
    const Pose p = Blend(from, to, static_cast<double>(i) / steps);
    const Rig rig = PoseRig(p, type.build);
    const Vec3 dir = Normalize(rig.weaponDir);
    const Vec3 a = placement.Point(rig.hand[kRight] + dir * type.reach);
    const Vec3 b = placement.Point(rig.hand[kRight] + dir * (type.reach * 0.5));
    tip[i][0] = cam.originX + cam.scale * View::ScreenX(a);
    tip[i][1] = cam.originY + cam.scale * View::ScreenY(a);
    root[i][0] = cam.originX + cam.scale * View::ScreenX(b);
    root[i][1] = cam.originY + cam.scale * View::ScreenY(b);
  }
  Painter cr(frame);
  for (int i = 1; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    cairo_move_to(cr, root[i - 1][0], root[i - 1][1]);
    cairo_line_to(cr, tip[i - 1][0], tip[i - 1][1]);
    cairo_line_to(cr, tip[i][0], tip[i][1]);
    cairo_line_to(cr, root[i][0], root[i][1]);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 0.92, 0.96, 1.0, strength * t * t);
    cairo_fill(cr);
  }
}

}  // namespace

Vec3 FeetPixel(int frameSize) { return frameSize == 128 ? Vec3{64, 106, 0} : Vec3{48, 88, 0}; }

Image RenderUnitFrame(const UnitType& type, State state, int direction, int frame, int frameSize) {
  const Vec3 feet = FeetPixel(frameSize);
  return RenderFigure(type, state, direction, frame, frameSize, frameSize, feet.x, feet.y, kFigureScale);
}

Image RenderFigure(const UnitType& type, State state, int direction, int frame, int width, int height,
                   double feetX, double feetY, double scale) {
  const Pose pose = MakePose(state, frame, type.style, type.stance);
  const Rig rig = PoseRig(pose, type.build);
  Scene scene;
  std::vector<Glow> glows;
  type.figure(scene, rig, pose, glows);
  const Xform placement = FigurePlacement(pose, direction);
  scene.Apply(placement);
  const Camera cam{feetX, feetY, scale, kSupersample};
  Image figure = scene.Render(width, height, cam);
  if (pose.tintAmount > 0) figure.Tint(pose.tint, pose.tintAmount);
  Image out(width, height);
  DrawShadow(out, cam, pose, direction);
  // The swing trail passes behind a figure seen from the back and in front
  // of one seen from the front or side.
  const bool trailInFront = direction >= 2 && direction <= 6;
  if (state == State::kAttack && !trailInFront) DrawSwingTrail(out, cam, type, direction, frame);
  out.Draw(figure, 0, 0);
  if (state == State::kAttack && trailInFront) DrawSwingTrail(out, cam, type, direction, frame);
  DrawGlows(out, cam, placement, glows);
  if (pose.alpha < 1) out.FadeAlpha(pose.alpha);
  return out;
}

Image RenderUnitSheet(const UnitType& type, State state) {
  const int size = type.frameSize[static_cast<int>(state)];
  Image sheet(size * 8, size * 8);
  for (int row = 0; row < 8; ++row) {
    if (state == State::kStopped) {
      // Standing still: every column is the same picture.
      const Image still = RenderUnitFrame(type, state, row, 0, size);
      for (int col = 0; col < 8; ++col) sheet.Place(still, col * size, row * size);
      continue;
    }
    for (int col = 0; col < 8; ++col)
      sheet.Place(RenderUnitFrame(type, state, row, col, size), col * size, row * size);
  }
  return sheet;
}
