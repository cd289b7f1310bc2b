#pragma once
#include <string>
#include <vector>

#include "Picture.h"

// A rectangle of pixels: x, y, width, height.
struct Region {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

// Reads "x,y,width,height"; answers whether the text was one.
bool ParseRegion(const std::string& text, Region& out);

struct DiffOptions {
  // The largest difference of any colour channel (0-255) that still counts as the same colour.
  int tolerance = 48;
  // How far (in pixels, any direction) a pixel may sit from its match in the
  // other picture: 1 lets text drawn by two rasterisers a pixel apart match.
  int shift = 1;
  // Pixels in these regions are not compared.
  std::vector<Region> masks;
  // When set, only pixels inside it are compared.
  bool limited = false;
  Region limit;
};

struct DiffResult {
  long differing = 0;
  long compared = 0;
  // The smallest rectangle holding every differing pixel (empty when none).
  Region bounds;
  double Percent() const { return compared ? 100.0 * static_cast<double>(differing) / compared : 0.0; }
};

// Counts the pixels that differ between a and b: a pixel differs when the
// colour of either picture finds no colour within the tolerance in the other
// picture's neighbourhood of that pixel (within the shift). Pictures of
// different sizes differ in every pixel. When marked is given, it receives b
// darkened, with differing pixels red and masked ones blue.
DiffResult ComparePictures(const Picture& a, const Picture& b, const DiffOptions& options,
                           Picture* marked = nullptr);
