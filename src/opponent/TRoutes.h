#pragma once
// The rules of an order, worked out apart from the game's own route search, so
// that the autoplay can tell whether an order the map accepted is a legal one.
//
// An order takes one of the mover's stacks (lives left) along a route over the
// eight-connected grid, straight steps costing 1 and diagonal ones sqrt 2, to a
// free cell or onto a stack of the other player. Every cell between the two
// ends must be free (no tree, no stack). The route is a shortest one; a walk
// has no length limit (the stack's movement allowance limits nothing).

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "opponent/TBoard.h"

// The cost of a step between two neighbours: 1 straight, sqrt 2 diagonal.
double StepCost(TCellPos in_from, TCellPos in_to);
// Whether the two cells are distinct and touch, sides or corners.
bool Neighbours(TCellPos in_a, TCellPos in_b);

// Shortest route lengths from one cell, by Dijkstra's search over the free cells.
class TRoutes {
 public:
  static constexpr double kNone = std::numeric_limits<double>::infinity();

  TRoutes(const TBoard& in_board, TCellPos in_from);
  // The same, but the search stops once the target's length is known; only
  // DistanceTo(in_target) is then sure.
  TRoutes(const TBoard& in_board, TCellPos in_from, TCellPos in_target);

  // The length of a shortest route from the start to the target, or kNone when
  // no route exists. A target with a stack or a tree is reached from a
  // neighbour; the start itself has no route.
  double DistanceTo(TCellPos in_target) const;

 private:
  void Search(const std::optional<TCellPos>& in_target);

  const TBoard& Board_;
  TCellPos From_;
  std::vector<double> Distance_;
};

// One stack moved on a board, for looking ahead without a copy of the board.
struct TMove {
  TCellPos From;
  TCellPos To;
};

// Which cells a stack standing at in_start could walk through or to: the
// start and every free cell joined to it by free cells, flags row by row. With
// in_move, on the board as it would be after that move.
std::vector<bool> FreeReach(const TBoard& in_board, TCellPos in_start, const TMove* in_move = nullptr);

// Whether in_target is a target of an order of in_mover's stack at in_from:
// a free cell or a stack of the other player, with a route to it.
bool IsLegalTarget(const TBoard& in_board, TCellPos in_from, TCellPos in_target);

// Checks a route the map accepted for the stack at in_from of the player to
// move: answers the broken rule, or nothing when the order is legal.
std::optional<std::string> RouteFault(const TBoard& in_board, const std::vector<TCellPos>& in_route);
