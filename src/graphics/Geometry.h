#pragma once
// The toolkit's small geometric types: signed 32-bit pixels, half-open rectangles.

#include <cstdint>

struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct TRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  // Inside means x <= px < x + width and y <= py < y + height.
  bool Contains(TPoint p) const { return p.x >= x && p.x < x + width && p.y >= y && p.y < y + height; }
};
