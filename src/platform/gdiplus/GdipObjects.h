#pragma once
// Internal to the drawing half of the platform layer (included only by
// src/platform/Gdip*.cpp): the objects behind the opaque GDI+ handles, the
// table of live handles that lets every call reject unknown or deleted ones,
// and the pixel and text conversions the calls share. No drawing library
// type appears here.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/GdiPlusFlat.h"
#include "platform/user32/WindowPixels.h"

namespace Gdiplus {

// Largest bitmap accepted: each side at most kGdipMaxSide pixels (the limit of the
// rasteriser) and at most kGdipMaxPixels pixels in all (256 MiB of memory).
constexpr int kGdipMaxSide = 32767;
constexpr int64_t kGdipMaxPixels = int64_t{1} << 26;

// Coordinates beyond this magnitude are refused with ValueOverflow: the
// rasteriser works in fixed point and would silently wrap around.
constexpr double kGdipMaxCoordinate = 4194304.0;

enum class GdipKind { Image, Graphics, SolidFill, Pen, FontFamily, Font, StringFormat };

class GdipFrameRecord;

// Rows [top, bottom) of a bitmap.
struct GdipRows {
  int top = 0;
  int bottom = 0;
  bool operator==(const GdipRows&) const = default;
};

// Premultiplied ARGB pixels in native byte order, rows packed without padding.
// Shared between an image and the Graphics objects drawing into it, so deleting
// the image first never leaves a Graphics writing into freed memory.
struct GdipPixels : std::enable_shared_from_this<GdipPixels> {
  uint32_t* data = nullptr;
  int width = 0;
  int height = 0;
  // 32bppRGB: the alpha byte is ignored and reads back as opaque.
  bool opaque = false;
  // Which pixels these are for as long as the process runs: pixels made later
  // at the same address are others.
  const uint64_t serial;
  // Grows whenever the pixels may have changed (GdipScaledCopies.h).
  uint64_t generation = 0;
  // The last change that came with a list of the rows it touched: from
  // generation changedFrom to changedTo only changedRows changed. Any other
  // change leaves generation past changedTo.
  uint64_t changedFrom = 0;
  uint64_t changedTo = 0;
  std::vector<GdipRows> changedRows;
  // Every pixel is known to be opaque: set when an image is decoded, made
  // opaque or cleared to an opaque colour; drawing keeps it (every drawing
  // composes OVER, which leaves an opaque pixel opaque); a clear or a pixel
  // set with less alpha ends it.
  bool knownOpaque = false;
  // A clear not written yet (GdipCanvas::Fill): the part still to fill, as a
  // pixman region (owned), and the value. Pixels under it read as that value
  // once GdipSettle has written it; everything that reads or draws settles first.
  void* pendingClear = nullptr;
  uint32_t pendingValue = 0;
  // The drawing calls given through a Graphics and not carried out yet, and
  // the last ones carried out (GdipFrameRecord.h); null until drawn into.
  GdipFrameRecord* record = nullptr;
  // Bitmaps holding calls not carried out yet that draw these pixels: they
  // are carried out before these pixels change (GdipWillChange).
  std::vector<std::weak_ptr<GdipPixels>> readers;

