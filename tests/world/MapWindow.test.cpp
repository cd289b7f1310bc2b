#include <gtest/gtest.h>

#include <string>

#include "graphics/TSprite.h"
#include "graphics/TextureRegistry.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"
#include "world/CellInfo.h"
#include "world/MapFile.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/TPlace.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"
#include "support/WorldTestSupport.h"

namespace {

constexpr uint32_t kGround = 0xFF20A040;
constexpr uint32_t kTreeBlue = 0xFF2040C0;
constexpr uint32_t kBigTreeYellow = 0xFFC0A020;
constexpr uint32_t kKnightRed = 0xFFD02020;
constexpr uint32_t kThiefMagenta = 0xFFC020C0;
constexpr uint32_t kDarkGrey = 0xFF3C3C3C;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// A map of bare cells of tile (0, 0), except the cell tokens given as
// {column, row, token} replacements.
struct TCellToken {
  int Column;
  int Row;
  const char* Token;
};

std::string MapText(int columns, int rows, std::initializer_list<TCellToken> cells) {
  std::string text = "0\r\n\"Red Baron\"\r\n\"Blue Duke\"\r\n[" + std::to_string(columns) + " " +
                     std::to_string(rows) + "]\r\n";
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      std::string token = "<[0 0]NN>";
      for (const TCellToken& cell : cells)
        if (cell.Column == c && cell.Row == r) token = cell.Token;
      text += token + "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

TUnitSprite* Sheet(const wchar_t* path) { return FindTextureAs<TUnitSprite>(path); }

class MapWindowTest : public TGameWorldTest {
 protected:
  // Reads the map and shows it on the game screen, whose first child is the
  // map window.
  TMap* Show(const std::string& text) {
    ReadMapFromBytes(text);
    RequestScreen(1);
    Harness.Tick();
    TMap* map = RootWindow ? dynamic_cast<TMap*>(RootWindow->Children.at(0)) : nullptr;
    if (!map) ADD_FAILURE() << "the game screen shows no map window";
    return map;
  }
  TWinCell* CellAt(TMap* map, size_t index) { return static_cast<TWinCell*>(map->Children.at(index)); }
};

}  // namespace

TEST_F(MapWindowTest, OneCellWindowPerCellInGridOrder) {
  ASSERT_NE(RootWindow, nullptr);
  TMap* map = Show(MapText(3, 2, {{2, 1, "<[4 1]NN>"}}));
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->Parent, RootWindow);
  EXPECT_EQ(map->X, 0);
  EXPECT_EQ(map->Y, 0);
  EXPECT_EQ(map->Width, RootWindow->Width - 200);
  EXPECT_EQ(map->Height, RootWindow->Height);
  ASSERT_EQ(map->Children.size(), 6u);
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 3; ++c) {
      TWinCell* cell = CellAt(map, static_cast<size_t>(r * 3 + c));
      EXPECT_EQ(cell, map->CellWindow(c, r));
      EXPECT_EQ(cell->X, 64 * c);
      EXPECT_EQ(cell->Y, 48 * r);
      EXPECT_EQ(cell->Width, 64);
      EXPECT_EQ(cell->Height, 48);
      EXPECT_EQ(cell->Column, c);
      EXPECT_EQ(cell->Row, r);
      EXPECT_EQ(cell->Cell, MapCells[c][r]);
      EXPECT_EQ(cell->OffsetX, 0.0);
      EXPECT_FALSE(cell->Hovered);
      EXPECT_EQ(cell->OnRoute, 0);
    }
  }
  EXPECT_EQ(map->CellWindow(2, 1)->Cell->TileColumn, 4);
  EXPECT_EQ(map->CellWindow(3, 0), nullptr);
  EXPECT_EQ(map->CellWindow(0, -1), nullptr);
  EXPECT_FALSE(map->Moving);
  EXPECT_FALSE(map->HasSelection);
  EXPECT_TRUE(map->Route.empty());

  // The side menu keeps 200 pixels; the cells keep their size.
  map->SetSize(900, 500);
  EXPECT_EQ(map->Width, 700);
  EXPECT_EQ(map->Height, 500);
  EXPECT_EQ(CellAt(map, 0)->Width, 64);
  EXPECT_EQ(CellAt(map, 0)->Height, 48);

  map = Show(MapText(1, 1, {}));
  ASSERT_NE(map, nullptr);
  ASSERT_EQ(map->Children.size(), 1u);
  EXPECT_EQ(CellAt(map, 0)->X, 0);
  EXPECT_EQ(CellAt(map, 0)->Y, 0);

  // Without cells the map draws its background and frame only.
  map = Show(MapText(0, 0, {}));
  ASSERT_NE(map, nullptr);
  EXPECT_TRUE(map->Children.empty());
  Harness.Tick();
  EXPECT_EQ(Harness.ScreenPixel(map->Width / 2, map->Height / 2), kDarkGrey);
}

