// Graphics objects: on a window's device context or on a bitmap.
#include <new>
#include <utility>

#include "platform/gdiplus/GdipCall.h"
#include "platform/gdiplus/GdipCanvas.h"
#include "platform/gdiplus/GdipFrameRecord.h"
#include "platform/gdiplus/GdipObjects.h"

namespace Gdiplus {
namespace DllExports {

GpStatus GdipCreateFromHDC(HDC hdc, GpGraphics** graphics) {
  if (graphics == nullptr) return InvalidParameter;
  // A null device context is refused as the system library refuses it. Any
  // other is taken as it is: a window may have no pixels yet (zero size), and
  // its pixels are looked up at every drawing call anyway, where a context
  // without a window fails with Win32Error.
  if (hdc == nullptr) return OutOfMemory;
  auto* object = new (std::nothrow) GdipGraphicsObject;
  if (object != nullptr) object->hdc = hdc;
  return GdipPublish(object, graphics);
}

GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
  auto* source = GdipLookup<GdipImageObject>(image);
  if (source == nullptr || graphics == nullptr) return InvalidParameter;
  auto* object = new (std::nothrow) GdipGraphicsObject;
  if (object != nullptr) object->bitmap = source->pixels;
  return GdipPublish(object, graphics);
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics) {
  auto* object = GdipLookup<GdipGraphicsObject>(graphics);
  if (object == nullptr) return InvalidParameter;
  GdipDestroy(object);
  return Ok;
}

GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color) {
  auto* object = GdipLookup<GdipGraphicsObject>(graphics);
  if (object == nullptr) return InvalidParameter;
  GdipCall call;
  call.kind = GdipCallKind::Clear;
  call.color = color;
  return GdipFrameRecord::Submit(*object, std::move(call));
}

}  // namespace DllExports

GpStatus GdipRunClear(GdipGraphicsObject& target, const GdipCall& call) {
  GdipCanvas canvas(target);
  if (canvas.Status() != Ok) return canvas.Status();
  if (canvas.Empty()) return Ok;
  // Replaces every pixel, alpha included; nothing is blended.
  canvas.Fill(GdipPremultiply(call.color));
  return Ok;
}
}  // namespace Gdiplus
