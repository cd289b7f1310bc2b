#pragma once
// The frame decoration of framed windows, drawn from the two frame textures
// (active and inactive look) and the background texture of a framed window.

#include <string>

#include "graphics/TFrameTexture.h"
#include "graphics/TGraphics.h"

// Clears the buffer to transparent, stretches the background over it, tiles the
// wide frame edges (each at its own size; the corners drawn last cover the
// joins), draws the four 40 x 40 corners, the title strip stretched to 10 pixels
// per caption character and centred, and the caption in white Courier 10.
void DrawCaptionFrame(const TFrameTexture& activeFrame, const TFrameTexture& inactiveFrame,
                      const TTexture& background, TGraphics& graphics, int32_t width, int32_t height,
                      const std::wstring& caption, bool active);

// Tiles the thin frame edges (15-pixel steps) and draws the 51 x 51 corners.
// Nothing is cleared and no background or caption is drawn.
void DrawThinFrame(TGraphics& graphics, const TFrameTexture& activeFrame, const TFrameTexture& inactiveFrame,
                   int32_t width, int32_t height, bool active);
