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
#include <utility>

#include "platform/gdiplus/GdipCall.h"
#include "platform/gdiplus/GdipCanvas.h"
#include "platform/gdiplus/GdipFrameRecord.h"
#include "platform/gdiplus/GdipObjects.h"
#include "platform/gdiplus/GdipScaledCopies.h"

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

// Draws the source rectangle of the image into the destination rectangle, with
// the graphics' default modes: pixel centres lie on integer coordinates for the
// destination and for the image alike, so the destination's first pixel takes
// the centre of the source rectangle's first pixel, and a shrink by two takes
// every other pixel instead of averaging neighbours. A negative size mirrors
// along that axis. At 1:1 scale pixels are copied exactly; otherwise they are
// filtered bilinearly from their nearest neighbours in the whole image, past
// the source rectangle where the image goes on. Beyond the image's own edges
// the edge pixels repeat. (GDI+ fades an enlarged image's right and bottom edge
// towards transparent there instead; repeating keeps a picture drawn over the
// last frame the same from frame to frame, and keeps the rasteriser's 16.16
// fixed point from mixing transparency into the first row and column.)
GpStatus DrawImage(GdipGraphicsObject& target, const GdipImageObject& image, double dx, double dy, double dw,
                   double dh, double sx, double sy, double sw, double sh) {
  if (dw == 0.0 || dh == 0.0 || sw == 0.0 || sh == 0.0) return Ok;
  // Source units per destination unit; negative when the draw mirrors.
  const double ratioX = sw / dw;
  const double ratioY = sh / dh;
  const double left = std::min(dx, dx + dw), top = std::min(dy, dy + dh);
  const double width = std::fabs(dw), height = std::fabs(dh);

  // A clear still pending on the image is written before it is read.
  GdipSettle(*image.pixels);

  GdipCanvas canvas(target);
  if (canvas.Status() != Ok) return canvas.Status();
  if (canvas.Empty()) return Ok;

  // Drawing a bitmap onto itself reads from a snapshot.
  const GdipPixels& source = *image.pixels;
  const uint32_t* data = source.data;
  std::unique_ptr<uint32_t[]> snapshot;
  if (canvas.Bitmap() == &source) {
    size_t count = size_t(source.width) * size_t(source.height);
    snapshot.reset(new (std::nothrow) uint32_t[count]);
    if (!snapshot) return OutOfMemory;
    std::memcpy(snapshot.get(), source.data, count * sizeof(uint32_t));
    data = snapshot.get();
  }
  // At 1:1 on whole pixels, unmirrored, the draw is a plain composition of the
  // part of the source rectangle inside the image, done without Cairo.
  if (ratioX == 1.0 && ratioY == 1.0 && dw > 0.0 && dh > 0.0 && dx == std::floor(dx) &&
      dy == std::floor(dy) && sx == std::floor(sx) && sy == std::floor(sy) && sw == std::floor(sw) &&
      sh == std::floor(sh)) {
    const double inLeft = std::max(sx, 0.0), inRight = std::min(sx + sw, double(source.width));
    const double inTop = std::max(sy, 0.0), inBottom = std::min(sy + sh, double(source.height));
    if (inRight <= inLeft || inBottom <= inTop) return Ok;
    if (canvas.ComposeOver(data + size_t(inTop) * size_t(source.width) + size_t(inLeft), source.width,
                           source.opaque, int(inRight - inLeft), int(inBottom - inTop), int(dx + inLeft - sx),
                           int(dy + inTop - sy), source.knownOpaque)) {
      return Ok;
    }
  }
  auto* cr = static_cast<cairo_t*>(canvas.Cairo());
  if (cr == nullptr) return OutOfMemory;

  cairo_surface_t* picture = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(data)),
      source.opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, source.width, source.height, source.width * 4);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(picture);
  const bool exact = ratioX == 1.0 && ratioY == 1.0;
  // The rasteriser samples destination pixel i at i + 0.5 and keeps image pixel
  // k's centre at k + 0.5; the draw maps destination coordinate dx + t * dw to
  // image coordinate sx + t * sw with both centres on integers. Destination to
  // image, in the rasteriser's coordinates:
  //   u = sx + 0.5 + (p - 0.5 - dx) * ratio.
  cairo_matrix_t matrix;
  cairo_matrix_init(&matrix, ratioX, 0.0, 0.0, ratioY, sx + 0.5 - (dx + 0.5) * ratioX,
                    sy + 0.5 - (dy + 0.5) * ratioY);
  cairo_pattern_set_matrix(pattern, &matrix);
  cairo_pattern_set_filter(pattern, exact ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_set_source(cr, pattern);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_rectangle(cr, left, top, width, height);
  cairo_fill(cr);
  cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
  cairo_pattern_destroy(pattern);
  cairo_surface_finish(picture);
  cairo_surface_destroy(picture);
  canvas.Changed();
  return Ok;
}

