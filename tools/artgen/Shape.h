#pragma once
#include <functional>
#include <vector>

#include "Vec3.h"

// What a surface looks like at one point.
struct Surface {
  Rgb colour;
  double shine = 0;       // strength of the glint of light (metal, glass)
  bool emissive = false;  // glows: drawn at full colour without shading
};

// Colour of a shape at a point given in the shape's own normalised
// coordinates (see each shape); inside is true on the far wall seen through a cut.
using Paint = std::function<Surface(const Vec3& local, bool inside)>;
// True where the shape has a hole (the ray passes on to the far wall).
using Cut = std::function<bool(const Vec3& local)>;

// A ray hit, nearest first along the ray.
struct Hit {
  double s = 0;  // distance along the ray
  Vec3 normal;   // world normal facing the ray's origin side of the surface
  Vec3 local;    // shape-normalised coordinates
  bool inside = false;
};

// Centre plus three orthogonal half-axis vectors: the placement of ellipsoids,
// boxes and cones. Local coordinates are measured in units of each axis.
struct Axes {
  Vec3 centre, a, b, c;

  Vec3 ToLocal(Vec3 p) const {
    const Vec3 q = p - centre;
    return {Dot(q, a) / Dot(a, a), Dot(q, b) / Dot(b, b), Dot(q, c) / Dot(c, c)};
  }
  Vec3 DirToLocal(Vec3 d) const {
    return {Dot(d, a) / Dot(a, a), Dot(d, b) / Dot(b, b), Dot(d, c) / Dot(c, c)};
  }
  // The world normal of a surface with local gradient g.
  Vec3 NormalToWorld(Vec3 g) const {
    return Normalize(a * (g.x / Dot(a, a)) + b * (g.y / Dot(b, b)) + c * (g.z / Dot(c, c)));
  }
  void Apply(const Xform& x) {
    centre = x.Point(centre);
    a = x.Direction(a);
    b = x.Direction(b);
    c = x.Direction(c);
  }
};

// A solid drawn by the ray caster. Subclasses list where a ray enters and
// leaves them; the base class skips cut-away hits.
class Shape {
 public:
  Shape() = default;
  virtual ~Shape() = default;
  Shape(const Shape&) = delete;
  Shape& operator=(const Shape&) = delete;

  // The first uncut hit of the ray origin + s * dir (dir of unit length, s > 0).
  bool Intersect(const Vec3& origin, const Vec3& dir, Hit& hit) const;
  // A sphere enclosing the shape.
  virtual void Bounds(Vec3& centre, double& radius) const = 0;
  // Moves the shape rigidly.
  virtual void Apply(const Xform& x) = 0;

  Surface Shade(const Hit& hit) const;

  Paint paint;
  Cut cut;
  Rgb colour{0.5, 0.5, 0.5};  // used when there is no paint
  double shine = 0;
  // Shapes of one group draw no outline between each other.
  int group = 0;

 protected:
  // Appends every crossing of the ray with the surface (any order).
  virtual void Crossings(const Vec3& origin, const Vec3& dir, std::vector<Hit>& out) const = 0;
};

// Solves a t^2 + b t + c = 0; returns the number of real roots (0 or 2), smaller first.
int SolveQuadratic(double a, double b, double c, double& t0, double& t1);
