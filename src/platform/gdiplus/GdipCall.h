#pragma once
// Internal to the drawing half of the platform layer: one drawing call on a
// Graphics, held by value, so that it can be carried out later than it was
// given and compared with the calls of the frame before (GdipFrameRecord.h).
// It holds everything its pixels depend on: the kind, the coordinates, the
// colour and pen, the text with its font and format, and the source image
// with the generation it had when the call was given.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdiplus/GdipObjects.h"
#include "platform/gdiplus/GdipScaledCopies.h"

namespace Gdiplus {

enum class GdipCallKind : uint8_t { Clear, FillRect, DrawRect, FillEllipse, DrawEllipse, DrawLine, DrawImage, DrawString };

// What a text call needs besides its colour.
struct GdipTextCall {
  std::string text;
  std::string family;
  double pixelSize = 0.0;
  INT style = 0;
  RectF rect;
  INT flags = 0;
  StringAlignment align = StringAlignmentNear;
  StringAlignment lineAlign = StringAlignmentNear;
  bool operator==(const GdipTextCall& other) const {
    return text == other.text && family == other.family && pixelSize == other.pixelSize && style == other.style &&
           rect.X == other.rect.X && rect.Y == other.rect.Y && rect.Width == other.rect.Width &&
           rect.Height == other.rect.Height && flags == other.flags && align == other.align &&
           lineAlign == other.lineAlign;
  }
};

// A box [left, right) x [top, bottom) of pixels.
struct GdipBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct GdipCall {
  GdipCallKind kind = GdipCallKind::FillRect;
  // FillRect: the pixel box [a, c) x [b, d). DrawRect, FillEllipse and
  // DrawEllipse: x a, y b, width c, height d. DrawLine: from (a, b) to (c, d).
  double a = 0.0, b = 0.0, c = 0.0, d = 0.0;
  // DrawImage: the destination and source rectangles.
  GdipImageDraw draw{};
  // Clear: the colour given; the others: the brush's or the pen's colour.
  ARGB color = 0;
  // The pen of DrawRect, DrawEllipse and DrawLine.
  REAL penWidth = 1.0f;
  REAL unitScale = 1.0f;
  // DrawImage: the pixels drawn, their generation and whether every pixel is
  // opaque when the call was given.
  std::shared_ptr<GdipPixels> source;
  uint64_t sourceGeneration = 0;
  bool sourceOpaque = false;
  // DrawString.
  std::shared_ptr<const GdipTextCall> text;

  // The rows the call may change, at most; INT32_MIN to INT32_MAX when unbounded.
  GdipRows Rows() const;
  // Whether the call gives every pixel of a box a value that does not depend
  // on what was there (an opaque fill or image, a clear), and the box.
  bool Replaces(GdipBox* out_box) const;
  // Everything but the source's generation is the same.
  bool SameButGeneration(const GdipCall& other) const;
};

// Carries the call out on the target now, within its clip rows. Each runner
// lives beside the API call it comes from.
GpStatus GdipRunCall(GdipGraphicsObject& target, const GdipCall& call);
GpStatus GdipRunClear(GdipGraphicsObject& target, const GdipCall& call);
GpStatus GdipRunShape(GdipGraphicsObject& target, const GdipCall& call);
GpStatus GdipRunImage(GdipGraphicsObject& target, const GdipCall& call);
GpStatus GdipRunText(GdipGraphicsObject& target, const GdipCall& call);

}  // namespace Gdiplus