  GdipPixels();
  ~GdipPixels();
  GdipPixels(const GdipPixels&) = delete;
  GdipPixels& operator=(const GdipPixels&) = delete;
};

// Brings the pixels up to date before they are read or drawn on: carries out
// the calls still held for them (GdipFrameRecord.h), then writes a pending
// clear (see GdipPixels::pendingClear): all of it, or the part in the box
// [left, right) x [top, bottom).
void GdipSettle(GdipPixels& pixels);
void GdipSettle(GdipPixels& pixels, int left, int top, int right, int bottom);

// To be called before the pixels change: the bitmaps holding calls that draw
// them carry those out first, from the pixels as they are.
void GdipWillChange(GdipPixels& pixels);

// Allocates zeroed pixels (transparent black), or with cleared false pixels of
// any value, for a caller that writes every one. Returns null and sets status
// to InvalidParameter for a side <= 0, or OutOfMemory beyond the limits above
// or when memory runs out.
std::shared_ptr<GdipPixels> GdipAllocatePixels(int width, int height, bool opaque, GpStatus* status,
                                               bool cleared = true);

class GdipImageObject : public GpBitmap {
 public:
  static constexpr GdipKind kKind = GdipKind::Image;
  std::shared_ptr<GdipPixels> pixels;
};

// A drawing surface: either a bitmap's pixels, or a window's device context
// whose pixels are looked up again for every call (the window's buffer moves
// when it is resized).
class GdipGraphicsObject : public GpGraphics {
 public:
  static constexpr GdipKind kKind = GdipKind::Graphics;
  std::shared_ptr<GdipPixels> bitmap;
  HDC hdc = nullptr;
  // Drawing stays within these rows. Only the layer's own Graphics objects
  // (calls carried out again on a part of a bitmap or window) narrow it.
  GdipRows clip{INT32_MIN, INT32_MAX};
};

class GdipSolidFillObject : public GpSolidFill {
 public:
  static constexpr GdipKind kKind = GdipKind::SolidFill;
  ARGB color = 0;
};

class GdipPenObject : public GpPen {
 public:
  static constexpr GdipKind kKind = GdipKind::Pen;
  ARGB color = 0;
  REAL width = 1.0f;
  // Pixels per unit of width (1 for world and pixel units).
  REAL unitScale = 1.0f;
};

class GdipFontFamilyObject : public GpFontFamily {
 public:
  static constexpr GdipKind kKind = GdipKind::FontFamily;
  // The name the caller asked for, reported back by GdipGetFamilyName.
  std::wstring name;
  // The installed family that renders it, in UTF-8.
  std::string renderFamily;
};

class GdipFontObject : public GpFont {
 public:
  static constexpr GdipKind kKind = GdipKind::Font;
  std::string renderFamily;
  // The em size in device pixels (96 dots per inch).
  double pixelSize = 0.0;
  INT style = FontStyleRegular;
};

class GdipStringFormatObject : public GpStringFormat {
 public:
  static constexpr GdipKind kKind = GdipKind::StringFormat;
  INT flags = 0;
  StringAlignment align = StringAlignmentNear;
  StringAlignment lineAlign = StringAlignmentNear;
};

// The table of live handles. GdipRegister returns false when memory runs out.
bool GdipRegister(const void* object, GdipKind kind);
void GdipUnregister(const void* object);
bool GdipIsLive(const void* object, GdipKind kind);

// The internal object behind a handle, or null when the handle is null, was
// never created by this layer, was deleted, or is of another kind.
template <class Object, class Handle>
Object* GdipLookup(Handle* handle) {
  if (handle == nullptr) return nullptr;
  Object* object = static_cast<Object*>(const_cast<std::remove_const_t<Handle>*>(handle));
  return GdipIsLive(object, Object::kKind) ? object : nullptr;
}

// Registers a freshly made object and hands it to the caller, or deletes it and
// returns OutOfMemory.
template <class Object, class Handle>
GpStatus GdipPublish(Object* object, Handle** out) {
  if (object == nullptr) return OutOfMemory;
  if (!GdipRegister(object, Object::kKind)) {
    delete object;
    return OutOfMemory;
  }
  *out = object;
  return Ok;
}

// Unregisters and deletes an object found by GdipLookup.
template <class Object>
void GdipDestroy(Object* object) {
  GdipUnregister(object);
  delete object;
}

// Non-premultiplied ARGB to the premultiplied storage form and back, each
// channel rounded to nearest.
uint32_t GdipPremultiply(ARGB color);
ARGB GdipUnpremultiply(uint32_t pixel);

// Whether images decoded from files are kept for later loads of the same
// bytes (PlatformTest::KeepDecodedImages); turned off, the kept ones are freed.
void GdipKeepDecodedImages(bool keep);

// Wide text (UTF-32 on this host) up to length characters or the first NUL,
// whichever comes first (length -1: up to the NUL), as UTF-8. Values that are
// not Unicode scalar values become U+FFFD. Returns false when memory runs out.
bool GdipWideToUtf8(const WCHAR* text, int64_t length, std::string* out);

// True when every value is a finite number of magnitude at most kGdipMaxCoordinate.
bool GdipCoordinatesFit(std::initializer_list<double> values);

}  // namespace Gdiplus
