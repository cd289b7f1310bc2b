#pragma once
// Shared pieces of the world tests: a world with its textures registered but no
// game window, a game with its window for the map window, painting known
// colours into loaded sheets so that pictures can be checked pixel by pixel,
// and map-file texts.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "graphics/Geometry.h"
#include "graphics/TTexture.h"
#include "support/GameHarness.h"

// Every texture registered, GDI+ and the drawing objects running, the working
// directory a scratch one that sees the generated res/. The world is cleared
// and the textures freed at the end.
class TWorldTest : public ::testing::Test {
 protected:
  TWorldTest();
  ~TWorldTest() override;

  TGameHarness Harness;
};

// The game running headless, one frame drawn, so that a desktop exists.
class TGameWorldTest : public ::testing::Test {
 protected:
  TGameWorldTest();

  TGameHarness Harness;
};

// Fills the rectangle of a loaded sheet with one colour (non-premultiplied
// ARGB). False when the image is missing or the rectangle does not fit.
bool PaintImage(const TTexture& in_texture, const TRect& in_rect, uint32_t in_color);

// The lines joined, each ended by CR LF.
std::string CrLfLines(std::initializer_list<const char*> in_lines);

// True when every channel of the two ARGB colours differs by at most in_tolerance.
bool NearColor(uint32_t in_a, uint32_t in_b, int in_tolerance);
