#include "autoplay/TWrongGame.h"

#include <algorithm>
#include <memory>

#include "algo/TDijkstra.h"
#include "graphics/TSprite.h"
#include "headless/GameHarness.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/TUnit.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"

namespace {

// The map window of the game screen; null on other screens.
TMap* MapShown() {
  if (!RootWindow || RootWindow->Children.empty()) return nullptr;
  return dynamic_cast<TMap*>(RootWindow->Children.front());
}

// Every cell of the world's grid with a stack, and the stack.
template <typename F>
void ForEachStack(F in_visit) {
  if (!MapCells) return;
  for (int32_t c = 0; c < MapColumns; ++c)
    for (int32_t r = 0; r < MapRows; ++r)
      if (TCell* cell = MapCells[c] ? MapCells[c][r] : nullptr; cell && cell->Unit) in_visit(*cell, *cell->Unit);
}

int32_t FramesOf(const TUnitSprite* in_sheet) {
  return in_sheet ? static_cast<int32_t>(std::max<uint32_t>(1, in_sheet->Rows)) : 1;
}

// A cell of a route search in which only trees and other places block.
class TPlaceOnlyCell : public NAlgo::TDijkstra::TDijkstraCell {
 public:
  explicit TPlaceOnlyCell(bool in_passable) : Passable_(in_passable) {}
  bool IsPassable() override { return Passable_; }

 private:
  bool Passable_;
};

}  // namespace

std::string FaultName(TGameFault in_fault) {
  switch (in_fault) {
    case TGameFault::None:
      return "None";
    case TGameFault::StrikeTakesNoLives:
      return "StrikeTakesNoLives";
    case TGameFault::StrikeIsSkipped:
      return "StrikeIsSkipped";
    case TGameFault::QueenFallIsIgnored:
      return "QueenFallIsIgnored";
    case TGameFault::WalkStopsShort:
      return "WalkStopsShort";
    case TGameFault::TurnCounterStays:
      return "TurnCounterStays";
    case TGameFault::RouteThroughStacks:
      return "RouteThroughStacks";
    case TGameFault::DeadStackStays:
      return "DeadStackStays";
    case TGameFault::WalkTakesClicks:
      return "WalkTakesClicks";
    case TGameFault::RouteToNoTarget:
      return "RouteToNoTarget";
    case TGameFault::WalkIgnoresRightClicks:
      return "WalkIgnoresRightClicks";
  }
  return "";
}

TWrongGame::TWrongGame(TGameHarness& in_harness, TGameFault in_fault) : Harness_(in_harness), Fault_(in_fault) {
  if (Fault_ == TGameFault::None) return;
  Harness_.SetMessageHook([this](UINT message, bool before) {
    if (before) {
      Before(message);
    } else {
      After(message);
    }
  });
}

TWrongGame::~TWrongGame() {
  if (Fault_ != TGameFault::None) Harness_.SetMessageHook(nullptr);
}

void TWrongGame::Before(UINT in_message) {
  TMap* map = MapShown();
  if (Fault_ == TGameFault::WalkIgnoresRightClicks && in_message == WM_RBUTTONDOWN) {
    WasMoving_ = map && map->Moving;
    if (WasMoving_) {
      Route_ = map->Route;
      Selected_ = map->SelectedCell;
    }
    return;
  }
  if (in_message != WM_TIMER) return;
  switch (Fault_) {
    case TGameFault::StrikeTakesNoLives:
      Before_.clear();
      ForEachStack([&](TCell&, TUnit& unit) { Before_.push_back({&unit, {unit.Lives, unit.Count}}); });
      break;
    case TGameFault::TurnCounterStays:
      WasMoving_ = map && map->Moving;
      TurnBefore_ = TurnCounter;
      break;
    case TGameFault::StrikeIsSkipped:
      // The strike that ends the route is dropped before it comes.
      if (map && map->Moving && map->Route.size() == 2) {
        TWinCell* last = map->CellWindow(map->Route[1].first, map->Route[1].second);
        if (last && last->Cell && last->Cell->Unit) {
          for (const auto& [column, row] : map->Route)
            if (TWinCell* window = map->CellWindow(column, row)) window->OnRoute = 0;
          map->Route.clear();
        }
      }
      break;
    case TGameFault::WalkStopsShort:
      // The last step of a walk is dropped before it is taken: to a free
      // cell at the end, or to the cell next to the enemy struck at the end
      // (and the strike with it).
      if (map && map->Moving && map->Route.size() >= 2 && map->Route.size() <= 3) {
        const auto holdsStack = [&](size_t i) {
          const TWinCell* window = map->CellWindow(map->Route[i].first, map->Route[i].second);
          return window && window->Cell && window->Cell->Unit;
        };
        const bool lastStep = map->Route.size() == 2 ? !holdsStack(1) : !holdsStack(1) && holdsStack(2);
        if (!lastStep) break;
        for (size_t i = 1; i < map->Route.size(); ++i)
          if (TWinCell* window = map->CellWindow(map->Route[i].first, map->Route[i].second)) window->OnRoute = 0;
        map->Route.resize(1);
      }
      break;
    case TGameFault::DeadStackStays:
      if (!map) break;
      // A dead stack whose last animation frame comes now stops animating
      // here instead, and sits the frame out where the frame cannot remove it.
      ForEachStack([&](TCell& cell, TUnit& unit) {
        if (unit.Lives > 0) return;
        if (unit.Animating && unit.FrameIndex + 1 < FramesOf(unit.CurrentAnimation)) return;
        unit.Animating = false;
        unit.FrameIndex = 0;
        Hidden_.push_back({&cell, &unit});
      });
      for (const auto& [cell, unit] : Hidden_) cell->Unit = nullptr;
      break;
    default:
      break;
  }
}

