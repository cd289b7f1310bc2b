#pragma once
// Owning wrappers of the GDI+ objects the game keeps: each holds its native
// handle (empty when creation failed) and the status of its last failing call.
// None of them ever throws; drawing with an empty object draws nothing.

#include "platform/Win32.h"

class TBrush {
 public:
  explicit TBrush(ARGB color);
  ~TBrush();
  TBrush(const TBrush&) = delete;
  TBrush& operator=(const TBrush&) = delete;
  GpBrush* Handle() const { return Handle_; }
  Status LastStatus() const { return LastStatus_; }

 private:
  GpSolidFill* Handle_ = nullptr;
  Status LastStatus_ = Ok;
};

class TPen {
 public:
  // A pen of the colour, width 1.0, in world units.
  explicit TPen(ARGB color);
  ~TPen();
  TPen(const TPen&) = delete;
  TPen& operator=(const TPen&) = delete;
  GpPen* Handle() const { return Handle_; }
  Status LastStatus() const { return LastStatus_; }
  void SetWidth(float width);

 private:
  GpPen* Handle_ = nullptr;
  Status LastStatus_ = Ok;
};

class TFont {
 public:
  // Regular style, size in points. A family that does not exist, or a font
  // that cannot be made from it, falls back to the generic sans-serif family.
  TFont(const wchar_t* family, float points);
  ~TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  GpFont* Handle() const { return Handle_; }
  Status LastStatus() const { return LastStatus_; }

 private:
  GpFont* Handle_ = nullptr;
  Status LastStatus_ = Ok;
};

class TStringFormat {
 public:
  // A string format with the horizontal alignment and the format flags.
  explicit TStringFormat(StringAlignment align, INT flags = 0);
  ~TStringFormat();
  TStringFormat(const TStringFormat&) = delete;
  TStringFormat& operator=(const TStringFormat&) = delete;
  GpStringFormat* Handle() const { return Handle_; }

 private:
  GpStringFormat* Handle_ = nullptr;
};

class TBitmap {
 public:
  // A 32-bit ARGB bitmap, fully transparent.
  TBitmap(int width, int height);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  GpBitmap* Handle() const { return Handle_; }
  Status LastStatus() const { return LastStatus_; }
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  // The pixel as non-premultiplied ARGB; 0 outside or when empty.
  ARGB Pixel(int x, int y) const;

 private:
  GpBitmap* Handle_ = nullptr;
  Status LastStatus_ = Ok;
  int Width_;
  int Height_;
};

// Drops the generic sans-serif family that fonts fall back to. Called after the
// last font is freed.
void FreeGenericSansSerif();
