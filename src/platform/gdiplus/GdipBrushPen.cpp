// Solid brushes and pens.
#include <cmath>
#include <new>

#include "platform/gdiplus/GdipObjects.h"

namespace Gdiplus {

namespace {

// Pixels per unit of pen width at 96 dots per inch; 0 for a unit pens do not take.
REAL PenUnitScale(GpUnit unit) {
  switch (unit) {
    case UnitWorld:
    case UnitDisplay:
    case UnitPixel:
      return 1.0f;
    case UnitPoint:
      return 96.0f / 72.0f;
    case UnitInch:
      return 96.0f;
    case UnitDocument:
      return 96.0f / 300.0f;
    case UnitMillimeter:
      return 96.0f / 25.4f;
  }
  return 0.0f;
}

bool ValidPenWidth(REAL width) {
  return std::isfinite(width) && width >= 0.0f && width <= kGdipMaxCoordinate;
}

}  // namespace

namespace DllExports {

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
  if (brush == nullptr) return InvalidParameter;
  auto* object = new (std::nothrow) GdipSolidFillObject;
  if (object != nullptr) object->color = color;
  return GdipPublish(object, brush);
}

GpStatus GdipDeleteBrush(GpBrush* brush) {
  auto* object = GdipLookup<GdipSolidFillObject>(brush);
  if (object == nullptr) return InvalidParameter;
  GdipDestroy(object);
  return Ok;
}

GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit unit, GpPen** pen) {
  REAL scale = PenUnitScale(unit);
  if (pen == nullptr || scale == 0.0f || !ValidPenWidth(width)) return InvalidParameter;
  auto* object = new (std::nothrow) GdipPenObject;
  if (object != nullptr) {
    object->color = color;
    object->width = width;
    object->unitScale = scale;
  }
  return GdipPublish(object, pen);
}

GpStatus GdipSetPenWidth(GpPen* pen, REAL width) {
  auto* object = GdipLookup<GdipPenObject>(pen);
  if (object == nullptr || !ValidPenWidth(width)) return InvalidParameter;
  object->width = width;
  return Ok;
}

GpStatus GdipGetPenWidth(GpPen* pen, REAL* width) {
  auto* object = GdipLookup<GdipPenObject>(pen);
  if (object == nullptr || width == nullptr) return InvalidParameter;
  *width = object->width;
  return Ok;
}

GpStatus GdipDeletePen(GpPen* pen) {
  auto* object = GdipLookup<GdipPenObject>(pen);
  if (object == nullptr) return InvalidParameter;
  GdipDestroy(object);
  return Ok;
}

}  // namespace DllExports
}  // namespace Gdiplus
