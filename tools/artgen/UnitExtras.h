#pragma once
#include "Image.h"

// Effect sheets kept beside the unit animations. Each is 8 columns (frames)
// by 8 rows (facings 0..7, as in the unit sheets).

// A glowing golden circle with light rising from the ground; 64 x 96 frames.
Image DrawGroundFlow();
// A crossbow bolt in flight; 32 x 64 frames.
Image DrawBoltFlight();
// A water spell bursting; 64 x 64 frames.
Image DrawWaterMagic();
