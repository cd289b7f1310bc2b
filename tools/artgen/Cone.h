#pragma once
#include "Shape.h"

// A capped cone frustum with elliptic cross-section: the base ellipse at
// axes.centre spans half-axes a and b; the axis runs along c (full length)
// and the top ellipse is the base scaled by topScale. Local coordinates: x, y
// in units of a and b (|(x, y)| = 1 at the base rim), z from 0 (base) to 1 (top).
class Cone : public Shape {
 public:
  Cone(const Axes& axes, double topScale) : axes_(axes), top_(topScale) {}
  void Bounds(Vec3& centre, double& radius) const override;
  void Apply(const Xform& x) override { axes_.Apply(x); }

 protected:
  void Crossings(const Vec3& origin, const Vec3& dir, std::vector<Hit>& out) const override;

 private:
  Axes axes_;
  double top_;
};
