#include "graphics/DrawingObjects.h"

#include <new>

const ARGB Palette[kPaletteSize] = {
    0xFFFFE6E6, 0xFFFFC8C8, 0xFFFF0000, 0xFFE60000, 0xFFC80000, 0xFFE6FFE6, 0xFFC8FFC8,
    0xFF00FF00, 0xFF00E600, 0xFF00C800, 0xFFE6E6FF, 0xFFC8C8FF, 0xFF0000FF, 0xFF0000E6,
    0xFF0000C8, 0xFFFFFFFF, 0xFFC8C8C8, 0xFF787878, 0xFF3C3C3C, 0xFF000000};

TFont* FontCourier10 = nullptr;
TFont* FontTimes8 = nullptr;
TFont* FontTimes10 = nullptr;
TFont* FontTimes12 = nullptr;
TFont* FontTimes14 = nullptr;
TFont* FontTimes16 = nullptr;
TBrush* PaletteBrushes[kPaletteSize] = {};
TBrush* BrushHalfBlue = nullptr;
TBrush* BrushHalfGreen = nullptr;
TBrush* BrushHalfRed = nullptr;
TBrush* BrushHalfBlack = nullptr;
TBrush* BrushHalfWhite = nullptr;
TPen* PalettePens[kPaletteSize] = {};
TStringFormat* FormatNear = nullptr;
TStringFormat* FormatCenter = nullptr;
TStringFormat* FormatFar = nullptr;
TStringFormat* FormatVerticalNear = nullptr;
TStringFormat* FormatVerticalCenter = nullptr;
TStringFormat* FormatVerticalFar = nullptr;

namespace {

template <typename T>
void Free(T*& object) {
  delete object;
  object = nullptr;
}

TFont** const Fonts[] = {&FontCourier10, &FontTimes8, &FontTimes10, &FontTimes12, &FontTimes14, &FontTimes16};
TBrush** const HalfBrushes[] = {&BrushHalfBlue, &BrushHalfGreen, &BrushHalfRed, &BrushHalfBlack,
                                &BrushHalfWhite};
TStringFormat** const Formats[] = {&FormatNear,         &FormatCenter,         &FormatFar,
                                   &FormatVerticalNear, &FormatVerticalCenter, &FormatVerticalFar};

}  // namespace

void CreateDrawingObjects() {
  FontCourier10 = new (std::nothrow) TFont(L"Courier New", 10.0f);
  FontTimes8 = new (std::nothrow) TFont(L"Times New Roman", 8.0f);
  FontTimes10 = new (std::nothrow) TFont(L"Times New Roman", 10.0f);
  FontTimes12 = new (std::nothrow) TFont(L"Times New Roman", 12.0f);
  FontTimes14 = new (std::nothrow) TFont(L"Times New Roman", 14.0f);
  FontTimes16 = new (std::nothrow) TFont(L"Times New Roman", 16.0f);
  for (int i = 0; i < kPaletteSize; ++i) PaletteBrushes[i] = new (std::nothrow) TBrush(Palette[i]);
  BrushHalfBlue = new (std::nothrow) TBrush(0x7F0000FF);
  BrushHalfGreen = new (std::nothrow) TBrush(0x7F00FF00);
  BrushHalfRed = new (std::nothrow) TBrush(0x7FFF0000);
  BrushHalfBlack = new (std::nothrow) TBrush(0x7F000000);
  BrushHalfWhite = new (std::nothrow) TBrush(0x7FFFFFFF);
  for (int i = 0; i < kPaletteSize; ++i) PalettePens[i] = new (std::nothrow) TPen(Palette[i]);
  FormatNear = new (std::nothrow) TStringFormat(StringAlignmentNear);
  FormatCenter = new (std::nothrow) TStringFormat(StringAlignmentCenter);
  FormatFar = new (std::nothrow) TStringFormat(StringAlignmentFar);
  FormatVerticalNear = new (std::nothrow) TStringFormat(StringAlignmentNear, StringFormatFlagsDirectionVertical);
  FormatVerticalCenter =
      new (std::nothrow) TStringFormat(StringAlignmentCenter, StringFormatFlagsDirectionVertical);
  FormatVerticalFar = new (std::nothrow) TStringFormat(StringAlignmentFar, StringFormatFlagsDirectionVertical);
}

void FreeDrawingObjects() {
  for (TFont** font : Fonts) Free(*font);
  for (TBrush*& brush : PaletteBrushes) Free(brush);
  for (TBrush** brush : HalfBrushes) Free(*brush);
  for (TPen*& pen : PalettePens) Free(pen);
  for (TStringFormat** format : Formats) Free(*format);
  FreeGenericSansSerif();
}

void ResizeBuffer(std::unique_ptr<TBitmap>& bitmap, TGraphics*& cell, int width, int height) {
  if (bitmap && bitmap->Width() == width && bitmap->Height() == height) return;
  bitmap.reset();
  delete cell;
  cell = nullptr;
  bitmap.reset(new (std::nothrow) TBitmap(width, height));
  if (bitmap) cell = TGraphics::FromImage(bitmap->Handle()).release();
}
