// The handle table, pixel storage and conversions shared by the GDI+ calls.
#include "platform/gdiplus/GdipObjects.h"

#include "platform/gdiplus/GdipFrameRecord.h"

#include <pixman.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <new>
#include <unordered_map>

namespace Gdiplus {

namespace {

std::mutex& TableMutex() {
  static std::mutex mutex;
  return mutex;
}

std::unordered_map<const void*, GdipKind>& Table() {
  static std::unordered_map<const void*, GdipKind> table;
  return table;
}

// How many objects have left the table. A handle found live stays live until
// the next one leaves (an object made at a freed address comes after its
// predecessor left), so each thread remembers the last few handles it found
// and answers for them again without the lock: drawing calls ask for the same
// few handles over and over (a draw asks for its graphics, then its image or
// brush, so one remembered handle would be replaced at every call).
std::atomic<uint64_t> Departures{0};

struct LastFound {
  const void* object = nullptr;
  GdipKind kind = GdipKind::Image;
  uint64_t departures = 0;
};

constexpr size_t kRemembered = 4;
thread_local LastFound Last[kRemembered];
thread_local size_t NextReplaced = 0;

std::atomic<uint64_t> Serials{0};

}  // namespace

GdipPixels::GdipPixels() : serial(Serials.fetch_add(1, std::memory_order_relaxed) + 1) {}

GdipPixels::~GdipPixels() {
  delete record;
  if (pendingClear != nullptr) {
    pixman_region32_fini(static_cast<pixman_region32_t*>(pendingClear));
    delete static_cast<pixman_region32_t*>(pendingClear);
  }
  std::free(data);
}

void GdipSettle(GdipPixels& pixels, int left, int top, int right, int bottom) {
  GdipFrameRecord::Resolve(pixels);
  auto* region = static_cast<pixman_region32_t*>(pixels.pendingClear);
  if (region == nullptr) return;
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, pixels.width);
  bottom = std::min(bottom, pixels.height);
  if (right <= left || bottom <= top) return;
  pixman_region32_t box, due;
  pixman_region32_init_rect(&box, left, top, unsigned(right - left), unsigned(bottom - top));
  pixman_region32_init(&due);
  pixman_region32_intersect(&due, region, &box);
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&due, &count);
  for (int i = 0; i < count; ++i) {
    const pixman_box32_t& b = boxes[i];
    pixman_fill(pixels.data, pixels.width, 32, b.x1, b.y1, b.x2 - b.x1, b.y2 - b.y1, pixels.pendingValue);
  }
  pixman_region32_subtract(region, region, &box);
  pixman_region32_fini(&due);
  pixman_region32_fini(&box);
}

void GdipSettle(GdipPixels& pixels) {
  GdipFrameRecord::Resolve(pixels);
  auto* region = static_cast<pixman_region32_t*>(pixels.pendingClear);
  if (region == nullptr) return;
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(region, &count);
  for (int i = 0; i < count; ++i) {
    const pixman_box32_t& box = boxes[i];
    pixman_fill(pixels.data, pixels.width, 32, box.x1, box.y1, box.x2 - box.x1, box.y2 - box.y1, pixels.pendingValue);
  }
  pixman_region32_fini(region);
  delete region;
  pixels.pendingClear = nullptr;
}

std::shared_ptr<GdipPixels> GdipAllocatePixels(int width, int height, bool opaque, GpStatus* status,
                                               bool cleared) {
  if (width <= 0 || height <= 0) {
    *status = InvalidParameter;
    return nullptr;
  }
  if (width > kGdipMaxSide || height > kGdipMaxSide || int64_t{width} * height > kGdipMaxPixels) {
    *status = OutOfMemory;
    return nullptr;
  }
  try {
    auto pixels = std::make_shared<GdipPixels>();
    // calloc hands out zeroed pages lazily, so a large bitmap costs nothing until drawn.
    const size_t count = size_t(width) * size_t(height);
    pixels->data = static_cast<uint32_t*>(cleared ? std::calloc(count, sizeof(uint32_t))
                                                   : std::malloc(count * sizeof(uint32_t)));
    if (pixels->data == nullptr) {
      *status = OutOfMemory;
      return nullptr;
    }
    pixels->width = width;
    pixels->height = height;
    pixels->opaque = opaque;
    *status = Ok;
    return pixels;
  } catch (const std::bad_alloc&) {
    *status = OutOfMemory;
    return nullptr;
  }
}

bool GdipRegister(const void* object, GdipKind kind) {
  try {
    std::lock_guard<std::mutex> lock(TableMutex());
    Table()[object] = kind;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void GdipUnregister(const void* object) {
  std::lock_guard<std::mutex> lock(TableMutex());
  Table().erase(object);
  Departures.fetch_add(1, std::memory_order_release);
}

bool GdipIsLive(const void* object, GdipKind kind) {
  const uint64_t departures = Departures.load(std::memory_order_acquire);
  if (object == nullptr) return false;
  for (const LastFound& last : Last)
    if (object == last.object && kind == last.kind && departures == last.departures) return true;
  std::lock_guard<std::mutex> lock(TableMutex());
  auto found = Table().find(object);
  const bool live = found != Table().end() && found->second == kind;
  if (live) {
    Last[NextReplaced] = LastFound{object, kind, departures};
    NextReplaced = (NextReplaced + 1) % kRemembered;
  }
  return live;
}

uint32_t GdipPremultiply(ARGB color) {
  uint32_t alpha = color >> 24;
  if (alpha == 255) return color;
  if (alpha == 0) return 0;
  auto scale = [alpha](uint32_t channel) {
    uint32_t t = channel * alpha + 128;
    return (t + (t >> 8)) >> 8;
  };
  return (alpha << 24) | (scale((color >> 16) & 0xFF) << 16) | (scale((color >> 8) & 0xFF) << 8) |
         scale(color & 0xFF);
}

ARGB GdipUnpremultiply(uint32_t pixel) {
  uint32_t alpha = pixel >> 24;
  if (alpha == 255) return pixel;
  if (alpha == 0) return 0;
  auto scale = [alpha](uint32_t channel) {
    uint32_t value = (channel * 255 + alpha / 2) / alpha;
    return value > 255 ? 255u : value;
  };
  return (alpha << 24) | (scale((pixel >> 16) & 0xFF) << 16) | (scale((pixel >> 8) & 0xFF) << 8) |
         scale(pixel & 0xFF);
}

bool GdipWideToUtf8(const WCHAR* text, int64_t length, std::string* out) {
  try {
    out->clear();
    for (int64_t i = 0; length < 0 || i < length; ++i) {
      uint32_t c = static_cast<uint32_t>(text[i]);
      if (c == 0) break;
      if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
      if (c < 0x80) {
        out->push_back(char(c));
      } else if (c < 0x800) {
        out->push_back(char(0xC0 | (c >> 6)));
        out->push_back(char(0x80 | (c & 0x3F)));
      } else if (c < 0x10000) {
        out->push_back(char(0xE0 | (c >> 12)));
        out->push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(char(0x80 | (c & 0x3F)));
      } else {
        out->push_back(char(0xF0 | (c >> 18)));
        out->push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out->push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(char(0x80 | (c & 0x3F)));
      }
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool GdipCoordinatesFit(std::initializer_list<double> values) {
  for (double value : values) {
    if (!std::isfinite(value) || std::fabs(value) > kGdipMaxCoordinate) return false;
  }
  return true;
}

}  // namespace Gdiplus
