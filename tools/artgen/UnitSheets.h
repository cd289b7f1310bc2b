#pragma once
#include "Image.h"
#include "Units.h"

// The world point of a unit frame: the figure's feet, at this pixel of a
// 96 x 96 or 128 x 128 frame (the same map point in both sizes).
Vec3 FeetPixel(int frameSize);

// One frame: figure facing direction (0..7) in frame (0..7) of a state.
Image RenderUnitFrame(const UnitType& type, State state, int direction, int frame, int frameSize);
// The same figure in a picture of any size, feet at the given pixel, scale
// pixels per figure unit.
Image RenderFigure(const UnitType& type, State state, int direction, int frame, int width, int height,
                   double feetX, double feetY, double scale);
// A state's sheet: 8 columns of frames by 8 rows of facings.
Image RenderUnitSheet(const UnitType& type, State state);