TEST_F(MapWindowTest, DrawsMarksUnderObjectsAndLowerRowsOverHigherOnes) {
  TMap* map = Show(MapText(6, 5, {
                                     {1, 1, "<[0 0]NU0[2 10 1 0 3]>"},   // thief of player 0
                                     {3, 1, "<[0 0]NU1[2 10 1 0 3]>"},   // thief of player 1
                                     {3, 4, "<[0 0]P(2 0)N>"},           // tree below a hovered cell
                                     {5, 3, "<[0 0]P(3 0)U0[0 9 1 0 3]>"},  // big tree with a knight
                                 }));
  ASSERT_NE(map, nullptr);
  ASSERT_GE(map->Width, 6 * 64 + 60);
  ASSERT_GE(map->Height, 5 * 48 + 60);
  // Known colours: the plain ground tile, the two tree frames, the knight's
  // frame, and a thief frame that is transparent but for a square at the top
  // of its cell.
  ASSERT_TRUE(PaintImage(*MapCells[0][0]->Ground, TRect{0, 0, 64, 48}, kGround));
  ASSERT_TRUE(PaintImage(*Sheet(L"res/map/trees02_128x128.tif"), TRect{0, 0, 128, 128}, kTreeBlue));
  ASSERT_TRUE(PaintImage(*Sheet(L"res/map/trees03_128x128.tif"), TRect{0, 0, 128, 128}, kBigTreeYellow));
  ASSERT_TRUE(PaintImage(*Sheet(L"res/Unit/GreenKnight/paused.tif"), TRect{0, 0, 96, 96}, kKnightRed));
  TUnitSprite* thief = Sheet(L"res/Unit/Thief/paused.tif");
  ASSERT_TRUE(PaintImage(*thief, TRect{0, 0, 96, 96}, 0x00000000));
  ASSERT_TRUE(PaintImage(*thief, TRect{40, 40, 16, 16}, kThiefMagenta));

  map->CellWindow(1, 3)->Hovered = true;
  map->CellWindow(3, 3)->Hovered = true;
  map->CellWindow(4, 0)->OnRoute = 1;
  Harness.Tick();

  // Ground, and the dark grey beyond the last column.
  EXPECT_EQ(Harness.ScreenPixel(64 + 5, 96 + 5), kGround);
  EXPECT_EQ(Harness.ScreenPixel(6 * 64 + 20, 20), kDarkGrey);
  // Rings by owner: black for player 0, white for player 1, at the left end of
  // the ellipse; under the stack's own picture at its top.
  EXPECT_TRUE(NearColor(Harness.ScreenPixel(64, 72), kBlack, 16)) << std::hex << Harness.ScreenPixel(64, 72);
  EXPECT_TRUE(NearColor(Harness.ScreenPixel(192, 72), kWhite, 16)) << std::hex << Harness.ScreenPixel(192, 72);
  EXPECT_EQ(Harness.ScreenPixel(96, 48), kThiefMagenta);
  EXPECT_EQ(Harness.ScreenPixel(96, 60), kGround);
  // The hover outline is white on a cell with nothing near...
  EXPECT_EQ(Harness.ScreenPixel(64 + 20, 144), kWhite);
  EXPECT_EQ(Harness.ScreenPixel(64, 144 + 20), kWhite);
  EXPECT_EQ(Harness.ScreenPixel(64 + 63, 144 + 20), kWhite);
  EXPECT_EQ(Harness.ScreenPixel(64 + 20, 144 + 47), kWhite);
  EXPECT_EQ(Harness.ScreenPixel(64 + 20, 144 + 5), kGround);
  // ...and hidden under the tree of the row below.
  EXPECT_EQ(Harness.ScreenPixel(192 + 20, 144), kTreeBlue);
  EXPECT_EQ(Harness.ScreenPixel(192 + 20, 144 + 47), kTreeBlue);
  // The route mark: half-transparent red over the ground.
  const uint32_t mark = Harness.ScreenPixel(256 + 32, 24);
  EXPECT_TRUE(NearColor(mark, 0xFF8F5020, 3)) << std::hex << mark;
  // A cell with both: the stack over the place.
  EXPECT_EQ(Harness.ScreenPixel(320 + 32, 144 + 24), kKnightRed);
  EXPECT_EQ(Harness.ScreenPixel(320 + 88, 144), kBigTreeYellow);
}

