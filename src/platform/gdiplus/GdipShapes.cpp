// Rectangles, ellipses and lines, drawn without antialiasing (the default
// smoothing mode). As with the default pixel offset mode, integer coordinates
// are pixel centres: a fill covers the pixels whose centre lies inside the
// shape, and a one-pixel pen on an integer line covers exactly that line, so a
// 10 x 10 rectangle outline covers 11 x 11 pixels.
#include <cairo.h>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/gdiplus/GdipCall.h"
#include "platform/gdiplus/GdipCanvas.h"
#include "platform/gdiplus/GdipFrameRecord.h"
#include "platform/gdiplus/GdipObjects.h"

namespace Gdiplus {

namespace {

void SetSourceColor(cairo_t* cr, ARGB color) {
  cairo_set_source_rgba(cr, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                        (color & 0xFF) / 255.0, (color >> 24) / 255.0);
}

// Runs draw(cr) on a non-antialiased context in the colour given, with the
// half-pixel shift that puts integer coordinates on pixel centres when shifted.
// The shape stays within reach pixels of the box (x0, y0) to (x1, y1).
template <class Draw>
GpStatus DrawOn(GdipGraphicsObject& graphics, ARGB color, bool centred, double x0, double y0, double x1,
                double y1, double reach, Draw draw) {
  GdipCanvas canvas(graphics);
  if (canvas.Status() != Ok) return canvas.Status();
  if (canvas.Empty()) return Ok;
  const auto outward = [](double v) { return std::clamp(v, -1.0, double(kGdipMaxSide) + 2.0); };
  auto* cr = static_cast<cairo_t*>(canvas.Cairo(
      int(std::floor(outward(std::min(x0, x1) - reach))), int(std::floor(outward(std::min(y0, y1) - reach))),
      int(std::ceil(outward(std::max(x0, x1) + reach))), int(std::ceil(outward(std::max(y0, y1) + reach)))));
  if (cr == nullptr) return OutOfMemory;
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  if (centred) cairo_translate(cr, 0.5, 0.5);
  SetSourceColor(cr, color);
  draw(cr);
  canvas.Changed();
  return Ok;
}

// The pen's width in pixels; thinner pens draw one pixel wide.
double PenPixels(const GdipPenObject& pen) { return std::max(1.0, double(pen.width) * pen.unitScale); }

void StrokeWith(cairo_t* cr, const GdipPenObject& pen) {
  cairo_set_line_width(cr, PenPixels(pen));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_stroke(cr);
}

void EllipsePath(cairo_t* cr, double x, double y, double width, double height) {
  cairo_save(cr);
  cairo_translate(cr, x + width / 2.0, y + height / 2.0);
  cairo_scale(cr, width / 2.0, height / 2.0);
  cairo_new_path(cr);
  cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, 2.0 * M_PI);
  cairo_close_path(cr);
  cairo_restore(cr);
}

// Fills the pixel columns [x0, x1) and rows [y0, y1), limited to the target.
GpStatus FillPixelRect(GdipGraphicsObject& graphics, const GdipSolidFillObject& brush, double x0, double y0,
                       double x1, double y1) {
  if (!(x1 > x0) || !(y1 > y0)) return Ok;
  return DrawOn(graphics, brush.color, false, x0, y0, x1, y1, 1.0, [&](cairo_t* cr) {
    // Limiting to just outside the largest possible target keeps the values in
    // the rasteriser's range whatever the caller passed.
    auto limit = [](double v) { return std::clamp(v, -1.0, double(kGdipMaxSide) + 1.0); };
    double left = limit(x0), top = limit(y0), right = limit(x1), bottom = limit(y1);
    if (right <= left || bottom <= top) return;
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_fill(cr);
  });
}

}  // namespace

namespace DllExports {

namespace {

GdipCall ShapeCall(GdipCallKind kind, double a, double b, double c, double d) {
  GdipCall call;
  call.kind = kind;
  call.a = a;
  call.b = b;
  call.c = c;
  call.d = d;
  return call;
}

GdipCall PenCall(GdipCallKind kind, const GdipPenObject& pen, double a, double b, double c, double d) {
  GdipCall call = ShapeCall(kind, a, b, c, d);
  call.color = pen.color;
  call.penWidth = pen.width;
  call.unitScale = pen.unitScale;
  return call;
}

GpStatus SubmitFill(GdipGraphicsObject& target, const GdipSolidFillObject& fill, double x0, double y0, double x1,
                    double y1) {
  if (!(x1 > x0) || !(y1 > y0)) return Ok;
  GdipCall call = ShapeCall(GdipCallKind::FillRect, x0, y0, x1, y1);
  call.color = fill.color;
  return GdipFrameRecord::Submit(target, std::move(call));
}

}  // namespace

GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
  auto* target = GdipLookup<GdipGraphicsObject>(graphics);
  auto* fill = GdipLookup<GdipSolidFillObject>(brush);
  if (target == nullptr || fill == nullptr) return InvalidParameter;
  return SubmitFill(*target, *fill, x, y, double(x) + width, double(y) + height);
}

