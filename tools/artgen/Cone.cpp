#include "Cone.h"

void Cone::Bounds(Vec3& centre, double& radius) const {
  centre = axes_.centre + axes_.c * 0.5;
  const double r = std::max(Length(axes_.a), Length(axes_.b)) * std::max(1.0, top_);
  radius = std::sqrt(Dot(axes_.c, axes_.c) * 0.25 + r * r);
}

void Cone::Crossings(const Vec3& origin, const Vec3& dir, std::vector<Hit>& out) const {
  const Vec3 o = axes_.ToLocal(origin), d = axes_.DirToLocal(dir);
  const double k = top_ - 1;
  // Side: x^2 + y^2 = (1 + k z)^2 with 0 <= z <= 1.
  const double a = d.x * d.x + d.y * d.y - k * k * d.z * d.z;
  const double b = 2 * (o.x * d.x + o.y * d.y - k * d.z * (1 + k * o.z));
  const double c = o.x * o.x + o.y * o.y - (1 + k * o.z) * (1 + k * o.z);
  double t0, t1;
  if (SolveQuadratic(a, b, c, t0, t1)) {
    for (double t : {t0, t1}) {
      const Vec3 q = o + d * t;
      if (q.z < 0 || q.z > 1 || 1 + k * q.z < 0) continue;
      out.push_back({t, axes_.NormalToWorld({q.x, q.y, -k * (1 + k * q.z)}), q, false});
    }
  }
  // Caps.
  if (std::abs(d.z) > 1e-12) {
    for (double zc : {0.0, 1.0}) {
      const double t = (zc - o.z) / d.z;
      const Vec3 q = o + d * t;
      const double r = 1 + k * zc;
      if (q.x * q.x + q.y * q.y <= r * r)
        out.push_back({t, axes_.NormalToWorld({0, 0, zc > 0 ? 1.0 : -1.0}), q, false});
    }
  }
}
