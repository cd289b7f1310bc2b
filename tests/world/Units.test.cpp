#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <sstream>
#include <string>

#include "graphics/GdiplusObjects.h"
#include "graphics/TGraphics.h"
#include "graphics/TSprite.h"
#include "graphics/TextureRegistry.h"
#include "world/TCell.h"
#include "world/TPlace.h"
#include "world/TUnit.h"
#include "world/UnitTypes.h"
#include "world/WorldState.h"
#include "support/WorldTestSupport.h"

namespace {

constexpr uint32_t kClear = 0xFF102030;
constexpr uint32_t kRed = 0xFFE01010;
constexpr uint32_t kGreen = 0xFF10E010;
constexpr uint32_t kBlue = 0xFF1010E0;

std::wstring Described(const TMapUnit& unit) {
  std::wostringstream out;
  unit.Describe(out);
  return out.str();
}

std::wstring Described(const TPlace& place) {
  std::wostringstream out;
  place.Describe(out);
  return out.str();
}

template <typename T>
std::wstring Written(const T& object) {
  std::wostringstream out;
  object.Write(out);
  return out.str();
}

TUnitSprite* Sheet(const std::wstring& path) { return FindTextureAs<TUnitSprite>(path); }

// A picture to draw into, cleared to kClear.
struct TCanvas {
  TCanvas() : Bitmap(400, 400), Graphics(TGraphics::FromImage(Bitmap.Handle())) { Graphics->Clear(kClear); }
  uint32_t Pixel(int x, int y) const { return Bitmap.Pixel(x, y); }
  TBitmap Bitmap;
  std::unique_ptr<TGraphics> Graphics;
};

using UnitTest = TWorldTest;

}  // namespace

TEST_F(UnitTest, InformationTextNamesTypeNumbersAndOwner) {
  Players[0].Name = L"Red Baron";
  Players[1].Name = L"Blue Duke";

  TThief thief;
  thief.Lives = 10;
  thief.Count = 3;
  thief.Moves = 2.5f;
  thief.Owner = 0;
  EXPECT_EQ(Described(thief),
            L"Тип: Вор\nЖизней: 10\nКоличество: 3\nПередвижений: 2.5\nПринадлежит Игроку:\nRed Baron");

  TGreenKnight knight;
  knight.Lives = -2;
  knight.Count = 12;
  knight.Moves = 3.0f;
  knight.Owner = 1;
  EXPECT_EQ(Described(knight),
            L"Тип: Зеленый мечник\nЖизней: -2\nКоличество: 12\nПередвижений: 3\nПринадлежит Игроку:\nBlue Duke");

  // Each code builds its type, with its own type line and the numbers copied.
  const wchar_t* const typeLines[kUnitTypeCount] = {
      L"Тип: Зеленый мечник\n", L"Тип: Чёрный нинзя\n", L"Тип: Вор\n",   L"Тип: Белый Маг\n",
      L"Тип: Горец\n",          L"Тип: Пират\n",        L"Тип: пещерный человек\n",
      L"Тип: Арбалетчик\n",     L"Тип: Королева\n",     L"Тип: Санта Клаус\n"};
  for (int32_t code = 0; code < kUnitTypeCount; ++code) {
    TUnitAccount account;
    account.Type = code;
    account.Lives = 7;
    account.Count = 2;
    account.Direction = 5;
    account.Moves = 0.5f;
    std::unique_ptr<TUnit> unit(CreateStack(account));
    ASSERT_NE(unit, nullptr) << code;
    EXPECT_EQ(unit->Type, code);
    EXPECT_EQ(unit->Owner, 0);
    const std::wstring text = Described(*unit);
    EXPECT_EQ(text.substr(0, std::wcslen(typeLines[code])), typeLines[code]) << code;
    EXPECT_EQ(text.substr(text.size() - 9), L"Red Baron") << code;
    EXPECT_EQ(Written(*unit), L"[" + std::to_wstring(code) + L" 7 2 5 0.5]");
  }
  TUnitAccount unknown;
  unknown.Type = kUnitTypeCount;
  EXPECT_EQ(CreateStack(unknown), nullptr);
  unknown.Type = -1;
  EXPECT_EQ(CreateStack(unknown), nullptr);

  // The plain visible side has only a placeholder.
  TMapUnit plain(UnitAnimationPaths(L"Queen"));
  EXPECT_EQ(Described(plain), L"Не известно");
}

