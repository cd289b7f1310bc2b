#pragma once
#include <cmath>

#include "Vec3.h"

// Small helpers shared by the unit figure builders for painting cloth.

// Position around a cone's or ellipsoid's vertical axis: 1 straight ahead, -1 behind.
inline double FrontOf(const Vec3& q) {
  const double r = std::sqrt(q.x * q.x + q.y * q.y);
  return r > 1e-9 ? q.y / r : 0;
}
// Angle around the vertical axis, 0 at the figure's right, turning forward.
inline double AngleOf(const Vec3& q) { return std::atan2(q.y, q.x); }
// A horizontal band between two heights.
inline bool Band(const Vec3& q, double lo, double hi) { return q.z > lo && q.z < hi; }
// A buckle at the front of a band.
inline bool Buckle(const Vec3& q, double lo, double hi) {
  return q.z > lo - 0.05 && q.z < hi + 0.05 && q.y > 0.85 && std::abs(q.x) < 0.22;
}
inline double Frac(double v) { return v - std::floor(v); }
