#include "Shape.h"

#include <algorithm>

bool Shape::Intersect(const Vec3& origin, const Vec3& dir, Hit& hit) const {
  thread_local std::vector<Hit> hits;
  hits.clear();
  Crossings(origin, dir, hits);
  std::sort(hits.begin(), hits.end(), [](const Hit& l, const Hit& r) { return l.s < r.s; });
  for (const Hit& h : hits) {
    if (h.s <= 0) continue;
    if (cut && cut(h.local)) continue;
    hit = h;
    if (Dot(hit.normal, dir) > 0) {
      hit.normal = -hit.normal;
      hit.inside = true;
    }
    return true;
  }
  return false;
}

Surface Shape::Shade(const Hit& hit) const {
  if (paint) return paint(hit.local, hit.inside);
  return {colour, shine, false};
}

int SolveQuadratic(double a, double b, double c, double& t0, double& t1) {
  if (std::abs(a) < 1e-12) {
    if (std::abs(b) < 1e-12) return 0;
    t0 = t1 = -c / b;
    return 2;
  }
  const double disc = b * b - 4 * a * c;
  if (disc < 0) return 0;
  const double q = -0.5 * (b + (b >= 0 ? std::sqrt(disc) : -std::sqrt(disc)));
  t0 = q / a;
  t1 = q != 0 ? c / q : t0;
  if (t0 > t1) std::swap(t0, t1);
  return 2;
}
