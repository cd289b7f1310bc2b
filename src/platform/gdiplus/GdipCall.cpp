#include "platform/gdiplus/GdipCall.h"

#include <algorithm>
#include <cmath>

namespace Gdiplus {

namespace {

constexpr GdipRows kAllRows{INT32_MIN, INT32_MAX};

int Floor(double value) { return int(std::clamp(std::floor(value), double(INT32_MIN), double(INT32_MAX))); }
int Ceil(double value) { return int(std::clamp(std::ceil(value), double(INT32_MIN), double(INT32_MAX))); }

// The rows of y0 to y1, reach pixels further both ways.
GdipRows RowsAround(double y0, double y1, double reach) {
  return GdipRows{Floor(std::min(y0, y1) - reach), Ceil(std::max(y0, y1) + reach)};
}

double PenReach(const GdipCall& call) { return std::max(1.0, double(call.penWidth) * call.unitScale) + 2.0; }

}  // namespace

GdipRows GdipCall::Rows() const {
  switch (kind) {
    case GdipCallKind::Clear:
      return kAllRows;
    case GdipCallKind::FillRect:
      return GdipRows{Floor(b), Ceil(d)};
    case GdipCallKind::DrawRect:
    case GdipCallKind::DrawEllipse:
      return RowsAround(b, b + d, PenReach(*this));
    case GdipCallKind::FillEllipse:
      return RowsAround(b, b + d, 2.0);
    case GdipCallKind::DrawLine:
      return RowsAround(b, d, PenReach(*this));
    case GdipCallKind::DrawImage:
      return RowsAround(draw.dy, draw.dy + draw.dh, 1.0);
    case GdipCallKind::DrawString:
      // Text stays inside its rectangle's rows only when clipped to them.
      if (text && !(text->flags & StringFormatFlagsNoClip) && text->rect.Height > 0.0f)
        return RowsAround(text->rect.Y, double(text->rect.Y) + text->rect.Height, 1.0);
      return kAllRows;
  }
  return kAllRows;
}

bool GdipCall::Replaces(GdipBox* out_box) const {
  switch (kind) {
    case GdipCallKind::Clear:
      *out_box = GdipBox{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
      return true;
    case GdipCallKind::FillRect:
      if ((color >> 24) != 0xFF) return false;
      *out_box = GdipBox{Ceil(a), Ceil(b), Floor(c), Floor(d)};
      return true;
    case GdipCallKind::DrawImage: {
      if (!sourceOpaque || !source || draw.dw == 0.0 || draw.dh == 0.0 || draw.sw == 0.0 || draw.sh == 0.0)
        return false;
      GdipBox box{Ceil(std::min(draw.dx, draw.dx + draw.dw)), Ceil(std::min(draw.dy, draw.dy + draw.dh)),
                  Floor(std::max(draw.dx, draw.dx + draw.dw)), Floor(std::max(draw.dy, draw.dy + draw.dh))};
      // Unscaled and unmirrored, only the part of the source rectangle inside
      // the image is drawn; otherwise the image's edges repeat over the rest.
      if (draw.dw == draw.sw && draw.dh == draw.sh && draw.dw > 0.0 && draw.dh > 0.0) {
        box.left = std::max(box.left, Ceil(draw.dx - draw.sx));
        box.top = std::max(box.top, Ceil(draw.dy - draw.sy));
        box.right = std::min(box.right, Floor(draw.dx - draw.sx + source->width));
        box.bottom = std::min(box.bottom, Floor(draw.dy - draw.sy + source->height));
      }
      *out_box = box;
      return box.left < box.right && box.top < box.bottom;
    }
    default:
      return false;
  }
}

bool GdipCall::SameButGeneration(const GdipCall& other) const {
  return kind == other.kind && a == other.a && b == other.b && c == other.c && d == other.d && draw == other.draw &&
         color == other.color && penWidth == other.penWidth && unitScale == other.unitScale &&
         source == other.source && sourceOpaque == other.sourceOpaque &&
         (text == other.text || (text && other.text && *text == *other.text));
}

GpStatus GdipRunCall(GdipGraphicsObject& target, const GdipCall& call) {
  switch (call.kind) {
    case GdipCallKind::Clear:
      return GdipRunClear(target, call);
    case GdipCallKind::DrawImage:
      return GdipRunImage(target, call);
    case GdipCallKind::DrawString:
      return GdipRunText(target, call);
    default:
      return GdipRunShape(target, call);
  }
}

}  // namespace Gdiplus
