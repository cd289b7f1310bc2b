#pragma once
#include <memory>
#include <vector>

#include "Image.h"
#include "Shape.h"

// Where the world lands in a picture: world point (0, 0, 0) at pixel
// (originX, originY), scale pixels per world unit, samples per pixel along
// each axis for antialiasing.
struct Camera {
  double originX = 0, originY = 0;
  double scale = 1;
  int supersample = 2;
};

// The view every picture shares: an orthographic camera looking down at 30
// degrees, so ground distances toward the viewer shrink to half on screen and
// heights to 0.866, with light from the upper left.
namespace View {
constexpr double kSin = 0.5;
constexpr double kCos = 0.8660254037844386;
// Toward the viewer.
inline Vec3 Toward() { return {0, kCos, kSin}; }
// Screen up.
inline Vec3 Up() { return {0, -kSin, kCos}; }
// Pixel offset from the camera origin of a world point (scale 1).
inline double ScreenX(Vec3 p) { return p.x; }
inline double ScreenY(Vec3 p) { return -Dot(p, Up()); }
}  // namespace View

// A set of solids drawn by ray casting with a depth buffer, flat lighting plus
// highlights, and dark outlines along silhouettes.
class Scene {
 public:
  Scene() = default;
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // Takes ownership; returns the shape for further setup.
  template <class T>
  T& Add(std::unique_ptr<T> shape) {
    T& ref = *shape;
    shapes_.push_back(std::move(shape));
    return ref;
  }
  size_t Size() const { return shapes_.size(); }
  // Moves every shape added since index first.
  void Apply(const Xform& x, size_t first = 0);

  // Draws the scene into a new transparent picture of the given size.
  Image Render(int width, int height, const Camera& camera) const;

  // Depth below which a nearer surface of another group gets an outline.
  double outlineGap = 2.5;
  // Darkness of outlines (0 = black, 1 = none).
  double outlineShade = 0.35;

 private:
  std::vector<std::unique_ptr<Shape>> shapes_;
};
