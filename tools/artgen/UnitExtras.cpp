#include "UnitExtras.h"

#include <cmath>

#include "Figure.h"
#include "Noise.h"
#include "Props.h"

namespace {

void Glow(cairo_t* cr, double x, double y, double r, Rgb c, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
  cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, x, y, r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Sparkle(cairo_t* cr, double x, double y, double r, Rgb c, double alpha) {
  SetColour(cr, c, alpha);
  cairo_move_to(cr, x - r, y);
  cairo_line_to(cr, x, y - r * 0.25);
  cairo_line_to(cr, x + r, y);
  cairo_line_to(cr, x, y + r * 0.25);
  cairo_close_path(cr);
  cairo_move_to(cr, x, y - r);
  cairo_line_to(cr, x + r * 0.25, y);
  cairo_line_to(cr, x, y + r);
  cairo_line_to(cr, x - r * 0.25, y);
  cairo_close_path(cr);
  cairo_fill(cr);
}

}  // namespace

Image DrawGroundFlow() {
  constexpr int w = 64, h = 96;
  Image sheet(w * 8, h * 8);
  const Rgb gold = Hex(0xffd060);
  for (int d = 0; d < 8; ++d) {
    for (int k = 0; k < 8; ++k) {
      Image frame(w, h);
      {
        Painter cr(frame);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        const double t = k / 8.0, pulse = 0.75 + 0.25 * std::sin(2 * kPi * t);
        const double cx = 32, cy = 80;
        // Pillar of light.
        cairo_pattern_t* p = cairo_pattern_create_linear(0, cy, 0, 6);
        cairo_pattern_add_color_stop_rgba(p, 0, gold.r, gold.g, gold.b, 0.55 * pulse);
        cairo_pattern_add_color_stop_rgba(p, 1, gold.r, gold.g, gold.b, 0);
        cairo_set_source(cr, p);
        cairo_move_to(cr, cx - 20, cy);
        cairo_line_to(cr, cx - 12, 6);
        cairo_line_to(cr, cx + 12, 6);
        cairo_line_to(cr, cx + 20, cy);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        // The rune circle on the ground, turned by the facing and the frame.
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, 1, 0.5);
        cairo_set_line_width(cr, 2.2);
        SetColour(cr, gold, 0.9 * pulse);
        cairo_arc(cr, 0, 0, 24, 0, 2 * kPi);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 1.2);
        cairo_arc(cr, 0, 0, 18, 0, 2 * kPi);
        cairo_stroke(cr);
        for (int i = 0; i < 8; ++i) {
          const double a = (i + d) * kPi / 4 + t * kPi / 4;
          cairo_move_to(cr, std::cos(a) * 18, std::sin(a) * 18);
          cairo_line_to(cr, std::cos(a + 0.3) * 24, std::sin(a + 0.3) * 24);
        }
        cairo_stroke(cr);
        cairo_restore(cr);
        Glow(cr, cx, cy, 26, gold, 0.45 * pulse);
        // Motes rising and fading.
        Random rnd(500 + d);
        for (int i = 0; i < 10; ++i) {
          const double x0 = rnd.Uniform(-18, 18), speed = rnd.Uniform(40, 70), phase = rnd.Uniform(0, 1);
          const double u = std::fmod(t + phase, 1.0);
          Sparkle(cr, cx + x0 * (1 - u * 0.4), cy - u * speed, 1.5 + 1.5 * (1 - u), Hex(0xfff4c0), 1 - u);
        }
      }
      sheet.Place(frame, k * w, d * h);
    }
  }
  return sheet;
}

