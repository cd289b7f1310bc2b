#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "Image.h"

// A reduced copy of one picture for the contact sheet, with its label.
struct Thumbnail {
  std::string label;
  Image image{1, 1};
};

// The picture scaled for the contact sheet: large sheets shrink to about
// 300 pixels, small toolkit pieces grow so their detail shows.
Thumbnail MakeThumbnail(const std::string& label, const Image& image);

// Lays the thumbnails out in rows, a new row whenever the label's folder
// changes, each under its label, and writes the result as a PNG.
bool WriteContactSheet(const std::filesystem::path& path, const std::vector<Thumbnail>& thumbnails);
