#include "graphics/TGraphics.h"

#include <new>

TGraphics::~TGraphics() {
  if (Handle_) GdipDeleteGraphics(Handle_);
}

namespace {

// Wraps the result of a GDI+ creation call; null when the wrapper's own memory
// cannot be had (the native object is then deleted again).
std::unique_ptr<TGraphics> Wrap(Status status, GpGraphics* handle) {
  std::unique_ptr<TGraphics> graphics(new (std::nothrow) TGraphics(status == Ok ? handle : nullptr));
  if (!graphics) {
    if (status == Ok) GdipDeleteGraphics(handle);
    return nullptr;
  }
  graphics->RecordCreation(status);
  return graphics;
}

}  // namespace

std::unique_ptr<TGraphics> TGraphics::FromHdc(HDC hdc) {
  GpGraphics* handle = nullptr;
  const Status status = GdipCreateFromHDC(hdc, &handle);
  return Wrap(status, handle);
}

std::unique_ptr<TGraphics> TGraphics::FromImage(GpImage* image) {
  GpGraphics* handle = nullptr;
  const Status status = image ? GdipGetImageGraphicsContext(image, &handle) : InvalidParameter;
  return Wrap(status, handle);
}

void TGraphics::Record(Status status) {
  if (status != Ok) LastStatus_ = status;
}

void TGraphics::Clear(ARGB color) { Record(GdipGraphicsClear(Handle_, color)); }

void TGraphics::FillRectangle(GpBrush* brush, int x, int y, int width, int height) {
  Record(GdipFillRectangleI(Handle_, brush, x, y, width, height));
}

void TGraphics::FillRectangle(GpBrush* brush, float x, float y, float width, float height) {
  Record(GdipFillRectangle(Handle_, brush, x, y, width, height));
}

void TGraphics::DrawRectangle(GpPen* pen, int x, int y, int width, int height) {
  Record(GdipDrawRectangleI(Handle_, pen, x, y, width, height));
}

void TGraphics::FillEllipse(GpBrush* brush, int x, int y, int width, int height) {
  Record(GdipFillEllipseI(Handle_, brush, x, y, width, height));
}

void TGraphics::DrawEllipse(GpPen* pen, int x, int y, int width, int height) {
  Record(GdipDrawEllipseI(Handle_, pen, x, y, width, height));
}

void TGraphics::DrawImage(GpImage* image, int x, int y) { Record(GdipDrawImageI(Handle_, image, x, y)); }

void TGraphics::DrawImage(GpImage* image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh) {
  Record(GdipDrawImageRectRectI(Handle_, image, dx, dy, dw, dh, sx, sy, sw, sh, UnitPixel, nullptr, nullptr,
                                nullptr));
}

void TGraphics::DrawString(const std::wstring& text, GpFont* font, const RectF& layout, GpStringFormat* format,
                           GpBrush* brush) {
  Record(GdipDrawString(Handle_, text.c_str(), static_cast<INT>(text.size()), font, &layout, format, brush));
}