TEST_F(UnitTest, StackTokenWritesMovesLikeATextStream) {
  TUnitAccount account;
  account.Type = 2;
  account.Lives = 10;
  account.Count = 3;
  account.Direction = 4;
  account.Moves = 2.5f;
  EXPECT_EQ(Written(account), L"[2 10 3 4 2.5]");
  account.Moves = 3.0f;
  EXPECT_EQ(Written(account), L"[2 10 3 4 3]");
  account.Moves = 0.1f;
  EXPECT_EQ(Written(account), L"[2 10 3 4 0.1]");
  account.Moves = 1234567.0f;
  EXPECT_EQ(Written(account), L"[2 10 3 4 1.23457e+06]");
  account.Moves = -0.0001f;
  EXPECT_EQ(Written(account), L"[2 10 3 4 -0.0001]");
}

TEST_F(UnitTest, StacksOfOneTypeShareTheirSheets) {
  const TAnimationPaths paths = UnitAnimationPaths(L"Thief");
  EXPECT_EQ(paths[kAttack], L"res/Unit/Thief/attack.tif");
  EXPECT_EQ(paths[kStopped], L"res/Unit/Thief/stopped.tif");

  auto first = std::make_unique<TThief>();
  auto second = std::make_unique<TThief>();
  for (int state = 0; state < kAnimationStateCount; ++state) {
    TUnitSprite* sheet = Sheet(paths[state]);
    EXPECT_EQ(first->Animation(static_cast<TAnimationState>(state)), sheet);
    EXPECT_EQ(second->Animation(static_cast<TAnimationState>(state)), sheet);
    EXPECT_EQ(sheet->UseCount(), 2);
    EXPECT_NE(sheet->Image(), nullptr) << "the generated art must exist";
  }
  // A new stack is idle on frame 0 of its paused animation.
  EXPECT_EQ(first->CurrentAnimation, Sheet(paths[kPaused]));
  EXPECT_EQ(first->FrameIndex, 0);
  EXPECT_FALSE(first->Animating);

  first.reset();
  for (const std::wstring& path : paths) EXPECT_EQ(Sheet(path)->UseCount(), 1);
  second.reset();
  for (const std::wstring& path : paths) {
    EXPECT_EQ(Sheet(path)->UseCount(), 0);
    EXPECT_EQ(Sheet(path)->Image(), nullptr);
  }

  // A sheet that is not registered fails the construction with nothing held.
  TAnimationPaths broken = UnitAnimationPaths(L"Queen");
  broken[kRunning] = L"res/Unit/Queen/missing.tif";
  EXPECT_THROW(TMapUnit{broken}, int);
  EXPECT_EQ(Sheet(L"res/Unit/Queen/attack.tif")->UseCount(), 0);
}

TEST_F(UnitTest, FreshStackDrawsPausedColumnZeroInItsFacingRow) {
  TQueen queen;
  queen.Direction = 3;
  TUnitSprite* paused = Sheet(L"res/Unit/Queen/paused.tif");
  ASSERT_EQ(paused->FrameWidth, 96);
  ASSERT_GE(paused->Rows, 8u);
  ASSERT_GE(paused->Columns, 2u);
  ASSERT_TRUE(PaintImage(*paused, TRect{0, 3 * 96, 96, 96}, kRed));
  ASSERT_TRUE(PaintImage(*paused, TRect{96, 3 * 96, 96, 96}, kGreen));
  ASSERT_TRUE(PaintImage(*paused, TRect{0, 4 * 96, 96, 96}, kBlue));

  TCanvas canvas;
  queen.Draw(*canvas.Graphics, 200, 150);
  // The 96 x 96 frame with anchor (16, 48) covers (184, 102) to (280, 198).
  EXPECT_EQ(canvas.Pixel(184, 102), kRed);
  EXPECT_EQ(canvas.Pixel(279, 197), kRed);
  EXPECT_EQ(canvas.Pixel(183, 150), kClear);
  EXPECT_EQ(canvas.Pixel(280, 150), kClear);
  EXPECT_EQ(canvas.Pixel(230, 101), kClear);
  EXPECT_EQ(canvas.Pixel(230, 198), kClear);
  const TRect bounds = queen.DrawBounds(200, 150);
  EXPECT_EQ(bounds.x, 184);
  EXPECT_EQ(bounds.y, 102);
  EXPECT_EQ(bounds.width, 96);

  // A facing beyond the sheet draws nothing.
  TCanvas other;
  queen.Direction = 100000000;
  queen.Draw(*other.Graphics, 200, 150);
  queen.Direction = -1;
  queen.Draw(*other.Graphics, 200, 150);
  EXPECT_EQ(other.Pixel(230, 150), kClear);
}