GpStatus GdipFillRectangle(GpGraphics* graphics, GpBrush* brush, REAL x, REAL y, REAL width, REAL height) {
  auto* target = GdipLookup<GdipGraphicsObject>(graphics);
  auto* fill = GdipLookup<GdipSolidFillObject>(brush);
  if (target == nullptr || fill == nullptr) return InvalidParameter;
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width) || !std::isfinite(height)) {
    return InvalidParameter;
  }
  // Pixel i is covered when its centre i lies in [x, x + width).
  return SubmitFill(*target, *fill, std::ceil(double(x)), std::ceil(double(y)), std::ceil(double(x) + width),
                    std::ceil(double(y) + height));
}

GpStatus GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height) {
  auto* target = GdipLookup<GdipGraphicsObject>(graphics);
  auto* stroke = GdipLookup<GdipPenObject>(pen);
  if (target == nullptr || stroke == nullptr) return InvalidParameter;
  if (width < 0 || height < 0) return Ok;
  if (!GdipCoordinatesFit({double(x), double(y), double(x) + width, double(y) + height}))
    return ValueOverflow;
  return GdipFrameRecord::Submit(*target, PenCall(GdipCallKind::DrawRect, *stroke, x, y, width, height));
}

GpStatus GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
  auto* target = GdipLookup<GdipGraphicsObject>(graphics);
  auto* fill = GdipLookup<GdipSolidFillObject>(brush);
  if (target == nullptr || fill == nullptr) return InvalidParameter;
  if (width <= 0 || height <= 0) return Ok;
  if (!GdipCoordinatesFit({double(x), double(y), double(x) + width, double(y) + height}))
    return ValueOverflow;
  GdipCall call = ShapeCall(GdipCallKind::FillEllipse, x, y, width, height);
  call.color = fill->color;
  return GdipFrameRecord::Submit(*target, std::move(call));
}

GpStatus GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height) {
  auto* target = GdipLookup<GdipGraphicsObject>(graphics);
  auto* stroke = GdipLookup<GdipPenObject>(pen);
  if (target == nullptr || stroke == nullptr) return InvalidParameter;
  if (width <= 0 || height <= 0) return Ok;
  if (!GdipCoordinatesFit({double(x), double(y), double(x) + width, double(y) + height}))
    return ValueOverflow;
  return GdipFrameRecord::Submit(*target, PenCall(GdipCallKind::DrawEllipse, *stroke, x, y, width, height));
}

GpStatus GdipDrawLineI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2) {
  auto* target = GdipLookup<GdipGraphicsObject>(graphics);
  auto* stroke = GdipLookup<GdipPenObject>(pen);
  if (target == nullptr || stroke == nullptr) return InvalidParameter;
  if (!GdipCoordinatesFit({double(x1), double(y1), double(x2), double(y2)})) return ValueOverflow;
  if (x1 == x2 && y1 == y2) return Ok;
  return GdipFrameRecord::Submit(*target, PenCall(GdipCallKind::DrawLine, *stroke, x1, y1, x2, y2));
}

}  // namespace DllExports

GpStatus GdipRunShape(GdipGraphicsObject& target, const GdipCall& call) {
  GdipPenObject pen;
  pen.color = call.color;
  pen.width = call.penWidth;
  pen.unitScale = call.unitScale;
  const double a = call.a, b = call.b, c = call.c, d = call.d;
  switch (call.kind) {
    case GdipCallKind::FillRect: {
      GdipSolidFillObject brush;
      brush.color = call.color;
      return FillPixelRect(target, brush, a, b, c, d);
    }
    case GdipCallKind::DrawRect:
      return DrawOn(target, pen.color, true, a, b, a + c, b + d, PenPixels(pen) + 2.0, [&](cairo_t* cr) {
        cairo_rectangle(cr, a, b, c, d);
        StrokeWith(cr, pen);
      });
    case GdipCallKind::FillEllipse:
      return DrawOn(target, call.color, true, a, b, a + c, b + d, 2.0, [&](cairo_t* cr) {
        EllipsePath(cr, a, b, c, d);
        cairo_fill(cr);
      });
    case GdipCallKind::DrawEllipse:
      return DrawOn(target, pen.color, true, a, b, a + c, b + d, PenPixels(pen) + 2.0, [&](cairo_t* cr) {
        EllipsePath(cr, a, b, c, d);
        StrokeWith(cr, pen);
      });
    case GdipCallKind::DrawLine:
      return DrawOn(target, pen.color, true, a, b, c, d, PenPixels(pen) + 2.0, [&](cairo_t* cr) {
        cairo_move_to(cr, a, b);
        cairo_line_to(cr, c, d);
        StrokeWith(cr, pen);
      });
    default:
      return InvalidParameter;
  }
}

}  // namespace Gdiplus
