#pragma once
// Shared pieces of the world tests: a world with its textures registered but no
// game window, a game with its window for the map window, painting known
// colours into loaded sheets so that pictures can be checked pixel by pixel,
// and map-file texts.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "graphics/Geometry.h"
#include "graphics/TTexture.h"
#include "headless/GameHarness.h"

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

class TMap;
class TUnit;
class TWinCell;

// One cell token of GridMapText, replacing the bare cell at (Column, Row).
struct TGridToken {
  int Column;
  int Row;
  const char* Token;
};

// A map-file text: the turn counter, players "Red Baron" (0) and "Blue Duke"
// (1), and a grid of bare cells of tile (0, 0) but for the tokens given.
std::string GridMapText(int in_turn, int in_columns, int in_rows, std::initializer_list<TGridToken> in_cells);
// The same with the token of every cell (c, r) made by in_token; an empty one is a bare cell.
std::string GeneratedMapText(int in_turn, int in_columns, int in_rows,
                             const std::function<std::string(int, int)>& in_token);

// The game screen on a map read from text, played with real mouse messages.
class TMapPlayTest : public TGameWorldTest {
 protected:
  // Reads the map and shows it on the game screen (one frame runs); the map
  // window, or null with a failure.
  TMap* Show(const std::string& in_text);
  // The map window of the game screen shown; null when there is none.
  TMap* Map() const;
  // The window and the stack of a cell of the map shown.
  TWinCell* Window(int in_column, int in_row) const;
  TUnit* StackAt(int in_column, int in_row) const;
  // Mouse messages at the middle of a cell of the map shown.
  void Click(int in_column, int in_row);
  void Hover(int in_column, int in_row);
  void RightClick(int in_column, int in_row);
  // Presses the side menu's "Пропустить Ход." button.
  void SkipTurn();
  // The cells of the map shown that are marked on the route, row by row.
  std::vector<std::pair<int32_t, int32_t>> Marked() const;
  // A seed after which RandomNumber() % 10 first gives in_damage.
  static uint32_t SeedForDamage(int in_damage);
};

// Fills the rectangle of a loaded sheet with one colour (non-premultiplied
// ARGB). False when the image is missing or the rectangle does not fit.
bool PaintImage(const TTexture& in_texture, const TRect& in_rect, uint32_t in_color);

// The lines joined, each ended by CR LF.
std::string CrLfLines(std::initializer_list<const char*> in_lines);

// True when every channel of the two ARGB colours differs by at most in_tolerance.
bool NearColor(uint32_t in_a, uint32_t in_b, int in_tolerance);

// The sample maps shipped with the game (the *.map files of the maps folder,
// not its README), sorted by name.
std::vector<std::filesystem::path> SampleMapPaths();
