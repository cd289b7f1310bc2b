#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An opaque RGB picture, one 0x00RRGGBB word per pixel, row by row.
class Picture {
 public:
  Picture() = default;
  Picture(int width, int height, uint32_t fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  void Set(int x, int y, uint32_t rgb) { pixels_[static_cast<size_t>(y) * width_ + x] = rgb & 0xFFFFFF; }
  bool operator==(const Picture& other) const = default;

  // Reads a PNG file (any colour type; alpha is dropped). Empty on failure.
  static Picture LoadPng(const std::string& path);
  // Writes the picture as a PNG file; answers whether it did.
  bool SavePng(const std::string& path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};
