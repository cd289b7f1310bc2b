#pragma once
#include <functional>
#include <string>
#include <vector>

#include "Image.h"

// One picture the game loads: its path under the output directory, how the
// game cuts it (frame size and, when fixed, the number of frames across and
// down; 0 = any), and how to draw it.
struct ArtItem {
  std::string path;
  int frameWidth;
  int frameHeight;
  int columns;
  int rows;
  std::function<Image()> draw;
};

// Every picture under res/, in the order the game registers them.
std::vector<ArtItem> Catalogue();

// Empty when the picture has the geometry the item promises; otherwise what is wrong.
std::string CheckGeometry(const ArtItem& item, const Image& image);
