#pragma once
// The shared fonts, brushes and pens. Created once right after GDI+ starts and
// freed once before it stops; windows never make their own.

#include <memory>

#include "graphics/GdiplusObjects.h"
#include "graphics/TGraphics.h"

constexpr int kPaletteSize = 20;

// The palette, ARGB. Brush i and pen i of the shared sets have colour i.
extern const ARGB Palette[kPaletteSize];

// Palette indices the widgets name.
enum TPaletteIndex {
  kVeryLightRed = 0,
  kLightRed = 1,
  kRed = 2,
  kDarkRed = 4,
  kVeryLightBlue = 10,
  kBlue = 12,
  kWhite = 15,
  kDarkGrey = 18,
  kBlack = 19,
};

extern TFont* FontCourier10;
extern TFont* FontTimes8;
extern TFont* FontTimes10;
extern TFont* FontTimes12;
extern TFont* FontTimes14;
extern TFont* FontTimes16;
extern TBrush* PaletteBrushes[kPaletteSize];
extern TBrush* BrushHalfBlue;
extern TBrush* BrushHalfGreen;
extern TBrush* BrushHalfRed;
extern TBrush* BrushHalfBlack;
extern TBrush* BrushHalfWhite;
extern TPen* PalettePens[kPaletteSize];
// Shared string formats by horizontal alignment, and the vertical one of the
// upright scroll bar (near, centred, far along the column).
extern TStringFormat* FormatNear;
extern TStringFormat* FormatCenter;
extern TStringFormat* FormatFar;
extern TStringFormat* FormatVerticalNear;
extern TStringFormat* FormatVerticalCenter;
extern TStringFormat* FormatVerticalFar;

// The handles of the shared objects, or null while they do not exist.
inline GpBrush* BrushHandle(const TBrush* brush) { return brush ? brush->Handle() : nullptr; }
inline GpPen* PenHandle(const TPen* pen) { return pen ? pen->Handle() : nullptr; }
inline GpFont* FontHandle(const TFont* font) { return font ? font->Handle() : nullptr; }
inline GpStringFormat* FormatHandle(const TStringFormat* format) { return format ? format->Handle() : nullptr; }

// Creates the six fonts, the twenty palette brushes, the five half-transparent
// brushes and the twenty palette pens, in that order, then the string formats. An object whose
// allocation fails stays empty (null).
void CreateDrawingObjects();

// Deletes the fonts, then the brushes, then the pens; each only if it exists.
void FreeDrawingObjects();

// Keeps an off-screen buffer (a 32-bit ARGB bitmap and a surface drawing into
// it) at the given size. A bitmap already of that size stays, with its surface
// and picture; otherwise both are replaced by new, transparent ones and the new
// surface is stored in the cell, so everything drawing through the cell follows.
void ResizeBuffer(std::unique_ptr<TBitmap>& bitmap, TGraphics*& cell, int width, int height);
