#include "editor/MapCheck.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "algo/TDijkstra.h"
#include "world/NumberText.h"
#include "world/TCell.h"
#include "world/TUnit.h"
#include "world/UnitTypes.h"
#include "world/WorldState.h"

namespace {

constexpr int32_t kQueenType = 8;

using TPosition = NAlgo::TDijkstra::TPosition;

// Counts and coordinates here stay far below 2^31: a map has at most 2^20 cells.
std::wstring Number(int64_t in_value) { return DecimalText(static_cast<int32_t>(in_value)); }

std::wstring PlayerLabel(int32_t in_player) { return L"Игрок " + Number(in_player + 1) + L": "; }

// The cells of the player's stacks, row by row.
std::vector<TPosition> StacksOf(int32_t in_player) {
  std::vector<TPosition> found;
  if (!MapCells) return found;
  for (int32_t r = 0; r < MapRows; ++r)
    for (int32_t c = 0; c < MapColumns; ++c) {
      const TCell* cell = MapCells[c] ? MapCells[c][r] : nullptr;
      if (cell && cell->Unit && cell->Unit->Owner == in_player) found.emplace_back(c, r);
    }
  return found;
}

// Whether the game's route search finds a route from one cell to the other,
// both counting as passable for the search, as when an order is given.
bool RouteExists(TPosition in_from, TPosition in_to) {
  TCell* from = MapCells[in_from.first][in_from.second];
  TCell* to = MapCells[in_to.first][in_to.second];
  from->ForcePassable = true;
  to->ForcePassable = true;
  bool found = true;
  try {
    NAlgo::TDijkstra search;
    search.Build(MapCells, MapColumns, MapRows);
    std::vector<TPosition> route;
    search.Search(in_from, in_to, route);
  } catch (int) {
    found = false;
  } catch (...) {
    from->ForcePassable = false;
    to->ForcePassable = false;
    throw;
  }
  from->ForcePassable = false;
  to->ForcePassable = false;
  return found;
}

// The stacks whose numbers make them vanish or not show, as one warning each
// kind: how many, and the first of them.
void CheckStackNumbers(std::vector<std::wstring>& out) {
  int64_t lifeless = 0;
  int64_t facingNowhere = 0;
  TPosition firstLifeless{-1, -1};
  TPosition firstFacingNowhere{-1, -1};
  for (int32_t r = 0; r < MapRows; ++r)
    for (int32_t c = 0; c < MapColumns; ++c) {
      const TCell* cell = MapCells[c] ? MapCells[c][r] : nullptr;
      if (!cell || !cell->Unit) continue;
      if (cell->Unit->Lives <= 0 && lifeless++ == 0) firstLifeless = {c, r};
      if ((cell->Unit->Direction < 0 || cell->Unit->Direction > 7) && facingNowhere++ == 0)
        firstFacingNowhere = {c, r};
    }
  const auto where = [](TPosition at) { return L"клетка (" + Number(at.first) + L", " + Number(at.second) + L")"; };
  if (lifeless > 0)
    out.push_back(L"Отрядов без жизней: " + Number(lifeless) + L" (первый — " + where(firstLifeless) +
                  L"); они исчезнут в первом же кадре игры.");
  if (facingNowhere > 0)
    out.push_back(L"Отрядов с направлением не от 0 до 7: " + Number(facingNowhere) + L" (первый — " +
                  where(firstFacingNowhere) + L"); их не видно на карте.");
}

}  // namespace

bool CanReachEnemy(int32_t in_player) {
  if (!MapCells || (in_player != 0 && in_player != 1)) return false;
  const std::vector<TPosition> own = StacksOf(in_player);
  const std::vector<TPosition> enemies = StacksOf(1 - in_player);
  // The nearest pairs first: on a playable map the first search succeeds.
  std::vector<std::pair<int64_t, std::pair<size_t, size_t>>> pairs;
  pairs.reserve(own.size() * enemies.size());
  for (size_t i = 0; i < own.size(); ++i)
    for (size_t j = 0; j < enemies.size(); ++j) {
      const int64_t distance = std::max(std::abs(int64_t{own[i].first} - enemies[j].first),
                                        std::abs(int64_t{own[i].second} - enemies[j].second));
      pairs.push_back({distance, {i, j}});
    }
  std::sort(pairs.begin(), pairs.end());
  for (const auto& [distance, pair] : pairs)
    if (RouteExists(own[pair.first], enemies[pair.second])) return true;
  return false;
}

std::vector<std::wstring> CheckMap() {
  std::vector<std::wstring> warnings;
  if (!MapCells || MapColumns <= 0 || MapRows <= 0) {
    warnings.push_back(L"На карте нет ни одной клетки.");
    return warnings;
  }
  const std::vector<TPosition> stacks[2] = {StacksOf(0), StacksOf(1)};
  for (int32_t player = 0; player < 2; ++player) {
    if (Players[player].Name.empty()) warnings.push_back(PlayerLabel(player) + L"нет имени.");
    int64_t queens = 0;
    for (const TPosition& at : stacks[player])
      if (MapCells[at.first][at.second]->Unit->Type == kQueenType) ++queens;
    if (queens == 0)
      warnings.push_back(PlayerLabel(player) + L"нет королевы.");
    else if (queens > 1)
      warnings.push_back(PlayerLabel(player) + L"королев " + Number(queens) + L", а нужна одна.");
    if (stacks[player].empty())
      warnings.push_back(PlayerLabel(player) + L"нет ни одного отряда.");
    else if (!stacks[1 - player].empty() && !CanReachEnemy(player))
      warnings.push_back(PlayerLabel(player) + L"ни один отряд не может дойти до отряда противника.");
  }
  CheckStackNumbers(warnings);
  if (MapColumns > kComfortableMapSide || MapRows > kComfortableMapSide)
    warnings.push_back(L"Карта больше " + Number(kComfortableMapSide) + L" x " + Number(kComfortableMapSide) +
                       L": игре на ней будет тяжело.");
  return warnings;
}
