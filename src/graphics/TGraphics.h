#pragma once
// A drawing surface: an owned GDI+ Graphics object and the status of its last
// failing call. Drawing never throws and never stops the frame: a failing call
// records its status here and the caller goes on. A surface without a handle
// (its creation failed) draws nothing.

#include <memory>
#include <string>

#include "platform/Win32.h"

class TGraphics {
 public:
  explicit TGraphics(GpGraphics* handle) : Handle_(handle) {}
  ~TGraphics();
  TGraphics(const TGraphics&) = delete;
  TGraphics& operator=(const TGraphics&) = delete;

  // A surface on a window's device context, or on an image; null when the
  // memory for the wrapper cannot be had. A failed GDI+ call gives a surface
  // with no handle and the failure recorded.
  static std::unique_ptr<TGraphics> FromHdc(HDC hdc);
  static std::unique_ptr<TGraphics> FromImage(GpImage* image);

  GpGraphics* Handle() const { return Handle_; }
  Status LastStatus() const { return LastStatus_; }
  // Keeps the status of the call that made (or failed to make) the handle.
  void RecordCreation(Status status) { Record(status); }

  void Clear(ARGB color);
  void FillRectangle(GpBrush* brush, int x, int y, int width, int height);
  void FillRectangle(GpBrush* brush, float x, float y, float width, float height);
  void DrawRectangle(GpPen* pen, int x, int y, int width, int height);
  void FillEllipse(GpBrush* brush, int x, int y, int width, int height);
  void DrawEllipse(GpPen* pen, int x, int y, int width, int height);
  void DrawImage(GpImage* image, int x, int y);
  // Draws the source rectangle of the image (pixels) scaled into the destination.
  void DrawImage(GpImage* image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh);
  // Draws the string in the layout rectangle; a layout of zero size means no
  // wrapping and no clipping. A null format is the default format.
  void DrawString(const std::wstring& text, GpFont* font, const RectF& layout, GpStringFormat* format,
                  GpBrush* brush);

 private:
  void Record(Status status);

  GpGraphics* Handle_;
  Status LastStatus_ = Ok;
};
