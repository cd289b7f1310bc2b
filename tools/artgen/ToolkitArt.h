#pragma once
#include "Image.h"

// Push button: three 150 x 30 frames stacked (pressed, hover, normal), light
// enough for black text.
Image DrawButtons();
// Check box: four 21 x 21 frames stacked (unticked with hover, unticked,
// ticked with hover, ticked).
Image DrawCheckBoxes();
// Window frame pieces, 102 x 256, in the fixed layout the frame routines cut:
// thin corners (51 x 51) at the top, wide corners (40 x 40) below them, the
// title strip at y 182, wide edge tiles at y 201 and thin edge tiles at y 229.
// The active frame is bright gold, the inactive one greyish bronze.
Image DrawFrame(bool active);
// Scroll bar pieces, 62 x 101: horizontal arrows and thumb in rows 0, 13, 26
// (normal, hover, pressed), vertical arrows at y 39 and 53 and thumbs at y 67
// with the states right to left.
Image DrawScrollPieces();
// The dark panel stretched behind framed windows, 256 x 256.
Image DrawPanel();
// The menu screen's picture, 1024 x 768.
Image DrawMenuBackground();
