#pragma once
// Internal to the platform layer: an icon or cursor as the display shows it.
// The window system's resource table owns them; the display only reads them.

#include <cstdint>
#include <vector>

// One icon or cursor image. A system image (the default application icon, the
// arrow) has no pixels: the display shows its own.
struct IconImage {
  bool cursor;
  int width;
  int height;
  int hotX;
  int hotY;
  std::vector<uint32_t> argb;  // non-premultiplied, row by row
};
