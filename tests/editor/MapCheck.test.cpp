// The map check: what it warns about, and that reachability is the game's own
// route search.
#include "editor/MapCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "algo/TDijkstra.h"
#include "graphics/TTexture.h"
#include "graphics/TextureRegistry.h"
#include "support/WorldTestSupport.h"
#include "world/MapFile.h"
#include "world/TCell.h"
#include "world/TUnit.h"
#include "world/WorldState.h"

namespace {

using MapCheckTest = TWorldTest;

using TWarnings = std::vector<std::wstring>;

// Two queens that see each other across an open 6 x 4 field.
constexpr TGridToken kQueen0{0, 0, "<[0 0]NU0[8 10 1 4 3]>"};
constexpr TGridToken kQueen1{5, 3, "<[0 0]NU1[8 10 1 4 3]>"};
constexpr const char* kTree = "<[0 0]P(2 0)N>";

TWarnings CheckOf(const std::string& in_map) {
  ReadMapFromBytes(in_map);
  return CheckMap();
}

}  // namespace

TEST_F(MapCheckTest, APlayableMapHasNoWarningAndTheSampleMapsAreSuch) {
  EXPECT_EQ(CheckOf(GridMapText(0, 6, 4, {kQueen0, kQueen1})), TWarnings{});
  for (const char* name : {"duel.map", "forest.map", "river.map", "battle.map"}) {
    ASSERT_TRUE(ReadMapFile((std::filesystem::path(KRAMBOL_MAPS_DIR) / name).wstring())) << name;
    EXPECT_EQ(CheckMap(), TWarnings{}) << name;
  }
}

TEST_F(MapCheckTest, QueensNamesAndStacksArePerPlayer) {
  std::string map = GridMapText(0, 6, 4, {kQueen0, {3, 0, "<[0 0]NU0[8 10 1 4 3]>"}, {2, 2, "<[0 0]NU1[0 10 1 4 3]>"}});
  map.replace(map.find("\"Red Baron\""), 11, "\"\"");
  EXPECT_EQ(CheckOf(map), (TWarnings{L"Игрок 1: нет имени.", L"Игрок 1: королев 2, а нужна одна.",
                                     L"Игрок 2: нет королевы."}));
  EXPECT_EQ(CheckOf(GridMapText(0, 3, 3, {kQueen0})),
            (TWarnings{L"Игрок 2: нет королевы.", L"Игрок 2: нет ни одного отряда."}));
}

TEST_F(MapCheckTest, ReachingTheEnemyIsTheGamesRouteSearch) {
  // A wall of trees across the field, open only where two trees meet at a
  // corner: the game's steps go diagonally between them, so it is no wall.
  const auto wallWithCorner = GridMapText(0, 6, 4,
                                          {kQueen0, kQueen1, {2, 0, kTree}, {2, 1, kTree}, {3, 2, kTree}, {3, 3, kTree}});
  EXPECT_EQ(CheckOf(wallWithCorner), TWarnings{});
  EXPECT_TRUE(CanReachEnemy(0));

  const auto wall = GridMapText(0, 6, 4,
                                {kQueen0, kQueen1, {2, 0, kTree}, {2, 1, kTree}, {2, 2, kTree}, {2, 3, kTree}});
  EXPECT_EQ(CheckOf(wall), (TWarnings{L"Игрок 1: ни один отряд не может дойти до отряда противника.",
                                      L"Игрок 2: ни один отряд не может дойти до отряда противника."}));
  // Stacks block routes as trees do, but the enemy next door is reached.
  const auto walledIn = GridMapText(0, 6, 4,
                                    {kQueen0, kQueen1, {1, 0, "<[0 0]NU0[0 10 1 4 3]>"}, {0, 1, kTree}, {1, 1, kTree},
                                     {2, 0, "<[0 0]NU1[0 10 1 4 3]>"}});
  EXPECT_EQ(CheckOf(walledIn), TWarnings{});
  EXPECT_TRUE(CanReachEnemy(1));
  // The nearest enemy shut in by trees, a farther one out in the open.
  const auto shutIn = GridMapText(0, 6, 4,
                                  {kQueen0, kQueen1, {2, 0, "<[0 0]NU1[0 10 1 4 3]>"}, {1, 0, kTree}, {1, 1, kTree},
                                   {2, 1, kTree}, {3, 1, kTree}, {3, 0, kTree}});
  EXPECT_EQ(CheckOf(shutIn), TWarnings{});
}

