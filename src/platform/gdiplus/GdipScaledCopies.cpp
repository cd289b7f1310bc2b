#include "platform/gdiplus/GdipScaledCopies.h"

#include <algorithm>
#include <cmath>
#include <list>
#include <memory>
#include <mutex>

#include "platform/gdiplus/GdipCanvas.h"

namespace Gdiplus {

namespace {

// At most this many draws are remembered, and their copies hold at most this
// many pixels in all (48 MiB): enough for a full-screen background and a few
// window backgrounds.
constexpr size_t kMaxEntries = 8;
constexpr int64_t kMaxCopiedPixels = int64_t{12} << 20;

struct Entry {
  std::weak_ptr<GdipPixels> image;
  uint64_t generation = 0;
  GdipImageDraw draw{};
  int targetWidth = 0;
  int targetHeight = 0;
  // Null until the draw has been seen twice.
  std::shared_ptr<GdipPixels> copy;
};

std::mutex& CopiesMutex() {
  static std::mutex mutex;
  return mutex;
}

// Most recently used first.
std::list<Entry>& Copies() {
  static std::list<Entry> copies;
  return copies;
}

int64_t CopiedPixels(const std::list<Entry>& copies) {
  int64_t total = 0;
  for (const Entry& entry : copies)
    if (entry.copy) total += int64_t{entry.copy->width} * entry.copy->height;
  return total;
}

// Drops entries of images that are gone, then the least recently used ones
// beyond the limits.
void Trim(std::list<Entry>& copies) {
  copies.remove_if([](const Entry& entry) { return entry.image.expired(); });
  while (copies.size() > kMaxEntries || (copies.size() > 1 && CopiedPixels(copies) > kMaxCopiedPixels))
    copies.pop_back();
}

}  // namespace

GpStatus GdipDrawImageRepeated(GdipGraphicsObject& target, const GdipImageObject& image,
                               const GdipImageDraw& draw, GdipDirectImageDraw direct) {
  const std::shared_ptr<GdipPixels>& pixels = image.pixels;
  const std::shared_ptr<GdipPixels>& onto = target.bitmap;
  // Only scaled draws onto another bitmap, inside its top-left quadrant of
  // coordinates, are worth a copy.
  const bool scaled = draw.dw != draw.sw || draw.dh != draw.sh;
  if (!scaled || !onto || onto == pixels || onto->opaque || !pixels || !(draw.dx >= 0.0) ||
      !(draw.dy >= 0.0)) {
    return direct(target, image, draw);
  }
  // The copy spans the target from its origin to the far edge of the draw, so
  // that it shares the target's pixel grid exactly.
  const double right = std::max(draw.dx, draw.dx + draw.dw), bottom = std::max(draw.dy, draw.dy + draw.dh);
  const int width = int(std::min<double>(onto->width, std::ceil(right)));
  const int height = int(std::min<double>(onto->height, std::ceil(bottom)));
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxCopiedPixels)
    return direct(target, image, draw);

  std::shared_ptr<GdipPixels> copy;
  {
    std::lock_guard<std::mutex> lock(CopiesMutex());
    std::list<Entry>& copies = Copies();
    auto found = std::find_if(copies.begin(), copies.end(), [&](const Entry& entry) {
      return entry.image.lock() == pixels && entry.draw == draw && entry.targetWidth == onto->width &&
             entry.targetHeight == onto->height;
    });
    if (found == copies.end()) {
      // The first time: drawn directly and remembered.
      copies.push_front(Entry{pixels, pixels->generation, draw, onto->width, onto->height, nullptr});
      Trim(copies);
      found = copies.end();
    } else {
      copies.splice(copies.begin(), copies, found);
      Entry& entry = copies.front();
      if (entry.generation != pixels->generation) {
        entry.generation = pixels->generation;
        entry.copy.reset();
      }
      if (!entry.copy) {
        GpStatus status = Ok;
        std::shared_ptr<GdipPixels> made = GdipAllocatePixels(width, height, false, &status);
        if (made) {
          GdipGraphicsObject onCopy;
          onCopy.bitmap = made;
          if (direct(onCopy, image, draw) == Ok) entry.copy = std::move(made);
        }
        Trim(copies);
      }
      copy = copies.empty() ? nullptr : copies.front().copy;
    }
  }
  if (!copy) return direct(target, image, draw);

  // Only the part the draw can cover is composed.
  const int left = std::clamp(int(std::floor(std::min(draw.dx, draw.dx + draw.dw))), 0, width);
  const int top = std::clamp(int(std::floor(std::min(draw.dy, draw.dy + draw.dh))), 0, height);
  GdipCanvas canvas(target);
  if (canvas.Status() != Ok) return canvas.Status();
  if (canvas.Empty() || left >= width || top >= height) return Ok;
  const uint32_t* first = copy->data + size_t(top) * size_t(copy->width) + size_t(left);
  if (!canvas.ComposeOver(first, copy->width, false, width - left, height - top, left, top))
    return direct(target, image, draw);
  return Ok;
}

}  // namespace Gdiplus
