#include "support/WorldTestSupport.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/TextureRegistry.h"
#include "platform/Win32.h"
#include "shell/RandomNumber.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"
#include "world/MapFile.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/TUnit.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"

TWorldTest::TWorldTest() { RegisterTextures(); }

TWorldTest::~TWorldTest() {
  ClearMap();
  FreeTextures();
}

TGameWorldTest::TGameWorldTest() {
  Harness.Start();
  Harness.Tick();
}

bool PaintImage(const TTexture& in_texture, const TRect& in_rect, uint32_t in_color) {
  GpBitmap* bitmap = static_cast<GpBitmap*>(in_texture.Image());
  if (!bitmap || in_rect.x < 0 || in_rect.y < 0 || in_rect.x + in_rect.width > in_texture.ImageWidth() ||
      in_rect.y + in_rect.height > in_texture.ImageHeight())
    return false;
  for (int y = in_rect.y; y < in_rect.y + in_rect.height; ++y)
    for (int x = in_rect.x; x < in_rect.x + in_rect.width; ++x)
      if (GdipBitmapSetPixel(bitmap, x, y, in_color) != Ok) return false;
  return true;
}

std::string CrLfLines(std::initializer_list<const char*> in_lines) {
  std::string text;
  for (const char* line : in_lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool NearColor(uint32_t in_a, uint32_t in_b, int in_tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((in_a >> shift) & 0xFF);
    const int b = static_cast<int>((in_b >> shift) & 0xFF);
    if (std::abs(a - b) > in_tolerance) return false;
  }
  return true;
}

std::string GridMapText(int in_turn, int in_columns, int in_rows, std::initializer_list<TGridToken> in_cells) {
  return GeneratedMapText(in_turn, in_columns, in_rows, [&in_cells](int c, int r) {
    for (const TGridToken& cell : in_cells)
      if (cell.Column == c && cell.Row == r) return std::string(cell.Token);
    return std::string();
  });
}

std::string GeneratedMapText(int in_turn, int in_columns, int in_rows,
                             const std::function<std::string(int, int)>& in_token) {
  std::string text = std::to_string(in_turn) + "\r\n\"Red Baron\"\r\n\"Blue Duke\"\r\n[" +
                     std::to_string(in_columns) + " " + std::to_string(in_rows) + "]\r\n";
  for (int r = 0; r < in_rows; ++r) {
    for (int c = 0; c < in_columns; ++c) {
      const std::string token = in_token(c, r);
      text += (token.empty() ? std::string("<[0 0]NN>") : token) + "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

TMap* TMapPlayTest::Show(const std::string& in_text) {
  ReadMapFromBytes(in_text);
  RequestScreen(1);
  Harness.Tick();
  TMap* map = Map();
  if (!map) ADD_FAILURE() << "the game screen shows no map window";
  return map;
}

TMap* TMapPlayTest::Map() const {
  return RootWindow && !RootWindow->Children.empty() ? dynamic_cast<TMap*>(RootWindow->Children.front()) : nullptr;
}

TWinCell* TMapPlayTest::Window(int in_column, int in_row) const {
  TMap* map = Map();
  return map ? map->CellWindow(in_column, in_row) : nullptr;
}

TUnit* TMapPlayTest::StackAt(int in_column, int in_row) const {
  TWinCell* window = Window(in_column, in_row);
  return window && window->Cell ? window->Cell->Unit : nullptr;
}

void TMapPlayTest::Click(int in_column, int in_row) {
  Harness.LeftClick(TWinCell::kWidth * in_column + 32, TWinCell::kHeight * in_row + 24);
}

void TMapPlayTest::Hover(int in_column, int in_row) {
  Harness.MouseMove(TWinCell::kWidth * in_column + 32, TWinCell::kHeight * in_row + 24);
}

void TMapPlayTest::RightClick(int in_column, int in_row) {
  Harness.RightDown(TWinCell::kWidth * in_column + 32, TWinCell::kHeight * in_row + 24);
  Harness.RightUp(TWinCell::kWidth * in_column + 32, TWinCell::kHeight * in_row + 24);
}

void TMapPlayTest::SkipTurn() {
  if (RootWindow) Harness.LeftClick(RootWindow->Width - 200 + 100, 105);
}

std::vector<std::pair<int32_t, int32_t>> TMapPlayTest::Marked() const {
  std::vector<std::pair<int32_t, int32_t>> marked;
  if (TMap* map = Map())
    for (int r = 0; r < map->Rows(); ++r)
      for (int c = 0; c < map->Columns(); ++c)
        if (map->CellWindow(c, r)->OnRoute == 1) marked.push_back({c, r});
  return marked;
}

uint32_t TMapPlayTest::SeedForDamage(int in_damage) {
  for (uint32_t seed = 1;; ++seed) {
    SeedRandomNumber(seed);
    if (RandomNumber() % 10 == in_damage) {
      SeedRandomNumber(seed);
      return seed;
    }
  }
}

std::vector<std::filesystem::path> SampleMapPaths() {
  std::vector<std::filesystem::path> maps;
  for (const auto& entry : std::filesystem::directory_iterator(KRAMBOL_MAPS_DIR))
    if (entry.path().extension() == ".map") maps.push_back(entry.path());
  std::sort(maps.begin(), maps.end());
  return maps;
}
