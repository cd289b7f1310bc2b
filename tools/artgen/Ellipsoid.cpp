#include "Ellipsoid.h"

void Ellipsoid::Bounds(Vec3& centre, double& radius) const {
  centre = axes_.centre;
  radius = std::max({Length(axes_.a), Length(axes_.b), Length(axes_.c)});
}

void Ellipsoid::Crossings(const Vec3& origin, const Vec3& dir, std::vector<Hit>& out) const {
  const Vec3 o = axes_.ToLocal(origin), d = axes_.DirToLocal(dir);
  double t0, t1;
  if (!SolveQuadratic(Dot(d, d), 2 * Dot(o, d), Dot(o, o) - 1, t0, t1)) return;
  for (double t : {t0, t1}) {
    const Vec3 q = o + d * t;
    out.push_back({t, axes_.NormalToWorld(q), q, false});
  }
}
