#include "editor/MapCheck.h"

#include <algorithm>
#include <cfloat>
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

// Whether the search reached the cell: its node's distance is known. Nodes
// are numbered row by row, so the cell's node is found by bisection.
bool Reached(const NAlgo::TDijkstra& in_search, TPosition in_cell) {
  const auto& nodes = in_search.Nodes();
  const auto node = std::lower_bound(nodes.begin(), nodes.end(), in_cell, [](const auto& a, TPosition b) {
    return a.Y != b.second ? a.Y < b.second : a.X < b.first;
  });
  return node != nodes.end() && node->X == in_cell.first && node->Y == in_cell.second && node->Distance < FLT_MAX;
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
  if (own.empty() || enemies.empty()) return false;

  // One search graph in which every stack counts as passable, as the two ends
  // of an order do. A stack can reach an enemy in the game exactly when an own
  // stack and an enemy stack are joined in it: cut a route at its first enemy,
  // and start it at the last own stack before that, and what lies between is
  // free cells only, the route the game would find for that pair.
  struct TForcedStacks {
    std::vector<TCell*> Cells;
    ~TForcedStacks() {
      for (TCell* cell : Cells) cell->ForcePassable = false;
    }
  } forced;
  for (const std::vector<TPosition>* side : {&own, &enemies})
    for (const TPosition& at : *side) {
      TCell* cell = MapCells[at.first][at.second];
      cell->ForcePassable = true;
      forced.Cells.push_back(cell);
    }
  NAlgo::TDijkstra search;
  search.Build(MapCells, MapColumns, MapRows);

  // From each own stack not yet met, towards the nearest enemy. A search that
  // fails has settled everything it can reach: the enemies and own stacks
  // there are known at once.
  std::vector<bool> met(own.size(), false);
  for (size_t i = 0; i < own.size(); ++i) {
    if (met[i]) continue;
    const auto distance = [&](const TPosition& enemy) {
      return std::max(std::abs(int64_t{own[i].first} - enemy.first), std::abs(int64_t{own[i].second} - enemy.second));
    };
    const TPosition nearest = *std::min_element(enemies.begin(), enemies.end(), [&](const TPosition& a, const TPosition& b) {
      return distance(a) < distance(b);
    });
    std::vector<TPosition> route;
    try {
      search.Search(own[i], nearest, route);
      return true;
    } catch (int) {
    }
    for (const TPosition& enemy : enemies)
      if (Reached(search, enemy)) return true;
    for (size_t j = i; j < own.size(); ++j)
      if (Reached(search, own[j])) met[j] = true;
  }
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
