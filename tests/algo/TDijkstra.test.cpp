#include "algo/TDijkstra.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "algo/TDijkstraOracle.h"
#include "algo/TTestGrid.h"

namespace {

using NAlgo::TDijkstra;
using TPosition = TDijkstra::TPosition;
using TRoute = std::vector<TPosition>;

constexpr float kDiagonal = 1.4142135f;

// What one search reports: whether it found a route, the route, and the stored
// distance of every node along it.
struct TOutcome {
  bool Found = false;
  TRoute Route;
  std::vector<float> Distances;
};

// Builds a fresh search of type SearchT over the grid, as the game does for
// every query, and runs one search. A failure must be the integer 0.
template <class SearchT>
TOutcome SearchOnce(TTestGrid& in_grid, TPosition in_start, TPosition in_target) {
  SearchT search;
  search.Build(in_grid.Cells(), in_grid.Columns(), in_grid.Rows());
  TOutcome outcome;
  try {
    search.Search(in_start, in_target, outcome.Route);
    outcome.Found = true;
  } catch (int error) {
    EXPECT_EQ(error, 0);
    return outcome;
  }
  std::map<TPosition, float> distances;
  for (const TDijkstra::TNode& node : search.Nodes()) distances[{node.X, node.Y}] = node.Distance;
  for (const TPosition& position : outcome.Route) outcome.Distances.push_back(distances.at(position));
  return outcome;
}

// True when every step of the route goes to one of the eight neighbours of a
// passable cell.
bool IsWalkable(TTestGrid& in_grid, const TRoute& in_route) {
  for (size_t i = 0; i < in_route.size(); ++i) {
    const auto [column, row] = in_route[i];
    if (column < 0 || column >= in_grid.Columns() || row < 0 || row >= in_grid.Rows()) return false;
    if (!in_grid.At(column, row).Passable) return false;
    if (i == 0) continue;
    const int dx = std::abs(column - in_route[i - 1].first);
    const int dy = std::abs(row - in_route[i - 1].second);
    if (dx > 1 || dy > 1 || dx + dy == 0) return false;
  }
  return true;
}

// The same expectations hold for the fast search and for the literal oracle;
// running them on both also checks the oracle itself.
template <class SearchT>
class RouteSearch : public testing::Test {};
using SearchTypes = testing::Types<TDijkstra, TDijkstraOracle>;
TYPED_TEST_SUITE(RouteSearch, SearchTypes);

TYPED_TEST(RouteSearch, BuildsOneNodePerPassableCellRowByRow) {
  TTestGrid grid = TTestGrid::FromRows({
      ".#.",
      "#..",
  });
  TypeParam search;
  search.Build(grid.Cells(), grid.Columns(), grid.Rows());
  const std::vector<TDijkstra::TNode>& nodes = search.Nodes();
  ASSERT_EQ(nodes.size(), 4u);
  const TPosition expected[] = {{0, 0}, {2, 0}, {1, 1}, {2, 1}};
  for (size_t i = 0; i < nodes.size(); ++i) {
    EXPECT_EQ(TPosition(nodes[i].X, nodes[i].Y), expected[i]) << "node " << i;
    EXPECT_EQ(nodes[i].Distance, FLT_MAX) << "node " << i;
    EXPECT_EQ(nodes[i].Previous, -1) << "node " << i;
  }
}

TYPED_TEST(RouteSearch, FindsTheShortestRouteOnOpenFieldsWithDoublePrecisionTies) {
  TTestGrid field(4, 3);
  // (2,1) is first reached from (1,0) and stored rounded up; the equally long
  // route through (1,1) compares smaller in double precision and wins.
  TOutcome outcome = SearchOnce<TypeParam>(field, {0, 0}, {2, 1});
  ASSERT_TRUE(outcome.Found);
  EXPECT_EQ(outcome.Route, (TRoute{{0, 0}, {1, 1}, {2, 1}}));
  EXPECT_EQ(outcome.Distances, (std::vector<float>{0.0f, kDiagonal, 2.4142137f}));

  TTestGrid wide(5, 5);
  outcome = SearchOnce<TypeParam>(wide, {0, 0}, {3, 2});
  ASSERT_TRUE(outcome.Found);
  EXPECT_EQ(outcome.Route, (TRoute{{0, 0}, {1, 1}, {2, 2}, {3, 2}}));

  // Straight along an edge: no detour, cost 1 per step.
  outcome = SearchOnce<TypeParam>(wide, {4, 0}, {4, 4});
  ASSERT_TRUE(outcome.Found);
  EXPECT_EQ(outcome.Route, (TRoute{{4, 0}, {4, 1}, {4, 2}, {4, 3}, {4, 4}}));
  EXPECT_EQ(outcome.Distances.back(), 4.0f);
}

TYPED_TEST(RouteSearch, StepsDiagonallyPastBlockedCornerCells) {
  TTestGrid grid = TTestGrid::FromRows({
      ".#",
      "#.",
  });
  TOutcome outcome = SearchOnce<TypeParam>(grid, {1, 1}, {0, 0});
  ASSERT_TRUE(outcome.Found);
  EXPECT_EQ(outcome.Route, (TRoute{{1, 1}, {0, 0}}));
  EXPECT_EQ(outcome.Distances.back(), kDiagonal);

  TTestGrid other = TTestGrid::FromRows({
      "#.",
      ".#",
  });
  outcome = SearchOnce<TypeParam>(other, {1, 0}, {0, 1});
  ASSERT_TRUE(outcome.Found);
  EXPECT_EQ(outcome.Route, (TRoute{{1, 0}, {0, 1}}));
}

TYPED_TEST(RouteSearch, WalksAroundObstacles) {
  TTestGrid grid = TTestGrid::FromRows({
      ".....",
      "..#..",
      "..#..",
      "..#..",
      ".....",
  });
  TOutcome outcome = SearchOnce<TypeParam>(grid, {0, 2}, {4, 2});
  ASSERT_TRUE(outcome.Found);
  EXPECT_TRUE(IsWalkable(grid, outcome.Route));
  // Four diagonal steps over the top or the bottom of the wall.
  ASSERT_EQ(outcome.Route.size(), 5u);
  EXPECT_TRUE(outcome.Route[2] == TPosition(2, 0) || outcome.Route[2] == TPosition(2, 4));
  EXPECT_NEAR(outcome.Distances.back(), 4 * kDiagonal, 1e-5);

  // A wall with a single gap at its foot.
  TTestGrid gap = TTestGrid::FromRows({
      "..#..",
      "..#..",
      "..#..",
      ".....",
  });
  outcome = SearchOnce<TypeParam>(gap, {0, 0}, {4, 0});
  ASSERT_TRUE(outcome.Found);
  EXPECT_TRUE(IsWalkable(gap, outcome.Route));
  EXPECT_EQ(outcome.Route[3], TPosition(2, 3));
}

TYPED_TEST(RouteSearch, FailsWhenNoStepLeadsToTheTarget) {
  TTestGrid grid = TTestGrid::FromRows({
      ".....",
      ".###.",
      ".#.#.",
      ".###.",
      "....#",
  });
  const TPosition bad[][2] = {
      {{0, 0}, {2, 2}},   // target walled in on all eight sides
      {{2, 2}, {0, 0}},   // start walled in
      {{1, 1}, {0, 0}},   // start impassable
      {{0, 0}, {4, 4}},   // target impassable
      {{-1, 0}, {0, 0}},  // start left of the grid
      {{0, 0}, {5, 0}},   // target right of the grid
      {{0, 0}, {0, 5}},   // target below the grid
      {{0, -1}, {0, 0}},  // start above the grid
      {{3, 4}, {3, 4}},   // start and target the same cell
  };
  for (const auto& query : bad) {
    TypeParam search;
    search.Build(grid.Cells(), grid.Columns(), grid.Rows());
    TRoute route;
    EXPECT_THROW(search.Search(query[0], query[1], route), int)
        << "(" << query[0].first << "," << query[0].second << ") to (" << query[1].first << ","
        << query[1].second << ")";
    EXPECT_TRUE(route.empty());
  }

  TTestGrid empty(0, 0);
  EXPECT_FALSE(SearchOnce<TypeParam>(empty, {0, 0}, {0, 0}).Found);
}

TEST(TDijkstra, TreatsMissingCellsAsImpassableAndBaseCellsAsPassable) {
  // Plain base cells answer passable.
  TDijkstra::TDijkstraCell cells[2][2];
  TDijkstra::TDijkstraCell* columns[2][2] = {{&cells[0][0], &cells[0][1]}, {&cells[1][0], &cells[1][1]}};
  TDijkstra::TDijkstraCell** grid[2] = {columns[0], columns[1]};
  TDijkstra search;
  search.Build(grid, 2, 2);
  EXPECT_EQ(search.Nodes().size(), 4u);

  // A null cell or column is no node; a null grid or a negative size is empty.
  columns[0][1] = nullptr;
  grid[1] = nullptr;
  search.Build(grid, 2, 2);
  ASSERT_EQ(search.Nodes().size(), 1u);
  EXPECT_EQ(TPosition(search.Nodes()[0].X, search.Nodes()[0].Y), TPosition(0, 0));
  search.Build(static_cast<TDijkstra::TDijkstraCell***>(nullptr), 5, 5);
  EXPECT_TRUE(search.Nodes().empty());
  search.Build(grid, -2, 2);
  EXPECT_TRUE(search.Nodes().empty());
  TRoute route;
  EXPECT_THROW(search.Search({0, 0}, {0, 0}, route), int);
}

TEST(TDijkstra, GridsOverTheCellLimitHaveNoNodes) {
  // Every column shares one array of rows, so the huge grid costs little.
  constexpr int kRows = 1024;
  constexpr int kColumns = static_cast<int>(TDijkstra::kMaxCells / kRows);
  std::vector<TTestCell> cells(kRows, TTestCell(false));
  cells[0].Passable = true;
  cells[1].Passable = true;
  std::vector<TTestCell*> column;
  for (TTestCell& cell : cells) column.push_back(&cell);
  std::vector<TTestCell**> grid(kColumns + 1, column.data());

  TDijkstra search;
  search.Build(grid.data(), kColumns, kRows);
  EXPECT_EQ(search.Nodes().size(), 2u * kColumns);
  TRoute route;
  search.Search({kColumns - 1, 0}, {kColumns - 2, 1}, route);
  EXPECT_EQ(route, (TRoute{{kColumns - 1, 0}, {kColumns - 2, 1}}));

  search.Build(grid.data(), kColumns + 1, kRows);
  EXPECT_TRUE(search.Nodes().empty());
  route.clear();
  EXPECT_THROW(search.Search({0, 0}, {0, 1}, route), int);
  EXPECT_TRUE(route.empty());
}

TEST(TDijkstra, RepeatedSearchesAfterOneBuildAreIndependentAndAppend) {
  TTestGrid grid(6, 6);
  TDijkstra search;
  search.Build(grid.Cells(), grid.Columns(), grid.Rows());
  TRoute first;
  search.Search({5, 5}, {0, 0}, first);
  TRoute second;
  search.Search({0, 0}, {5, 0}, second);
  TRoute third{{9, 9}};
  search.Search({5, 5}, {0, 0}, third);
  EXPECT_EQ(second.size(), 6u);
  ASSERT_EQ(third.size(), first.size() + 1);
  EXPECT_EQ(third[0], TPosition(9, 9));
  EXPECT_EQ(TRoute(third.begin() + 1, third.end()), first);
}

// A random position: usually a passable cell, sometimes any cell or one just
// outside the grid.
TPosition RandomPosition(std::mt19937& io_random, TTestGrid& in_grid) {
  std::uniform_int_distribution<int> percent(0, 99);
  if (percent(io_random) < 5) {
    std::uniform_int_distribution<int> column(-1, in_grid.Columns());
    std::uniform_int_distribution<int> row(-1, in_grid.Rows());
    return {column(io_random), row(io_random)};
  }
  std::uniform_int_distribution<int> column(0, in_grid.Columns() - 1);
  std::uniform_int_distribution<int> row(0, in_grid.Rows() - 1);
  TPosition position{column(io_random), row(io_random)};
  for (int tries = 0; tries < 20 && !in_grid.At(position.first, position.second).Passable; ++tries) {
    position = {column(io_random), row(io_random)};
  }
  return position;
}

std::string Describe(const TRoute& in_route) {
  std::ostringstream text;
  for (const auto& [column, row] : in_route) text << "(" << column << "," << row << ")";
  return text.str();
}

TEST(TDijkstra, MatchesTheLiteralSearchOnRandomMaps) {
  std::mt19937 random(20240917);
  std::uniform_int_distribution<int> percent(0, 99);
  int queries = 0;
  int found = 0;
  int failed = 0;
  int large = 0;
  while (queries < 21000) {
    // Most maps are small, since the literal search is quadratic; a few reach
    // the largest size.
    const int kind = percent(random);
    const int most = kind < 88 ? 12 : kind < 98 ? 24 : 48;
    const int columns = std::uniform_int_distribution<int>(4, most)(random);
    const int rows = std::uniform_int_distribution<int>(3, most)(random);
    large += most == 48;
    // Open maps are frequent on purpose: they are full of equally long routes.
    const int density = percent(random) < 15 ? 0 : std::uniform_int_distribution<int>(0, 40)(random);
    TTestGrid grid(columns, rows);
    for (int column = 0; column < columns; ++column) {
      for (int row = 0; row < rows; ++row) grid.At(column, row).Passable = percent(random) >= density;
    }

    for (int query = 0; query < 3; ++query, ++queries) {
      const TPosition start = RandomPosition(random, grid);
      const TPosition target = percent(random) < 2 ? start : RandomPosition(random, grid);
      const TOutcome expected = SearchOnce<TDijkstraOracle>(grid, start, target);
      const TOutcome actual = SearchOnce<TDijkstra>(grid, start, target);
      ASSERT_EQ(actual.Found, expected.Found)
          << "query " << queries << " from (" << start.first << "," << start.second << ") to (" << target.first
          << "," << target.second << ") on\n"
          << grid.Picture();
      ASSERT_EQ(actual.Route, expected.Route)
          << "query " << queries << "\nexpected " << Describe(expected.Route) << "\nactual   "
          << Describe(actual.Route) << "\non\n"
          << grid.Picture();
      ASSERT_EQ(actual.Distances, expected.Distances) << "query " << queries << " on\n" << grid.Picture();
      (expected.Found ? found : failed) += 1;
    }
  }
  // The random queries cover both outcomes and the largest maps.
  EXPECT_GT(found, 10000);
  EXPECT_GT(failed, 1000);
  EXPECT_GT(large, 50);
}

// One search kept over many queries, as the map window keeps it: queries from
// the same start go on from the last one, some ends are made passable for one
// query only (SearchBetween), and cells change between queries. Every answer
// must be the literal search's on a fresh grid as it is at that moment.
TEST(TDijkstra, KeptSearchesMatchTheLiteralSearchOnRandomMaps) {
  std::mt19937 random(20250111);
  std::uniform_int_distribution<int> percent(0, 99);
  int queries = 0, found = 0, failed = 0, between = 0, blockedEnds = 0, changes = 0;
  while (queries < 20000) {
    const int most = percent(random) < 90 ? 12 : 30;
    const int columns = std::uniform_int_distribution<int>(3, most)(random);
    const int rows = std::uniform_int_distribution<int>(3, most)(random);
    const int density = percent(random) < 15 ? 0 : std::uniform_int_distribution<int>(0, 40)(random);
    TTestGrid grid(columns, rows);
    for (int column = 0; column < columns; ++column) {
      for (int row = 0; row < rows; ++row) grid.At(column, row).Passable = percent(random) >= density;
    }
    TDijkstra kept;
    kept.Build(grid.Cells(), columns, rows);
    TPosition start = RandomPosition(random, grid);
    for (int step = 0; step < 30; ++step) {
      const int roll = percent(random);
      if (roll < 10) {
        // A cell changes; the kept grid is told.
        const TPosition cell{std::uniform_int_distribution<int>(0, columns - 1)(random),
                             std::uniform_int_distribution<int>(0, rows - 1)(random)};
        TTestCell& changed = grid.At(cell.first, cell.second);
        changed.Passable = !changed.Passable;
        kept.SetPassable(cell, changed.Passable);
        ++changes;
        continue;
      }
      // Any cell, passable or not, as a stack's cell or an enemy's is.
      const auto anyCell = [&] {
        return TPosition{std::uniform_int_distribution<int>(0, columns - 1)(random),
                         std::uniform_int_distribution<int>(0, rows - 1)(random)};
      };
      // Mostly the same start, as while a stack stays selected.
      if (roll < 25) start = percent(random) < 50 ? anyCell() : RandomPosition(random, grid);
      const bool ends = percent(random) < 50;
      const TPosition target = ends && percent(random) < 50 ? anyCell() : RandomPosition(random, grid);
      TOutcome expected;
      if (ends) {
        // The literal search on the grid with both ends made passable.
        const bool inside = start.first >= 0 && start.first < columns && start.second >= 0 && start.second < rows &&
                            target.first >= 0 && target.first < columns && target.second >= 0 &&
                            target.second < rows;
        if (inside) {
          TTestCell& from = grid.At(start.first, start.second);
          TTestCell& to = grid.At(target.first, target.second);
          const bool fromWas = from.Passable, toWas = to.Passable;
          blockedEnds += !fromWas || !toWas;
          from.Passable = to.Passable = true;
          expected = SearchOnce<TDijkstraOracle>(grid, start, target);
          from.Passable = fromWas;
          to.Passable = toWas;
        }
        ++between;
      } else {
        expected = SearchOnce<TDijkstraOracle>(grid, start, target);
      }
      TOutcome actual;
      try {
        if (ends) {
          kept.SearchBetween(start, target, actual.Route);
        } else {
          kept.Search(start, target, actual.Route);
        }
        actual.Found = true;
      } catch (int error) {
        EXPECT_EQ(error, 0);
      }
      ++queries;
      ASSERT_EQ(actual.Found, expected.Found)
          << "query " << queries << (ends ? " between" : "") << " from (" << start.first << "," << start.second
          << ") to (" << target.first << "," << target.second << ") on\n"
          << grid.Picture();
      ASSERT_EQ(actual.Route, expected.Route)
          << "query " << queries << (ends ? " between" : "") << "\nexpected " << Describe(expected.Route)
          << "\nactual   " << Describe(actual.Route) << "\non\n"
          << grid.Picture();
      if (actual.Found && !ends) {
        std::map<TPosition, float> distances;
        for (const TDijkstra::TNode& node : kept.Nodes()) distances[{node.X, node.Y}] = node.Distance;
        for (size_t i = 0; i < actual.Route.size(); ++i)
          ASSERT_EQ(distances.at(actual.Route[i]), expected.Distances[i]) << "query " << queries;
      }
      (expected.Found ? found : failed) += 1;
    }
  }
  // Both outcomes, both kinds of query, ends the grid does not pass, changes.
  EXPECT_GT(found, 8000);
  EXPECT_GT(failed, 1000);
  EXPECT_GT(between, 8000);
  EXPECT_GT(blockedEnds, 1500);
  EXPECT_GT(changes, 1500);
}

}  // namespace