TEST_F(MapCheckTest, ReachingTheEnemyAgreesWithSearchingEveryPairOfStacks) {
  // The literal rule: some own stack and some enemy stack with a route between
  // them when those two cells, and only they, count as passable.
  const auto literal = [](int32_t player) {
    std::vector<std::pair<int, int>> stacks[2];
    for (int r = 0; r < MapRows; ++r)
      for (int c = 0; c < MapColumns; ++c)
        if (const TUnit* unit = MapCells[c][r]->Unit) stacks[unit->Owner].push_back({c, r});
    for (const auto& from : stacks[player])
      for (const auto& to : stacks[1 - player]) {
        MapCells[from.first][from.second]->ForcePassable = true;
        MapCells[to.first][to.second]->ForcePassable = true;
        NAlgo::TDijkstra search;
        search.Build(MapCells, MapColumns, MapRows);
        std::vector<NAlgo::TDijkstra::TPosition> route;
        bool found = true;
        try {
          search.Search(from, to, route);
        } catch (int) {
          found = false;
        }
        MapCells[from.first][from.second]->ForcePassable = false;
        MapCells[to.first][to.second]->ForcePassable = false;
        if (found) return true;
      }
    return false;
  };
  // The sheets stay loaded across the maps instead of loading with each one.
  for (TTexture* texture : RegisteredTextures()) texture->Acquire();
  std::mt19937 random(7);
  int reachable = 0;
  for (int map = 0; map < 300; ++map) {
    std::string text = "0 \"a\" \"b\" [9 7]\r\n";
    for (int cell = 0; cell < 9 * 7; ++cell) {
      const int roll = static_cast<int>(random() % 100);
      text += roll < 58   ? "<[0 0]P(2 0)N>"
              : roll < 61 ? "<[0 0]NU0[0 5 1 4 3]>"
              : roll < 63 ? "<[0 0]NU1[0 5 1 4 3]>"
              : roll < 64 ? "<[0 0]P(3 0)U1[0 5 1 4 3]>"
                          : "<[0 0]NN>";
    }
    ReadMapFromBytes(text);
    for (int32_t player = 0; player < 2; ++player) {
      const bool expected = literal(player);
      reachable += expected;
      ASSERT_EQ(CanReachEnemy(player), expected) << "map " << map << ", player " << player << "\n" << text;
    }
  }
  ClearMap();
  for (TTexture* texture : RegisteredTextures()) texture->Release();
  // Both answers came up often enough to mean something.
  EXPECT_GT(reachable, 150);
  EXPECT_LT(reachable, 450);
}

TEST_F(MapCheckTest, StacksThatVanishOrDoNotShowAndHugeMapsAreWarnedOf) {
  EXPECT_EQ(CheckOf(GridMapText(0, 6, 4, {kQueen0, kQueen1, {1, 1, "<[0 0]NU0[0 0 1 4 3]>"},
                                          {2, 1, "<[0 0]NU1[0 -3 1 9 3]>"}, {3, 2, "<[0 0]NU1[0 5 1 -1 3]>"}})),
            (TWarnings{L"Отрядов без жизней: 2 (первый — клетка (1, 1)); они исчезнут в первом же кадре игры.",
                       L"Отрядов с направлением не от 0 до 7: 2 (первый — клетка (2, 1)); их не видно на карте."}));
  EXPECT_EQ(CheckOf(GridMapText(0, 257, 1, {{0, 0, "<[0 0]NU0[8 10 1 4 3]>"}, {256, 0, "<[0 0]NU1[8 10 1 4 3]>"}})),
            TWarnings{L"Карта больше 256 x 256: игре на ней будет тяжело."});
  EXPECT_EQ(CheckOf(GridMapText(0, 256, 2, {{0, 0, "<[0 0]NU0[8 10 1 4 3]>"}, {255, 1, "<[0 0]NU1[8 10 1 4 3]>"}})),
            TWarnings{});
}