TEST_F(MapWindowTest, DrawsCellsThatShowOnlyInPartAtTheEdges) {
  TMap* map = Show(MapText(40, 30, {}));
  ASSERT_NE(map, nullptr);
  ASSERT_TRUE(PaintImage(*MapCells[0][0]->Ground, TRect{0, 0, 64, 48}, kGround));
  const int width = map->Width;
  const int height = map->Height;
  // Scroll so that a column starts 10 pixels before the right edge and a row
  // 10 pixels before the bottom edge, eight cells in.
  const int dx = (width - 10) % 64 - 8 * 64;
  const int dy = (height - 10) % 48 - 8 * 48;
  map->ScrollBy(dx, dy);
  // Trees on cells wholly outside the view whose frames reach into it: one
  // just below the bottom edge, one just left of the left edge.
  const int belowRow = (height - dy) / 48 + 1;
  const int leftColumn = (-dx) / 64 - 1;
  ASSERT_LT(belowRow, 30);
  ASSERT_GE(leftColumn, 0);
  MapCells[2 + (-dx) / 64][belowRow]->Place = new TTree02(0);
  MapCells[leftColumn][10]->Place = new TTree02(0);
  TWinCell* below = map->CellWindow(2 + (-dx) / 64, belowRow);
  TWinCell* left = map->CellWindow(leftColumn, 10);
  ASSERT_GE(below->Y, height);
  ASSERT_LE(left->X + 64, 0);
  ASSERT_TRUE(PaintImage(*Sheet(L"res/map/trees02_128x128.tif"), TRect{0, 0, 128, 128}, kTreeBlue));
  Harness.Tick();

  EXPECT_EQ(Harness.ScreenPixel(width - 9, height / 2), kGround);
  EXPECT_EQ(Harness.ScreenPixel(width / 2, height - 9), kGround);
  EXPECT_EQ(Harness.ScreenPixel(below->X + 32, below->Y - 60), kTreeBlue);
  EXPECT_EQ(Harness.ScreenPixel(left->X + 90, left->Y), kTreeBlue);
}

TEST_F(MapWindowTest, RightDragMovesEveryCellByTheMouseDeltas) {
  TMap* map = Show(MapText(4, 3, {}));
  ASSERT_NE(map, nullptr);
  Harness.RightDown(100, 60);
  Harness.MouseMove(90, 75);
  Harness.MouseMove(95, 70);
  Harness.RightUp(95, 70);
  Harness.MouseMove(20, 20);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) {
      EXPECT_EQ(map->CellWindow(c, r)->X, 64 * c - 5);
      EXPECT_EQ(map->CellWindow(c, r)->Y, 48 * r + 10);
    }

  // A drag started on the map beside the cells scrolls too.
  Harness.RightDown(500, 400);
  Harness.MouseMove(530, 380);
  Harness.RightUp(530, 380);
  EXPECT_EQ(map->CellWindow(0, 0)->X, 25);
  EXPECT_EQ(map->CellWindow(0, 0)->Y, -10);
  EXPECT_EQ(map->CellWindow(3, 2)->X, 64 * 3 + 25);

  // The picture follows: the ground of cell (0, 0) is now at (25, -10).
  ASSERT_TRUE(PaintImage(*MapCells[0][0]->Ground, TRect{0, 0, 64, 48}, kGround));
  Harness.Tick();
  EXPECT_EQ(Harness.ScreenPixel(25 + 64 * 3 + 60, 48 * 2 + 30), kGround);
  EXPECT_EQ(Harness.ScreenPixel(25 + 64 * 4 + 5, 48 * 2 + 30), kDarkGrey);
}

TEST_F(MapWindowTest, RightButtonShowsTheCellsTextAndCancelsTheSelection) {
  TMap* map = Show(MapText(4, 3, {{1, 1, "<[0 0]NU1[2 10 3 4 2.5]>"}, {2, 1, "<[0 0]P(2 3)N>"}}));
  ASSERT_NE(map, nullptr);
  map->HasSelection = true;
  map->SelectedCell = map->CellWindow(1, 1);
  map->Route = {{1, 1}, {2, 2}};
  map->CellWindow(1, 1)->OnRoute = 1;
  map->CellWindow(2, 2)->OnRoute = 1;
  // The side menu shows the text.
  ASSERT_NE(InfoTextTarget, nullptr);
  const std::wstring& info = *InfoTextTarget;

  Harness.RightDown(64 + 10, 48 + 10);
  EXPECT_EQ(info,
            L"Тип: Вор\nЖизней: 10\nКоличество: 3\nПередвижений: 2.5\nПринадлежит Игроку:\nBlue Duke");
  EXPECT_FALSE(map->HasSelection);
  EXPECT_EQ(map->SelectedCell, nullptr);
  EXPECT_TRUE(map->Route.empty());
  EXPECT_EQ(map->CellWindow(1, 1)->OnRoute, 0);
  EXPECT_EQ(map->CellWindow(2, 2)->OnRoute, 0);
  Harness.RightUp(64 + 10, 48 + 10);
  EXPECT_EQ(info, L"");

  Harness.RightDown(128 + 10, 48 + 10);
  EXPECT_EQ(info, L"Дерево обыкновенное.");
  Harness.RightUp(128 + 10, 48 + 10);
  Harness.RightDown(192 + 10, 96 + 10);
  EXPECT_EQ(info, L"Местность");
  Harness.RightUp(192 + 10, 96 + 10);
  EXPECT_EQ(info, L"");

  std::wstring text = L"old";
  DescribeCell(nullptr, text);
  EXPECT_EQ(text, L"Местность");
}