GpStatus DrawImageDirect(GdipGraphicsObject& target, const GdipImageObject& image,
                         const GdipImageDraw& draw) {
  return DrawImage(target, image, draw.dx, draw.dy, draw.dw, draw.dh, draw.sx, draw.sy, draw.sw, draw.sh);
}

// A draw with nothing in it changes nothing and is not held.
GpStatus SubmitImage(GdipGraphicsObject& target, const GdipImageObject& image, const GdipImageDraw& draw) {
  if (draw.dw == 0.0 || draw.dh == 0.0 || draw.sw == 0.0 || draw.sh == 0.0) return Ok;
  // Discarded drawing is not even taken down: a headless run that discards
  // most frames draws thousands of images a frame.
  if (GdipCanvas::Discarded()) return Ok;
  GdipCall call;
  call.kind = GdipCallKind::DrawImage;
  call.draw = draw;
  call.source = image.pixels;
  return GdipFrameRecord::Submit(target, std::move(call));
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
  GdipWillChange(pixels);
  GdipFrameRecord::Forget(pixels);
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
  return SubmitImage(*target, *source, GdipImageDraw{double(x), double(y), width, height, 0.0, 0.0, width, height});
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
  return SubmitImage(*target, *source, draw);
}

}  // namespace DllExports

namespace {

// A draw that is not a plain 1:1 copy, made within clip rows: the rasteriser
// steps through the source in fixed point from where the drawn rows start, so
// starting at the clip could round a filtered pixel another way. The draw is
// made whole onto a transparent bitmap on the target's pixel grid, and the
// clip rows compose that: the very pixels of the whole draw (see GdipScaledCopies.h).
GpStatus DrawThroughCopy(GdipGraphicsObject& target, const GdipImageObject& image, const GdipImageDraw& draw) {
  GdipCanvas canvas(target);
  if (canvas.Status() != Ok) return canvas.Status();
  if (canvas.Empty()) return Ok;
  const double right = std::max(draw.dx, draw.dx + draw.dw), bottom = std::max(draw.dy, draw.dy + draw.dh);
  const int width = int(std::min<double>(canvas.Pixels().width, std::ceil(right)));
  const int height = int(std::min<double>(canvas.Pixels().height, std::ceil(bottom)));
  if (width <= 0 || height <= 0) return Ok;
  GpStatus status = Ok;
  std::shared_ptr<GdipPixels> copy = GdipAllocatePixels(width, height, false, &status);
  if (!copy) return status;
  GdipGraphicsObject onCopy;
  onCopy.bitmap = copy;
  status = DrawImageDirect(onCopy, image, draw);
  if (status != Ok) return status;
  if (!canvas.ComposeOver(copy->data, copy->width, false, width, height, 0, 0)) return OutOfMemory;
  return Ok;
}

}  // namespace

GpStatus GdipRunImage(GdipGraphicsObject& target, const GdipCall& call) {
  GdipImageObject image;
  image.pixels = call.source;
  const GdipImageDraw& draw = call.draw;
  const bool plainCopy = draw.dw == draw.sw && draw.dh == draw.sh && draw.dw > 0.0 && draw.dh > 0.0;
  const bool clipped = target.clip.top != INT32_MIN || target.clip.bottom != INT32_MAX;
  if (clipped && !plainCopy) return GdipDrawImageRepeated(target, image, draw, DrawThroughCopy);
  return GdipDrawImageRepeated(target, image, draw, DrawImageDirect);
}
}  // namespace Gdiplus
