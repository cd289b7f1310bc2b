#include "Scene.h"

#include <algorithm>
#include <cmath>
#include <limits>

void Scene::Apply(const Xform& x, size_t first) {
  for (size_t i = first; i < shapes_.size(); ++i) shapes_[i]->Apply(x);
}

namespace {

const Vec3 kLight = Normalize({-0.55, 0.45, 0.8});

Rgb Light(const Surface& s, const Vec3& n, bool inside) {
  if (s.emissive) return s.colour;
  const double diffuse = std::max(0.0, Dot(n, kLight));
  double shade = 0.45 + 0.65 * diffuse;
  if (inside) shade *= 0.55;
  Rgb c = s.colour * shade;
  if (s.shine > 0) {
    const Vec3 h = Normalize(kLight + View::Toward());
    const double glint = s.shine * std::pow(std::max(0.0, Dot(n, h)), 18.0);
    c = c + Rgb{glint, glint, glint};
  }
  return c;
}

}  // namespace

Image Scene::Render(int width, int height, const Camera& camera) const {
  const int ss = camera.supersample;
  const int sw = width * ss, sh = height * ss;
  const size_t count = static_cast<size_t>(sw) * sh;
  std::vector<double> depth(count, std::numeric_limits<double>::infinity());
  std::vector<int> owner(count, -1);
  std::vector<Hit> hits(count);
  const Vec3 toward = View::Toward(), up = View::Up(), dir = -toward;
  const double far = 2000;

  for (size_t i = 0; i < shapes_.size(); ++i) {
    const Shape& shape = *shapes_[i];
    Vec3 c;
    double r;
    shape.Bounds(c, r);
    const double cx = camera.originX + camera.scale * View::ScreenX(c);
    const double cy = camera.originY + camera.scale * View::ScreenY(c);
    const double rr = r * camera.scale;
    const int x0 = std::max(0, static_cast<int>(std::floor((cx - rr) * ss)));
    const int x1 = std::min(sw - 1, static_cast<int>(std::ceil((cx + rr) * ss)));
    const int y0 = std::max(0, static_cast<int>(std::floor((cy - rr) * ss)));
    const int y1 = std::min(sh - 1, static_cast<int>(std::ceil((cy + rr) * ss)));
    for (int y = y0; y <= y1; ++y) {
      const double py = (y + 0.5) / ss;
      const double b = (camera.originY - py) / camera.scale;
      for (int x = x0; x <= x1; ++x) {
        const double px = (x + 0.5) / ss;
        const double a = (px - camera.originX) / camera.scale;
        const Vec3 origin = Vec3{a, 0, 0} + up * b + toward * far;
        Hit hit;
        if (!shape.Intersect(origin, dir, hit)) continue;
        const size_t k = static_cast<size_t>(y) * sw + x;
        if (hit.s < depth[k]) {
          depth[k] = hit.s;
          owner[k] = static_cast<int>(i);
          hits[k] = hit;
        }
      }
    }
  }

  std::vector<Rgb> colour(count);
  for (size_t k = 0; k < count; ++k) {
    if (owner[k] < 0) continue;
    const Shape& shape = *shapes_[owner[k]];
    colour[k] = Light(shape.Shade(hits[k]), hits[k].normal, hits[k].inside);
  }
  // Outlines: a sample whose neighbour one pixel away is empty, or belongs to
  // another group and lies clearly behind it.
  std::vector<char> edge(count, 0);
  const double gap = outlineGap;
  for (int y = 0; y < sh; ++y) {
    for (int x = 0; x < sw; ++x) {
      const size_t k = static_cast<size_t>(y) * sw + x;
      if (owner[k] < 0) continue;
      const int group = shapes_[owner[k]]->group;
      const int offsets[4][2] = {{ss, 0}, {-ss, 0}, {0, ss}, {0, -ss}};
      for (const auto& o : offsets) {
        const int nx = x + o[0], ny = y + o[1];
        if (nx < 0 || ny < 0 || nx >= sw || ny >= sh) continue;
        const size_t n = static_cast<size_t>(ny) * sw + nx;
        if (owner[n] < 0 || (shapes_[owner[n]]->group != group && depth[n] > depth[k] + gap)) {
          edge[k] = 1;
          break;
        }
      }
    }
  }

  Image out(width, height);
  const double inv = 1.0 / (ss * ss);
  for (int y = 0; y < height; ++y) {
    uint32_t* row = out.Row(y);
    for (int x = 0; x < width; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int j = 0; j < ss; ++j) {
        for (int i = 0; i < ss; ++i) {
          const size_t k = static_cast<size_t>(y * ss + j) * sw + (x * ss + i);
          if (owner[k] < 0) continue;
          Rgb c = colour[k];
          if (edge[k]) c = c * outlineShade;
          r += std::clamp(c.r, 0.0, 1.0);
          g += std::clamp(c.g, 0.0, 1.0);
          b += std::clamp(c.b, 0.0, 1.0);
          a += 1;
        }
      }
      auto byte = [&](double v) {
        return static_cast<uint32_t>(std::clamp(v * inv * 255.0 + 0.5, 0.0, 255.0));
      };
      row[x] = (byte(a) << 24) | (byte(r) << 16) | (byte(g) << 8) | byte(b);
    }
  }
  out.MarkDirty();
  return out;
}
