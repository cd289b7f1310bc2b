#pragma once
// One thing a player does on their turn, as the policies choose it and the
// replay files record it, one line each:
//   order C R C R        select the stack at the first cell, point at the second, click
//   cut C R C R N        the same, then a right click N frames into the walk
//   probe C R            a click on a cell that holds none of the mover's stacks (nothing may be selected)
//   try C R C R          select the stack at the first cell, point at the second, which is no target of
//                        it (another of its player's stacks, a tree, a cell no route reaches): no route
//                        may show; then a right click cancels the selection
//   try C R C R click    the same, but the click lands on that cell: an order without a route, which
//                        passes the turn and moves nothing
//   pass                 "Пропустить Ход." and the box that follows
//   save NAME            save as NAME, reload it through the map list, save again as NAME plus "b"
//   menu                 open the in-game main menu and go back with "Назат"
// An order or a cut may end in "via C R": the click that gives the order lands
// on that cell (a tree or one of the mover's stacks, which leave the route as
// it is) instead of the target. An order may go on with "poke N C R": N
// frames into the walk, a click on that cell, which the walk must ignore. An
// order, a cut, a probe or a pass may end in "hasty": it comes as soon as the
// turn is there, while stacks still move.

#include <cstdint>
#include <optional>
#include <string>

#include "opponent/TBoard.h"

enum class TActionKind { Order, Cut, Probe, Pass, Save, Menu, Try };

// A click during a walk: how many frames into it, and on which cell.
struct TPoke {
  int32_t Frames = 0;
  TCellPos Cell;
  bool operator==(const TPoke&) const = default;
};

struct TAction {
  TActionKind Kind = TActionKind::Pass;
  TCellPos From;
  TCellPos To;
  // Cut: frames of the walk before the right click.
  int32_t Frames = 0;
  // Save: the name typed, letters and digits only.
  std::string Name;
  // Order and cut: where the click that gives the order lands, when not on the target.
  std::optional<TCellPos> Via;
  // Order: a click during the walk.
  std::optional<TPoke> Poke;
  // Try: the cell is clicked instead of the selection cancelled.
  bool Clicked = false;
  // Acted on before the board has come to rest.
  bool Hasty = false;

  bool operator==(const TAction&) const = default;
  // Whether the action gives an order (the turn passes with it).
  bool IsOrder() const { return Kind == TActionKind::Order || Kind == TActionKind::Cut; }
};

std::string ActionText(const TAction& in_action);
// The action of a replay line; nothing when the line is not one.
std::optional<TAction> ParseAction(const std::string& in_line);
// Whether a save name can be typed: 1 to 24 Latin letters and digits.
bool IsTypableName(const std::string& in_name);
