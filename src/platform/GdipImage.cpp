// Bitmaps in memory, their pixels, and drawing images onto a Graphics.
//
// Pixels are kept premultiplied (the rasteriser's own layout), so a colour set
// with GdipBitmapSetPixel reads back exactly when its alpha is 0xFF; with
// partial alpha a channel may read back one or two steps off, and a fully
// transparent pixel reads back as 0x00000000 whatever its colour was.
#include <cairo.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "platform/GdipCanvas.h"
#include "platform/GdipObjects.h"
#include "platform/GdipScaledCopies.h"

namespace Gdiplus {

namespace {

bool ValidUnit(GpUnit unit) { return unit >= UnitWorld && unit <= UnitMillimeter; }

// Copies caller pixels in the given format into premultiplied storage.
void CopyScan0(GdipPixels& pixels, const BYTE* scan0, INT stride, PixelFormat format) {
  for (int y = 0; y < pixels.height; ++y) {
    const BYTE* row = scan0 + ptrdiff_t(y) * stride;
    uint32_t* out = pixels.data + size_t(y) * size_t(pixels.width);
    for (int x = 0; x < pixels.width; ++x) {
      uint32_t value;
      std::memcpy(&value, row + size_t(x) * 4, sizeof(value));
      if (format == PixelFormat32bppARGB) {
        value = GdipPremultiply(value);
      } else if (format == PixelFormat32bppPARGB) {
        // A channel above alpha is not a valid premultiplied value; clamp it.
        uint32_t alpha = value >> 24;
        uint32_t r = std::min((value >> 16) & 0xFF, alpha);
        uint32_t g = std::min((value >> 8) & 0xFF, alpha);
        uint32_t b = std::min(value & 0xFF, alpha);
        value = (alpha << 24) | (r << 16) | (g << 8) | b;
      } else {
        value |= 0xFF000000u;
      }
      out[x] = value;
    }
  }
}

// Draws the source rectangle of the image into the destination rectangle. A
// negative size mirrors along that axis; the part of the source outside the
// image is left out, with the destination shrunk to match. At 1:1 scale pixels
// are copied exactly; otherwise they are filtered bilinearly, with the edge
// pixels of the source rectangle repeated outward rather than faded.
GpStatus DrawImage(GdipGraphicsObject& target, const GdipImageObject& image, double dx, double dy, double dw,
                   double dh, double sx, double sy, double sw, double sh) {
  if (dw == 0.0 || dh == 0.0 || sw == 0.0 || sh == 0.0) return Ok;
  bool flipX = false;
  bool flipY = false;
  if (sw < 0.0) sx += sw, sw = -sw, flipX = !flipX;
  if (dw < 0.0) dx += dw, dw = -dw, flipX = !flipX;
  if (sh < 0.0) sy += sh, sh = -sh, flipY = !flipY;
  if (dh < 0.0) dy += dh, dh = -dh, flipY = !flipY;

  // A clear still pending on the image is written before it is read.
  GdipSettle(*image.pixels);
  const GdipPixels& source = *image.pixels;
  double left = std::max(sx, 0.0), right = std::min(sx + sw, double(source.width));
  double top = std::max(sy, 0.0), bottom = std::min(sy + sh, double(source.height));
  if (right <= left || bottom <= top) return Ok;
  double scaleX = dw / sw;
  double scaleY = dh / sh;
  double outX = flipX ? dx + (sx + sw - right) * scaleX : dx + (left - sx) * scaleX;
  double outY = flipY ? dy + (sy + sh - bottom) * scaleY : dy + (top - sy) * scaleY;
  double outWidth = (right - left) * scaleX;
  double outHeight = (bottom - top) * scaleY;

  GdipCanvas canvas(target);
  if (canvas.Status() != Ok) return canvas.Status();
  if (canvas.Empty()) return Ok;

  // Drawing a bitmap onto itself reads from a snapshot.
  const uint32_t* data = source.data;
  std::unique_ptr<uint32_t[]> snapshot;
  if (canvas.Bitmap() == &source) {
    size_t count = size_t(source.width) * size_t(source.height);
    snapshot.reset(new (std::nothrow) uint32_t[count]);
    if (!snapshot) return OutOfMemory;
    std::memcpy(snapshot.get(), source.data, count * sizeof(uint32_t));
    data = snapshot.get();
  }
  // At 1:1 on whole pixels the draw is a plain composition, done without Cairo.
  const bool whole = left == std::floor(left) && top == std::floor(top) && right == std::floor(right) &&
                     bottom == std::floor(bottom) && outX == std::floor(outX) && outY == std::floor(outY);
  if (whole && scaleX == 1.0 && scaleY == 1.0 && !flipX && !flipY &&
      canvas.ComposeOver(data + size_t(top) * size_t(source.width) + size_t(left), source.width,
                         source.opaque, int(right - left), int(bottom - top), int(outX), int(outY),
                         source.knownOpaque)) {
    return Ok;
  }
  auto* cr = static_cast<cairo_t*>(canvas.Cairo());
  if (cr == nullptr) return OutOfMemory;

  int pieceX = int(left), pieceY = int(top);
  int pieceWidth = int(right) - pieceX, pieceHeight = int(bottom) - pieceY;
  auto* first = const_cast<uint32_t*>(data + size_t(pieceY) * size_t(source.width) + size_t(pieceX));
  cairo_surface_t* piece = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(first), source.opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32,
      pieceWidth, pieceHeight, source.width * 4);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(piece);
  cairo_matrix_t matrix;
  // Destination to piece coordinates.
  double xx = flipX ? -1.0 / scaleX : 1.0 / scaleX;
  double yy = flipY ? -1.0 / scaleY : 1.0 / scaleY;
  double x0 = flipX ? pieceWidth + outX / scaleX : -outX / scaleX;
  double y0 = flipY ? pieceHeight + outY / scaleY : -outY / scaleY;
  cairo_matrix_init(&matrix, xx, 0.0, 0.0, yy, x0, y0);
  cairo_pattern_set_matrix(pattern, &matrix);
  bool exact = scaleX == 1.0 && scaleY == 1.0;
  cairo_pattern_set_filter(pattern, exact ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_set_source(cr, pattern);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_rectangle(cr, outX, outY, outWidth, outHeight);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
  cairo_pattern_destroy(pattern);
  cairo_surface_finish(piece);
  cairo_surface_destroy(piece);
  canvas.Changed();
  return Ok;
}

GpStatus DrawImageDirect(GdipGraphicsObject& target, const GdipImageObject& image,
                         const GdipImageDraw& draw) {
  return DrawImage(target, image, draw.dx, draw.dy, draw.dw, draw.dh, draw.sx, draw.sy, draw.sw, draw.sh);
}

}  // namespace

namespace DllExports {

// With a caller buffer, its pixels are copied at creation (32bppARGB converted
// to the premultiplied storage); later changes on either side are not shared.
// A negative stride reads the buffer bottom-up.
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                   GpBitmap** bitmap) {
  if (bitmap == nullptr || width <= 0 || height <= 0) return InvalidParameter;
  if (format != PixelFormat32bppARGB && format != PixelFormat32bppPARGB && format != PixelFormat32bppRGB) {
    return InvalidParameter;
  }
  if (scan0 != nullptr && (stride == 0 || stride % 4 != 0 ||
                           (stride > 0 ? int64_t{stride} : -int64_t{stride}) < int64_t{width} * 4)) {
    return InvalidParameter;
  }
  GpStatus status = Ok;
  std::shared_ptr<GdipPixels> pixels =
      GdipAllocatePixels(width, height, format == PixelFormat32bppRGB, &status);
  if (!pixels) return status;
  if (scan0 != nullptr) {
    CopyScan0(*pixels, scan0, stride, format);
  } else if (pixels->opaque) {
    std::fill(pixels->data, pixels->data + size_t(width) * size_t(height), 0xFF000000u);
  }
  auto* object = new (std::nothrow) GdipImageObject;
  if (object != nullptr) object->pixels = std::move(pixels);
  GpBitmap* result = nullptr;
  status = GdipPublish(object, &result);
  if (status == Ok) *bitmap = result;
  return status;
}

GpStatus GdipBitmapGetPixel(GpBitmap* bitmap, INT x, INT y, ARGB* color) {
  auto* object = GdipLookup<GdipImageObject>(bitmap);
  if (object == nullptr || color == nullptr) return InvalidParameter;
  GdipPixels& pixels = *object->pixels;
  if (x < 0 || y < 0 || x >= pixels.width || y >= pixels.height) return InvalidParameter;
  GdipSettle(pixels);
  uint32_t value = pixels.data[size_t(y) * size_t(pixels.width) + size_t(x)];
  *color = pixels.opaque ? (value | 0xFF000000u) : GdipUnpremultiply(value);
  return Ok;
}

GpStatus GdipBitmapSetPixel(GpBitmap* bitmap, INT x, INT y, ARGB color) {
  auto* object = GdipLookup<GdipImageObject>(bitmap);
  if (object == nullptr) return InvalidParameter;
  GdipPixels& pixels = *object->pixels;
  if (x < 0 || y < 0 || x >= pixels.width || y >= pixels.height) return InvalidParameter;
  GdipSettle(pixels);
  pixels.knownOpaque = pixels.knownOpaque && (color >> 24) == 0xFF;
  pixels.data[size_t(y) * size_t(pixels.width) + size_t(x)] =
      pixels.opaque ? (color | 0xFF000000u) : GdipPremultiply(color);
  GdipTouch(pixels);
  return Ok;
}

GpStatus GdipDisposeImage(GpImage* image) {
  auto* object = GdipLookup<GdipImageObject>(image);
  if (object == nullptr) return InvalidParameter;
  GdipDestroy(object);
  return Ok;
}

GpStatus GdipGetImageWidth(GpImage* image, UINT* width) {
  auto* object = GdipLookup<GdipImageObject>(image);
  if (object == nullptr || width == nullptr) return InvalidParameter;
  *width = UINT(object->pixels->width);
  return Ok;
}

GpStatus GdipGetImageHeight(GpImage* image, UINT* height) {
  auto* object = GdipLookup<GdipImageObject>(image);
  if (object == nullptr || height == nullptr) return InvalidParameter;
  *height = UINT(object->pixels->height);
  return Ok;
}

GpStatus GdipDrawImageI(GpGraphics* graphics, GpImage* image, INT x, INT y) {
  auto* target = GdipLookup<GdipGraphicsObject>(graphics);
  auto* source = GdipLookup<GdipImageObject>(image);
  if (target == nullptr || source == nullptr) return InvalidParameter;
  double width = source->pixels->width, height = source->pixels->height;
  if (!GdipCoordinatesFit({double(x), double(y), x + width, y + height})) return ValueOverflow;
  return DrawImage(*target, *source, x, y, width, height, 0.0, 0.0, width, height);
}

// Only pixel units are taken for the source rectangle; image attributes and the
// abort callback are not supported (no attributes object can be made here).
GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstx, INT dsty, INT dstwidth,
                                INT dstheight, INT srcx, INT srcy, INT srcwidth, INT srcheight,
                                GpUnit srcUnit, const GpImageAttributes* attributes, DrawImageAbort, VOID*) {
  auto* target = GdipLookup<GdipGraphicsObject>(graphics);
  auto* source = GdipLookup<GdipImageObject>(image);
  if (target == nullptr || source == nullptr || !ValidUnit(srcUnit) || attributes != nullptr) {
    return InvalidParameter;
  }
  if (srcUnit != UnitPixel) return NotImplemented;
  if (!GdipCoordinatesFit({double(dstx), double(dsty), double(dstx) + dstwidth, double(dsty) + dstheight,
                           double(srcx), double(srcy), double(srcx) + srcwidth, double(srcy) + srcheight})) {
    return ValueOverflow;
  }
  const GdipImageDraw draw{double(dstx), double(dsty), double(dstwidth), double(dstheight),
                           double(srcx), double(srcy), double(srcwidth), double(srcheight)};
  return GdipDrawImageRepeated(*target, *source, draw, DrawImageDirect);
}

}  // namespace DllExports
}  // namespace Gdiplus
