#pragma once
// The frame decoration of framed windows, drawn from the two frame textures
// (active and inactive look) and the background texture of a framed window.

#include <string>
#include <vector>

#include "graphics/TFrameTexture.h"
#include "graphics/TGraphics.h"

// One piece of a frame texture placed on a window: drawn at its own size, or
// stretched to the destination size (the title strip).
struct TPiecePlacement {
  TFramePiece Piece;
  TRect Destination;
};

// Where the caption frame's pieces go on a window of the size, in drawing
// order: left, right, top and bottom edges tiled at their own size (the last
// tile may run under a corner), the four 40 x 40 corners, then the title strip
// stretched to 10 pixels per caption character and centred.
std::vector<TPiecePlacement> CaptionFrameLayout(int32_t width, int32_t height, int32_t captionLength);

// Where the thin frame's pieces go: edges tiled in 15-pixel steps, then the
// 51 x 51 corners.
std::vector<TPiecePlacement> ThinFrameLayout(int32_t width, int32_t height);

// Clears the buffer to transparent, stretches the background over it, draws
// the caption frame's pieces from the active or inactive frame, then the
// caption in white Courier 10, centred, from y = 2.
void DrawCaptionFrame(const TFrameTexture& activeFrame, const TFrameTexture& inactiveFrame,
                      const TTexture& background, TGraphics& graphics, int32_t width, int32_t height,
                      const std::wstring& caption, bool active);

// Draws only the thin frame: nothing is cleared, no background, no caption.
void DrawThinFrame(TGraphics& graphics, const TFrameTexture& activeFrame, const TFrameTexture& inactiveFrame,
                   int32_t width, int32_t height, bool active);
