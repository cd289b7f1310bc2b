#pragma once
#include "Shape.h"

// An ellipsoid; local coordinates are on the unit sphere (x along a, y along
// b, z along c).
class Ellipsoid : public Shape {
 public:
  explicit Ellipsoid(const Axes& axes) : axes_(axes) {}
  void Bounds(Vec3& centre, double& radius) const override;
  void Apply(const Xform& x) override { axes_.Apply(x); }

 protected:
  void Crossings(const Vec3& origin, const Vec3& dir, std::vector<Hit>& out) const override;

 private:
  Axes axes_;
};