Image DrawBoltFlight() {
  constexpr int w = 32, h = 64;
  Image sheet(w * 8, h * 8);
  for (int d = 0; d < 8; ++d) {
    const Vec3 f = FacingVector(d);
    for (int k = 0; k < 8; ++k) {
      Image frame(w, h);
      const double cx = 16, cy = 36;
      {
        // Motion streak behind the bolt.
        Painter cr(frame);
        const Vec3 tail = f * -14.0, back = f * -30.0;
        cairo_pattern_t* p = cairo_pattern_create_linear(cx + tail.x, cy + tail.y * View::kSin - 10,
                                                         cx + back.x, cy + back.y * View::kSin - 10);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.5 + 0.1 * (k % 2));
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
        cairo_set_source(cr, p);
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, cx + tail.x, cy + tail.y * View::kSin - 10);
        cairo_line_to(cr, cx + back.x, cy + back.y * View::kSin - 10);
        cairo_stroke(cr);
        cairo_pattern_destroy(p);
      }
      Scene scene;
      const Vec3 origin = Vec3{0, 0, 11.5} - f * 9.0;
      AddBolt(scene, origin, f, 16, 1);
      // Vanes spinning round the shaft.
      Vec3 side = Normalize(Cross(f, {0, 0, 1}));
      const double spin = k * kPi / 8;
      const Vec3 vane = side * std::cos(spin) + Vec3{0, 0, 1} * std::sin(spin);
      const Xform vf = Orient(origin + f * 2.5, f, vane);
      AddBlock(scene, vf, {}, {2.0, 0.2, 2.2}, Hex(0xe02828), 2);
      const Xform vf2 = Orient(origin + f * 2.5, f, Cross(f, vane));
      AddBlock(scene, vf2, {}, {2.0, 0.2, 2.2}, Hex(0xf0ece0), 3);
      frame.Draw(scene.Render(w, h, Camera{cx, cy, 1.0, 3}), 0, 0);
      {
        Painter cr(frame);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, 1, 0.5);
        cairo_arc(cr, 0, 0, 4, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
        cairo_fill(cr);
      }
      sheet.Place(frame, k * w, d * h);
    }
  }
  return sheet;
}

Image DrawWaterMagic() {
  constexpr int w = 64, h = 64;
  Image sheet(w * 8, h * 8);
  for (int d = 0; d < 8; ++d) {
    const Vec3 f = FacingVector(d);
    for (int k = 0; k < 8; ++k) {
      const double t = (k + 0.5) / 8;
      Image frame(w, h);
      const double cx = 32, cy = 50;
      {
        // Ring wave on the ground.
        Painter cr(frame);
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, 1, 0.5);
        cairo_set_line_width(cr, 2.5 * (1 - t) + 0.5);
        cairo_set_source_rgba(cr, 0.75, 0.9, 1, 0.9 * (1 - t));
        cairo_arc(cr, 0, 0, 6 + 22 * t, 0, 2 * kPi);
        cairo_stroke(cr);
        cairo_restore(cr);
      }
      Scene scene;
      // A rising column of water, then falling droplets thrown toward the facing.
      const double column = 26 * std::sin(kPi * std::min(1.0, t * 1.4));
      if (column > 1) {
        auto& jet = AddCone(scene, Xform{}, {}, 5, 5, column, 0.35, Hex(0x4aa0ff), 1);
        jet.paint = [](const Vec3& q, bool) {
          const double swirl = 0.5 + 0.5 * std::sin(std::atan2(q.y, q.x) * 3 + q.z * 9);
          return Surface{Mix(Hex(0x3a88e8), Hex(0xe0f4ff), swirl), 0, true};
        };
        AddBall(scene, Translation({0, 0, column}), {}, {4, 4, 4}, Hex(0xd8f0ff), 2).paint = [](const Vec3&,
                                                                                                bool) {
          return Surface{Hex(0xe8f8ff), 0, true};
        };
      }
      Random rnd(700 + d);
      for (int i = 0; i < 12; ++i) {
        const double a = rnd.Uniform(-1.2, 1.2), speed = rnd.Uniform(10, 22), up = rnd.Uniform(18, 30);
        const Vec3 dir = Normalize(f * std::cos(a) + Vec3{-f.y, f.x, 0} * std::sin(a));
        const double u = t * 1.3;
        const Vec3 p = dir * (speed * u) + Vec3{0, 0, std::max(0.0, up * u - 26 * u * u) + 2};
        const double r = rnd.Uniform(1.8, 3.2) * (1 - t * 0.5);
        AddBall(scene, Translation(p), {}, {r, r, r * 1.2}, Hex(0x6ab8ff), 10 + i).paint = [](const Vec3& q,
                                                                                              bool) {
          return Surface{Mix(Hex(0x4a98f0), Hex(0xf0faff), Clamp01(0.5 - q.x * 0.4 + q.z * 0.4)), 0, true};
        };
      }
      frame.Draw(scene.Render(w, h, Camera{cx, cy, 1.0, 2}), 0, 0);
      sheet.Place(frame, k * w, d * h);
    }
  }
  return sheet;
}
