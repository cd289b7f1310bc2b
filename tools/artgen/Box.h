#pragma once
#include "Shape.h"

// A box; local coordinates run from -1 to 1 along each half-axis.
class Box : public Shape {
 public:
  explicit Box(const Axes& axes) : axes_(axes) {}
  void Bounds(Vec3& centre, double& radius) const override;
  void Apply(const Xform& x) override { axes_.Apply(x); }

 protected:
  void Crossings(const Vec3& origin, const Vec3& dir, std::vector<Hit>& out) const override;

 private:
  Axes axes_;
};
