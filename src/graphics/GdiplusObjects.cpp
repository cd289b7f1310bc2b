#include "graphics/GdiplusObjects.h"

namespace {

// The generic sans-serif family, obtained once and kept for every fallback.
GpFontFamily* GenericSansSerif = nullptr;
bool GenericSansSerifTried = false;

GpFontFamily* SansSerif() {
  if (!GenericSansSerifTried) {
    GenericSansSerifTried = true;
    if (GdipGetGenericFontFamilySansSerif(&GenericSansSerif) != Ok) GenericSansSerif = nullptr;
  }
  return GenericSansSerif;
}

}  // namespace

TBrush::TBrush(ARGB color) {
  LastStatus_ = GdipCreateSolidFill(color, &Handle_);
  if (LastStatus_ != Ok) Handle_ = nullptr;
}

TBrush::~TBrush() {
  if (Handle_) GdipDeleteBrush(Handle_);
}

TPen::TPen(ARGB color) {
  LastStatus_ = GdipCreatePen1(color, 1.0f, UnitWorld, &Handle_);
  if (LastStatus_ != Ok) Handle_ = nullptr;
}

TPen::~TPen() {
  if (Handle_) GdipDeletePen(Handle_);
}

void TPen::SetWidth(float width) {
  const Status status = GdipSetPenWidth(Handle_, width);
  if (status != Ok) LastStatus_ = status;
}

TFont::TFont(const wchar_t* family, float points) {
  GpFontFamily* named = nullptr;
  if (GdipCreateFontFamilyFromName(family, nullptr, &named) != Ok) named = nullptr;
  GpFontFamily* used = named ? named : SansSerif();
  LastStatus_ = used ? GdipCreateFont(used, points, FontStyleRegular, UnitPoint, &Handle_) : FontFamilyNotFound;
  if (LastStatus_ != Ok && used != SansSerif() && SansSerif()) {
    LastStatus_ = GdipCreateFont(SansSerif(), points, FontStyleRegular, UnitPoint, &Handle_);
  }
  if (LastStatus_ != Ok) Handle_ = nullptr;
  if (named) GdipDeleteFontFamily(named);
}

TFont::~TFont() {
  if (Handle_) GdipDeleteFont(Handle_);
}

void FreeGenericSansSerif() {
  if (GenericSansSerif) GdipDeleteFontFamily(GenericSansSerif);
  GenericSansSerif = nullptr;
  GenericSansSerifTried = false;
}

TStringFormat::TStringFormat(StringAlignment align, INT flags) {
  if (GdipCreateStringFormat(flags, 0, &Handle_) != Ok) {
    Handle_ = nullptr;
    return;
  }
  GdipSetStringFormatAlign(Handle_, align);
}

TStringFormat::~TStringFormat() {
  if (Handle_) GdipDeleteStringFormat(Handle_);
}

TBitmap::TBitmap(int width, int height) : Width_(width), Height_(height) {
  LastStatus_ = GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &Handle_);
  if (LastStatus_ != Ok) {
    Handle_ = nullptr;
    Width_ = Height_ = 0;
  }
}

TBitmap::~TBitmap() {
  if (Handle_) GdipDisposeImage(Handle_);
}

ARGB TBitmap::Pixel(int x, int y) const {
  ARGB color = 0;
  if (!Handle_ || GdipBitmapGetPixel(Handle_, x, y, &color) != Ok) return 0;
  return color;
}
