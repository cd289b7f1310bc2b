// Whole screens compared with stored checksums of their pixels, so that work
// on the drawing code cannot change a picture unnoticed. The checksums belong
// to this machine's fonts and libraries (the same Debian packages as CI). When
// a deliberate change alters a picture, run the test with
// KRAMBOL_PRINT_SCREEN_CHECKSUMS=1 set: it prints every screen's new checksum.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/ScreenFixture.h"
#include "screens/TMainMenu.h"
#include "screens/TNewGameMenu.h"
#include "world/TMap.h"
#include "world/TWinCell.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

class ScreenPicturesTest : public ScreenTest {
 protected:
  void SetUp() override {
    CopySampleMap("battle.map");
    Harness.Start();
    SetClientSize(kWidth, kHeight);
    Harness.Tick();
  }

  // FNV-1a over every pixel of the screen, row by row.
  uint64_t ScreenChecksum() const {
    uint64_t hash = 14695981039346656037ull;
    for (uint32_t pixel : PixelsIn(TRect{0, 0, kWidth, kHeight})) {
      for (int shift = 0; shift < 32; shift += 8) {
        hash ^= (pixel >> shift) & 0xFF;
        hash *= 1099511628211ull;
      }
    }
    return hash;
  }

  void ExpectScreen(const char* name, uint64_t expected) const {
    const uint64_t actual = ScreenChecksum();
    if (std::getenv("KRAMBOL_PRINT_SCREEN_CHECKSUMS"))
      std::printf("screen checksum %s: 0x%016llxull\n", name, static_cast<unsigned long long>(actual));
    EXPECT_EQ(actual, expected) << name << " changed: its checksum is now 0x" << std::hex << actual;
  }

  // The screen point in the middle of a cell.
  static TPoint CellCentre(const TMap* map, int32_t column, int32_t row) {
    const TWinCell* cell = map->CellWindow(column, row);
    return OnScreen(cell, cell->X + TWinCell::kWidth / 2, cell->Y + TWinCell::kHeight / 2);
  }
};

TEST_F(ScreenPicturesTest, MenuScreenAndMapListKeepTheirPictures) {
  ExpectScreen("menu", 0x99150a4af1c05fd6ull);
  // The background is drawn over the last frame: the second frame is the same.
  Harness.Tick();
  ExpectScreen("menu", 0x99150a4af1c05fd6ull);

  ClickButton(LiveOf<TMainMenu>().front(), L"Загрузить игру");
  Harness.Tick();
  ExpectScreen("map list", 0xd06bcbd959b8ce6full);
}

TEST_F(ScreenPicturesTest, GameScreenKeepsItsPictureWithARouteShown) {
  ClickButton(LiveOf<TMainMenu>().front(), L"Загрузить игру");
  TNewGameMenu* list = LiveOf<TNewGameMenu>().front();
  ASSERT_EQ(list->List->Children.size(), 2u);
  Click(list->List->Children[1]);
  ClickButton(list, L"Загрузить");
  Harness.Tick(3);
  const auto maps = LiveOf<TMap>();
  ASSERT_EQ(maps.size(), 1u);
  ExpectScreen("game", 0xff8d92e630d15945ull);

  // A stack selected, a route to a free cell, the hover outline at its end.
  TMap* map = maps.front();
  const TPoint stack = CellCentre(map, 2, 2);
  const TPoint target = CellCentre(map, 10, 6);
  Harness.LeftClick(stack.x, stack.y);
  ASSERT_TRUE(map->HasSelection);
  Harness.MouseMove(target.x, target.y);
  Harness.Tick();
  ASSERT_GT(map->Route.size(), 2u);
  ExpectScreen("game with a route", 0x44165523f2861889ull);
}

}  // namespace
