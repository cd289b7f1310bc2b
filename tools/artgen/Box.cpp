#include "Box.h"

void Box::Bounds(Vec3& centre, double& radius) const {
  centre = axes_.centre;
  radius = std::sqrt(Dot(axes_.a, axes_.a) + Dot(axes_.b, axes_.b) + Dot(axes_.c, axes_.c));
}

void Box::Crossings(const Vec3& origin, const Vec3& dir, std::vector<Hit>& out) const {
  const Vec3 o = axes_.ToLocal(origin), d = axes_.DirToLocal(dir);
  const double os[3] = {o.x, o.y, o.z}, ds[3] = {d.x, d.y, d.z};
  double tNear = -1e30, tFar = 1e30;
  int axisNear = 0, axisFar = 0;
  for (int i = 0; i < 3; ++i) {
    if (std::abs(ds[i]) < 1e-12) {
      if (os[i] < -1 || os[i] > 1) return;
      continue;
    }
    double t0 = (-1 - os[i]) / ds[i], t1 = (1 - os[i]) / ds[i];
    if (t0 > t1) std::swap(t0, t1);
    if (t0 > tNear) tNear = t0, axisNear = i;
    if (t1 < tFar) tFar = t1, axisFar = i;
  }
  if (tNear > tFar) return;
  auto hitAt = [&](double t, int axis) {
    const Vec3 q = o + d * t;
    const double qs[3] = {q.x, q.y, q.z};
    Vec3 g;
    (axis == 0 ? g.x : axis == 1 ? g.y : g.z) = qs[axis] > 0 ? 1 : -1;
    out.push_back({t, axes_.NormalToWorld(g), q, false});
  };
  hitAt(tNear, axisNear);
  hitAt(tFar, axisFar);
}
