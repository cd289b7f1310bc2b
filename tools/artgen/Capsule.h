#pragma once
#include "Shape.h"

// A segment from a to b swept by a sphere whose radius runs from ra at a to rb
// at b (limbs, staves, blades seen edge-on). Local x is the position along the
// segment (0 at a, 1 at b); y and z are 0. Cuts are not supported.
class Capsule : public Shape {
 public:
  Capsule(Vec3 a, Vec3 b, double ra, double rb) : a_(a), b_(b), ra_(ra), rb_(rb) {}
  void Bounds(Vec3& centre, double& radius) const override;
  void Apply(const Xform& x) override {
    a_ = x.Point(a_);
    b_ = x.Point(b_);
  }

 protected:
  void Crossings(const Vec3& origin, const Vec3& dir, std::vector<Hit>& out) const override;

 private:
  Vec3 a_, b_;
  double ra_, rb_;
};
