#include "PictureDiff.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

bool ParseRegion(const std::string& text, Region& out) {
  Region r;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &r.x, &r.y, &r.width, &r.height, &tail) != 4) return false;
  if (r.width < 0 || r.height < 0) return false;
  out = r;
  return true;
}

namespace {

bool Close(uint32_t p, uint32_t q, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((p >> shift) & 0xFF);
    const int b = static_cast<int>((q >> shift) & 0xFF);
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

// Whether colour finds a close colour in the picture around (x, y).
bool Matched(uint32_t colour, const Picture& picture, int x, int y, const DiffOptions& options) {
  const int x0 = std::max(0, x - options.shift), x1 = std::min(picture.Width() - 1, x + options.shift);
  const int y0 = std::max(0, y - options.shift), y1 = std::min(picture.Height() - 1, y + options.shift);
  for (int qy = y0; qy <= y1; ++qy)
    for (int qx = x0; qx <= x1; ++qx)
      if (Close(colour, picture.At(qx, qy), options.tolerance)) return true;
  return false;
}

uint32_t Darken(uint32_t rgb) { return (rgb >> 2) & 0x3F3F3F; }

}  // namespace

DiffResult ComparePictures(const Picture& a, const Picture& b, const DiffOptions& options, Picture* marked) {
  DiffResult result;
  if (a.Width() != b.Width() || a.Height() != b.Height()) {
    result.compared = std::max(static_cast<long>(a.Width()) * a.Height(), static_cast<long>(b.Width()) * b.Height());
    result.differing = result.compared;
    result.bounds = Region{0, 0, std::max(a.Width(), b.Width()), std::max(a.Height(), b.Height())};
    if (marked) *marked = Picture(result.bounds.width, result.bounds.height, 0xFF0000);
    return result;
  }
  if (marked) *marked = Picture(b.Width(), b.Height());
  int left = b.Width(), top = b.Height(), right = -1, bottom = -1;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const bool masked = (options.limited && !options.limit.Contains(x, y)) ||
                          std::any_of(options.masks.begin(), options.masks.end(),
                                      [&](const Region& m) { return m.Contains(x, y); });
      if (masked) {
        if (marked) marked->Set(x, y, Darken(b.At(x, y)) | 0x000080);
        continue;
      }
      ++result.compared;
      const uint32_t pa = a.At(x, y), pb = b.At(x, y);
      const bool same = Close(pa, pb, options.tolerance) ||
                        (Matched(pa, b, x, y, options) && Matched(pb, a, x, y, options));
      if (same) {
        if (marked) marked->Set(x, y, Darken(pb));
        continue;
      }
      ++result.differing;
      if (marked) marked->Set(x, y, 0xFF0000);
      left = std::min(left, x);
      top = std::min(top, y);
      right = std::max(right, x);
      bottom = std::max(bottom, y);
    }
  }
  if (right >= 0) result.bounds = Region{left, top, right - left + 1, bottom - top + 1};
  return result;
}