TEST_F(UnitTest, TreesPickTheirFrameByIndexAndWriteTheirToken) {
  TTree02 tree(5);
  TUnitSprite* sheet = Sheet(L"res/map/trees02_128x128.tif");
  EXPECT_EQ(tree.Texture, sheet);
  EXPECT_EQ(sheet->UseCount(), 1);
  ASSERT_EQ(sheet->Rows, 4u) << "the tree sheets hold 4 x 4 frames";
  EXPECT_EQ(tree.FrameColumn, 1);
  EXPECT_EQ(tree.FrameRow, 1);
  EXPECT_EQ(Written(tree), L"(2 5)");
  EXPECT_EQ(Described(tree), L"Дерево обыкновенное.");

  TTree03 big(14);
  EXPECT_EQ(big.FrameColumn, 2);
  EXPECT_EQ(big.FrameRow, 3);
  EXPECT_EQ(Written(big), L"(3 14)");
  EXPECT_EQ(Described(big), L"Дерево большое.");

  TPlace plain(L"res/map/trees01_96x96.tif", 0);
  EXPECT_EQ(Written(plain), L"");
  EXPECT_EQ(Described(plain), L"Не известно");

  // Frame (1, 1) of the 128 x 128 sheet with anchor (32, 66), drawn at (200, 150).
  ASSERT_TRUE(PaintImage(*sheet, TRect{128, 128, 128, 128}, kBlue));
  TCanvas canvas;
  tree.Draw(*canvas.Graphics, 200, 150);
  EXPECT_EQ(canvas.Pixel(168, 84), kBlue);
  EXPECT_EQ(canvas.Pixel(295, 211), kBlue);
  EXPECT_EQ(canvas.Pixel(167, 100), kClear);
  EXPECT_EQ(canvas.Pixel(200, 212), kClear);

  // An index beyond the sheet draws nothing.
  TTree02 beyond(1000000000);
  TTree02 negative(-5);
  TCanvas other;
  beyond.Draw(*other.Graphics, 200, 150);
  negative.Draw(*other.Graphics, 200, 150);
  EXPECT_EQ(other.Pixel(220, 120), kClear);
  EXPECT_EQ(Written(negative), L"(2 -5)");
}

TEST_F(UnitTest, CellIsPassableOnlyWhenEmptyOrForcedAndOwnsWhatStandsOnIt) {
  TSprite* ground = FindTextureAs<TSprite>(L"res/map/grund_iso.tif");
  TUnitSprite* treeSheet = Sheet(L"res/map/trees03_128x128.tif");
  TUnitSprite* knightSheet = Sheet(L"res/Unit/GreenKnight/over.tif");
  {
    TCell cell;
    EXPECT_EQ(cell.TileColumn, 0);
    EXPECT_EQ(cell.TileRow, 0);
    EXPECT_EQ(cell.Ground, ground);
    EXPECT_EQ(ground->UseCount(), 1);
    EXPECT_TRUE(cell.IsPassable());
    cell.Place = new TTree03(2);
    EXPECT_FALSE(cell.IsPassable());
    cell.ForcePassable = true;
    EXPECT_TRUE(cell.IsPassable());
    cell.ForcePassable = false;
    delete cell.Place;
    cell.Place = nullptr;
    cell.Unit = new TGreenKnight();
    EXPECT_FALSE(cell.IsPassable());
    cell.Place = new TTree03(2);
    EXPECT_EQ(treeSheet->UseCount(), 1);
    EXPECT_EQ(knightSheet->UseCount(), 1);
  }
  EXPECT_EQ(ground->UseCount(), 0);
  EXPECT_EQ(treeSheet->UseCount(), 0);
  EXPECT_EQ(knightSheet->UseCount(), 0);
}
