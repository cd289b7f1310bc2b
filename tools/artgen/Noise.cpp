#include "Noise.h"

#include <cmath>

uint32_t Hash(int x, int y, int z, uint32_t seed) {
  uint32_t h = seed * 0x9e3779b1u;
  h ^= static_cast<uint32_t>(x) * 0x85ebca6bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<uint32_t>(y) * 0xc2b2ae35u;
  h = (h << 17) | (h >> 15);
  h ^= static_cast<uint32_t>(z) * 0x27d4eb2fu;
  h ^= h >> 16;
  h *= 0x7feb352du;
  h ^= h >> 15;
  h *= 0x846ca68bu;
  h ^= h >> 16;
  return h;
}

double Hash01(int x, int y, int z, uint32_t seed) { return (Hash(x, y, z, seed) & 0xffffff) / 16777216.0; }

namespace {

double Fade(double t) { return t * t * (3 - 2 * t); }
int Wrap(int v, int period) { return ((v % period) + period) % period; }

}  // namespace

double TileNoise(double x, double y, int periodX, int periodY, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const double tx = Fade(x - fx), ty = Fade(y - fy);
  auto at = [&](int dx, int dy) { return Hash01(Wrap(ix + dx, periodX), Wrap(iy + dy, periodY), 0, seed); };
  const double a = at(0, 0) + (at(1, 0) - at(0, 0)) * tx;
  const double b = at(0, 1) + (at(1, 1) - at(0, 1)) * tx;
  return a + (b - a) * ty;
}

double TileFbm(double x, double y, int periodX, int periodY, int octaves, uint32_t seed) {
  double sum = 0, weight = 0, amp = 1;
  for (int i = 0; i < octaves; ++i) {
    const int k = 1 << i;
    sum += amp * TileNoise(x * k, y * k, periodX * k, periodY * k, seed + i * 101);
    weight += amp;
    amp *= 0.5;
  }
  return sum / weight;
}

double SpaceNoise(double x, double y, double z, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
  const double tx = Fade(x - fx), ty = Fade(y - fy), tz = Fade(z - fz);
  auto at = [&](int dx, int dy, int dz) { return Hash01(ix + dx, iy + dy, iz + dz, seed); };
  auto lerp = [](double a, double b, double t) { return a + (b - a) * t; };
  const double x00 = lerp(at(0, 0, 0), at(1, 0, 0), tx), x10 = lerp(at(0, 1, 0), at(1, 1, 0), tx);
  const double x01 = lerp(at(0, 0, 1), at(1, 0, 1), tx), x11 = lerp(at(0, 1, 1), at(1, 1, 1), tx);
  return lerp(lerp(x00, x10, ty), lerp(x01, x11, ty), tz);
}

uint32_t Random::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

double Random::Uniform(double lo, double hi) { return lo + (hi - lo) * ((Next() & 0xffffff) / 16777216.0); }

int Random::Below(int n) { return n > 0 ? static_cast<int>(Next() % static_cast<uint32_t>(n)) : 0; }