void TWrongGame::After(UINT in_message) {
  TMap* map = MapShown();
  if (Fault_ == TGameFault::RouteThroughStacks) {
    if (map && (in_message == WM_MOUSEMOVE || in_message == WM_LBUTTONDOWN) && map->HasSelection && !map->Moving)
      RouteAroundTreesOnly(*map);
    return;
  }
  if (Fault_ == TGameFault::WalkIgnoresRightClicks) {
    if (in_message == WM_RBUTTONDOWN && WasMoving_ && map && map->Moving) {
      map->Route = Route_;
      map->SelectedCell = Selected_;
      for (const auto& [column, row] : map->Route)
        if (TWinCell* window = map->CellWindow(column, row)) window->OnRoute = 1;
    }
    return;
  }
  if (Fault_ == TGameFault::WalkTakesClicks || Fault_ == TGameFault::RouteToNoTarget) {
    auto* cell = dynamic_cast<TWinCell*>(PointerWindow);
    TUnit* unit = cell && cell->Cell ? cell->Cell->Unit : nullptr;
    const bool own = unit && unit->Lives > 0 && ((unit->Owner % 2) + 2) % 2 == PlayerToMove();
    if (!map || !cell || cell->Map() != map) return;
    if (Fault_ == TGameFault::WalkTakesClicks && in_message == WM_LBUTTONDOWN && map->Moving && own &&
        cell != map->SelectedCell) {
      map->SelectedCell = cell;
      map->HasSelection = true;
    }
    if (Fault_ == TGameFault::RouteToNoTarget && in_message == WM_MOUSEMOVE && map->HasSelection && !map->Moving &&
        cell != map->SelectedCell && (own || (cell->Cell && cell->Cell->Place))) {
      map->TargetCell = cell;
      map->ComputeRoute();
    }
    return;
  }
  if (in_message != WM_TIMER) return;
  switch (Fault_) {
    case TGameFault::StrikeTakesNoLives:
      ForEachStack([&](TCell&, TUnit& unit) {
        const auto before = std::find_if(Before_.begin(), Before_.end(), [&](const auto& entry) { return entry.first == &unit; });
        if (before == Before_.end() || !unit.Animating) return;
        const bool struck = unit.CurrentAnimation == unit.Animation(kBeenHit) || unit.CurrentAnimation == unit.Animation(kOver);
        if (!struck || (unit.Lives == before->second.first && unit.Count == before->second.second)) return;
        unit.Lives = before->second.first;
        unit.Count = before->second.second;
        unit.CurrentAnimation = unit.Animation(kBeenHit);
      });
      break;
    case TGameFault::QueenFallIsIgnored:
      if (ScreenRequestPending && RequestedScreen == 2) ScreenRequestPending = false;
      break;
    case TGameFault::TurnCounterStays:
      if (WasMoving_ && map && !map->Moving && TurnCounter == TurnBefore_ + 1) TurnCounter = TurnBefore_;
      break;
    case TGameFault::DeadStackStays:
      for (const auto& [cell, unit] : Hidden_) {
        if (!cell->Unit) {
          cell->Unit = unit;
          continue;
        }
        // A stack walked into the cell meanwhile: the hidden one goes as the
        // game removes stacks, so that nothing refers to it.
        for (TPlayer& player : Players) std::erase(player.Units, unit);
        delete unit;
      }
      Hidden_.clear();
      break;
    default:
      break;
  }
}

void TWrongGame::RouteAroundTreesOnly(TMap& in_map) const {
  if (!in_map.SelectedCell || !in_map.TargetCell || !MapCells) return;
  std::vector<std::unique_ptr<TPlaceOnlyCell>> cells;
  std::vector<std::vector<TPlaceOnlyCell*>> columns(static_cast<size_t>(MapColumns));
  for (int32_t c = 0; c < MapColumns; ++c)
    for (int32_t r = 0; r < MapRows; ++r) {
      const TCell* cell = MapCells[c] ? MapCells[c][r] : nullptr;
      cells.push_back(std::make_unique<TPlaceOnlyCell>(cell && !cell->Place));
      columns[static_cast<size_t>(c)].push_back(cells.back().get());
    }
  std::vector<TPlaceOnlyCell**> grid;
  for (auto& column : columns) grid.push_back(column.data());
  NAlgo::TDijkstra search;
  search.Build(grid.data(), MapColumns, MapRows);
  std::vector<TMap::TGridPosition> route;
  try {
    search.SearchBetween({in_map.SelectedCell->Column, in_map.SelectedCell->Row},
                         {in_map.TargetCell->Column, in_map.TargetCell->Row}, route);
  } catch (int) {
    return;
  }
  bool throughAStack = false;
  for (size_t i = 1; i + 1 < route.size(); ++i) {
    const TCell* cell = MapCells[route[i].first][route[i].second];
    throughAStack = throughAStack || (cell && cell->Unit);
  }
  if (!throughAStack || route == in_map.Route) return;
  for (const auto& [column, row] : in_map.Route)
    if (TWinCell* window = in_map.CellWindow(column, row)) window->OnRoute = 0;
  in_map.Route = route;
  for (const auto& [column, row] : in_map.Route)
    if (TWinCell* window = in_map.CellWindow(column, row)) window->OnRoute = 1;
}