TEST_F(MapWindowTest, HitTestingFindsTheCellWhoseRectangleHoldsThePoint) {
  TMap* map = Show(MapText(7, 5, {}));
  ASSERT_NE(map, nullptr);
  // The window whose rectangle holds the point, asked of every cell.
  const auto expected = [map](TPoint point) -> TWindow* {
    if (!map->Bounds().Contains(point)) return nullptr;
    TPoint local = point;
    map->ToLocal(local);
    for (TWindow* cell : map->Children)
      if (cell->Bounds().Contains(local)) return cell;
    return map;
  };
  for (const TPoint scroll : {TPoint{0, 0}, TPoint{-37, -29}, TPoint{101, 13}, TPoint{-500, 300}}) {
    map->ScrollBy(scroll.x, scroll.y);
    for (int y = -3; y < map->Height + 3; y += 7) {
      for (int x = -3; x < map->Width + 3; x += 5) {
        ASSERT_EQ(map->HitTest(TPoint{x, y}), expected(TPoint{x, y})) << x << "," << y;
      }
    }
    // Cell edges (the map lies at the screen's origin): the last pixel of a
    // cell and the first of its neighbours.
    const TWinCell* cell = map->CellWindow(2, 2);
    EXPECT_EQ(map->HitTest(TPoint{cell->X + 63, cell->Y + 47}), expected(TPoint{cell->X + 63, cell->Y + 47}));
    EXPECT_EQ(map->HitTest(TPoint{cell->X + 64, cell->Y + 47}), expected(TPoint{cell->X + 64, cell->Y + 47}));
    EXPECT_EQ(map->HitTest(TPoint{cell->X + 63, cell->Y + 48}), expected(TPoint{cell->X + 63, cell->Y + 48}));
  }
  map->ScrollBy(436, -284);
  const TWinCell* cell = map->CellWindow(2, 2);
  ASSERT_EQ(cell->X, 128);
  EXPECT_EQ(map->HitTest(TPoint{128 + 63, 96 + 47}), cell);
  EXPECT_EQ(map->HitTest(TPoint{128 + 64, 96 + 47}), map->CellWindow(3, 2));
  EXPECT_EQ(map->HitTest(TPoint{128 + 63, 96 + 48}), map->CellWindow(2, 3));
  EXPECT_EQ(map->HitTest(TPoint{64 * 7, 10}), map) << "beside the last column";
  EXPECT_EQ(map->HitTest(TPoint{-1, 10}), nullptr) << "outside the map";

  // With a cell gone the others are still found.
  TWinCell* gone = map->CellWindow(1, 1);
  const TPoint onGone{gone->X + 5, gone->Y + 5};
  const TPoint onNeighbour{gone->X + 64 + 5, gone->Y + 5};
  map->DeleteChild(gone);
  EXPECT_EQ(map->HitTest(onGone), map);
  EXPECT_EQ(map->HitTest(onNeighbour), expected(onNeighbour));
  EXPECT_NE(map->HitTest(onNeighbour), map);
}

TEST_F(MapWindowTest, HoverFollowsThePointer) {
  TMap* map = Show(MapText(4, 3, {}));
  ASSERT_NE(map, nullptr);
  Harness.MouseMove(64 + 5, 48 + 5);
  EXPECT_TRUE(map->CellWindow(1, 1)->Hovered);
  Harness.MouseMove(128 + 5, 48 + 5);
  EXPECT_FALSE(map->CellWindow(1, 1)->Hovered);
  EXPECT_TRUE(map->CellWindow(2, 1)->Hovered);
  Harness.MouseMove(500, 400);
  EXPECT_FALSE(map->CellWindow(2, 1)->Hovered);
  // A left click on an empty cell selects nothing.
  Harness.LeftClick(128 + 5, 48 + 5);
  EXPECT_FALSE(map->HasSelection);
}
