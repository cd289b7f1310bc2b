#pragma once
#include <cstdint>

// Deterministic noise and random numbers for the art; nothing depends on time.

// A 32-bit hash of integer coordinates and a seed.
uint32_t Hash(int x, int y, int z, uint32_t seed);
// Hash mapped to 0..1.
double Hash01(int x, int y, int z, uint32_t seed);

// Smooth value noise in 0..1 over the plane, repeating every periodX by
// periodY lattice cells (a lattice cell is one unit of x and y).
double TileNoise(double x, double y, int periodX, int periodY, uint32_t seed);
// Sum of octaves of TileNoise, each twice as fine and half as strong, in 0..1.
// Repeats every periodX by periodY units at the base scale.
double TileFbm(double x, double y, int periodX, int periodY, int octaves, uint32_t seed);
// Smooth value noise in 0..1 in space (no repetition).
double SpaceNoise(double x, double y, double z, uint32_t seed);

// A small fixed-seed generator (xorshift) for placing details.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
  uint32_t Next();
  // Uniform in [lo, hi).
  double Uniform(double lo, double hi);
  // Uniform integer in [0, n).
  int Below(int n);

 private:
  uint32_t state_;
};
