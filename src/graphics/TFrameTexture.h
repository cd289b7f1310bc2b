#pragma once
// Window-frame images ("res/button/frame.tif" and "frame2.tif"): one shared
// layout of pieces (title strip, wide and thin frame edges and corners).

#include "graphics/Geometry.h"
#include "graphics/TTexture.h"

enum class TFramePiece {
  Title,
  WideTop,
  WideBottom,
  WideLeft,
  WideRight,
  WideTopLeft,
  WideTopRight,
  WideBottomLeft,
  WideBottomRight,
  ThinTop,
  ThinBottom,
  ThinLeft,
  ThinRight,
  ThinTopLeft,
  ThinTopRight,
  ThinBottomLeft,
  ThinBottomRight,
};

class TFrameTexture : public TTexture {
 public:
  explicit TFrameTexture(std::wstring path) : TTexture(std::move(path)) {}
  // Where the piece lies in the image.
  static TRect Piece(TFramePiece piece);
};

// The scroll-bar image "res/button/scroll.tif": for each bar, two arrow buttons
// and the thumb, each in three states (0 normal, 1 mouse over, 2 pressed).
enum class TScrollPiece { First, Second, Thumb };

class TScrollTexture : public TTexture {
 public:
  explicit TScrollTexture(std::wstring path) : TTexture(std::move(path)) {}
  // Where the piece of the horizontal or vertical bar lies for the state (0 to 2).
  static TRect Piece(bool vertical, TScrollPiece piece, int state);
};
