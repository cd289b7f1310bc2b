#pragma once
// The routes the map window takes for orders on a position: the game's own
// route search over the free cells, with the order's two ends passable. Where
// a striking stack stops (the cell before its target) is where it stands
// when the next turn begins, so the strong player asks here for the orders it
// may give, where a guess would do for the orders it only imagines.

#include <cstdint>
#include <memory>
#include <vector>

#include "algo/TDijkstra.h"
#include "opponent/TPosition.h"

class TGameRoute {
 public:
  explicit TGameRoute(const TPosition& in_position);
  ~TGameRoute();
  TGameRoute(const TGameRoute&) = delete;
  TGameRoute& operator=(const TGameRoute&) = delete;

  // The cell (of the position) where a stack at in_from stops on its way to
  // in_to: in_to itself when it is free; the last cell before it when a stack
  // stands there; -1 when no route leads there.
  int32_t StopOf(int32_t in_from, int32_t in_to);

 private:
  class TGridCell;

  const TPosition& Position_;
  std::vector<std::unique_ptr<TGridCell>> Cells_;
  std::vector<TGridCell*> CellPointers_;
  std::vector<TGridCell**> Columns_;
  NAlgo::TDijkstra Search_;
  std::vector<NAlgo::TDijkstra::TPosition> Route_;
};
