#pragma once
// The frame mix-in of framed buffer windows: holds the active and inactive
// frame textures and the background texture for the window's whole life.

#include <string>

#include "graphics/Geometry.h"
#include "graphics/TFrameTexture.h"
#include "graphics/TGraphics.h"

class TFrameRect {
 public:
  // Looks up and acquires "res/button/frame2.tif", "res/button/frame.tif" and
  // "res/button/cyprbk.tif", in that order.
  TFrameRect();
  // Releases them in the reverse order.
  ~TFrameRect();
  TFrameRect(const TFrameRect&) = delete;
  TFrameRect& operator=(const TFrameRect&) = delete;

  // Draws the caption frame over a window of the rectangle's size into its own surface.
  void DrawFrame(TGraphics& surface, const TRect& windowRect, const std::wstring& title, bool active);

  TRect Rect;
  TFrameTexture* ActiveBorder;
  TFrameTexture* InactiveBorder;
  TTexture* Background;
};
