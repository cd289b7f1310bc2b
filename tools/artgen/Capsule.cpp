#include "Capsule.h"

void Capsule::Bounds(Vec3& centre, double& radius) const {
  centre = (a_ + b_) * 0.5;
  radius = Length(b_ - a_) * 0.5 + std::max(ra_, rb_);
}

namespace {

// Nearest hit of a ray with a sphere, or -1.
double SphereHit(Vec3 o, Vec3 d, Vec3 c, double r) {
  const Vec3 oc = o - c;
  const double b = Dot(oc, d), h = b * b - (Dot(oc, oc) - r * r);
  return h < 0 ? -1 : -b - std::sqrt(h);
}

}  // namespace

// The round cone (sphere-swept tapered segment) intersection of Inigo Quilez,
// which reduces to the plain capsule when both radii are equal.
void Capsule::Crossings(const Vec3& origin, const Vec3& dir, std::vector<Hit>& out) const {
  const Vec3 ba = b_ - a_, oa = origin - a_;
  const double rr = ra_ - rb_, m0 = Dot(ba, ba), m1 = Dot(ba, oa), m2 = Dot(ba, dir), m3 = Dot(dir, oa),
               m5 = Dot(oa, oa);
  const double d2 = m0 - rr * rr;
  const double k2 = d2 - m2 * m2, k1 = d2 * m3 - m1 * m2 + m2 * rr * ra_,
               k0 = d2 * m5 - m1 * m1 + m1 * rr * ra_ * 2 - m0 * ra_ * ra_;
  double best = -1;
  Vec3 normal;
  double along = 0;
  auto consider = [&](double t, Vec3 n, double x) {
    if (t > 0 && (best < 0 || t < best)) best = t, normal = n, along = x;
  };
  const double h = k1 * k1 - k0 * k2;
  if (h >= 0 && std::abs(k2) > 1e-12) {
    const double t = (-std::sqrt(h) - k1) / k2;
    const double y = m1 - ra_ * rr + t * m2;
    if (y > 0 && y < d2) {
      const Vec3 p = origin + dir * t;
      consider(t, Normalize(d2 * (oa + dir * t) - ba * y), Clamp01(Dot(p - a_, ba) / m0));
    }
  }
  if (best < 0) {
    // The side missed: the ray meets one of the end spheres.
    const double ta = SphereHit(origin, dir, a_, ra_), tb = SphereHit(origin, dir, b_, rb_);
    if (ta > 0) consider(ta, Normalize(origin + dir * ta - a_), 0);
    if (tb > 0) consider(tb, Normalize(origin + dir * tb - b_), 1);
  }
  if (best > 0) out.push_back({best, normal, {along, 0, 0}, false});
}
