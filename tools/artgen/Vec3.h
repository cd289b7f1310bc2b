#pragma once
#include <algorithm>
#include <cmath>

// A point or direction in the art's 3-D space: x to the right of the screen,
// y along the ground toward the viewer (down the screen), z up.
struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline Vec3 operator*(double k, Vec3 a) { return a * k; }
inline Vec3 operator/(Vec3 a, double k) { return {a.x / k, a.y / k, a.z / k}; }
inline Vec3& operator+=(Vec3& a, Vec3 b) { return a = a + b; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
// The unit vector along a; a zero vector stays zero.
inline Vec3 Normalize(Vec3 a) {
  const double l = Length(a);
  return l > 0 ? a / l : a;
}
inline Vec3 Lerp(Vec3 a, Vec3 b, double t) { return a + (b - a) * t; }
inline double Lerp(double a, double b, double t) { return a + (b - a) * t; }
inline double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
inline double SmoothStep(double e0, double e1, double v) {
  const double t = Clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

constexpr double kPi = 3.14159265358979323846;
inline double Radians(double degrees) { return degrees * kPi / 180.0; }

// A colour with components 0..1 (not premultiplied).
struct Rgb {
  double r = 0, g = 0, b = 0;
};
inline Rgb operator*(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb Mix(Rgb a, Rgb b, double t) { return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)}; }
// 0xRRGGBB as a colour.
constexpr Rgb Hex(unsigned v) {
  return {((v >> 16) & 0xff) / 255.0, ((v >> 8) & 0xff) / 255.0, (v & 0xff) / 255.0};
}

// A rigid motion: rotation (columns ax, ay, az) followed by a translation.
struct Xform {
  Vec3 ax{1, 0, 0}, ay{0, 1, 0}, az{0, 0, 1};
  Vec3 origin;

  Vec3 Direction(Vec3 v) const { return ax * v.x + ay * v.y + az * v.z; }
  Vec3 Point(Vec3 p) const { return origin + Direction(p); }
  // This motion applied after inner: Then(inner)(p) = this(inner(p)).
  Xform Then(const Xform& inner) const {
    return {Direction(inner.ax), Direction(inner.ay), Direction(inner.az), Point(inner.origin)};
  }
};

// Rotation by angle (radians) about the unit axis k (right-handed).
inline Xform Rotation(Vec3 k, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  auto rot = [&](Vec3 v) { return v * c + Cross(k, v) * s + k * (Dot(k, v) * (1 - c)); };
  return {rot({1, 0, 0}), rot({0, 1, 0}), rot({0, 0, 1}), {}};
}
inline Xform Translation(Vec3 t) { return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, t}; }
