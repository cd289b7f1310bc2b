#pragma once
// The window of one map cell: a 64 x 48 child of the map window at (64 c, 48 r)
// in the map's drawing coordinates. It draws nothing itself (the map draws all
// cells in two passes); it takes the mouse over its cell and carries the cell's
// drawing offsets, used while a stack slides or lunges.

#include <cstdint>

#include "toolkit/TWindow.h"

class TCell;
class TMap;

class TWinCell : public TWindow {
 public:
  static constexpr int32_t kWidth = 64;
  static constexpr int32_t kHeight = 48;

  // Joins in_map's children with the rectangle (64 in_column, 48 in_row, 64, 48).
  // in_cell is the grid entry shown, not owned. One of many: the map updates
  // its cells (TMap::Update), and gives the focus and the pointer to the last
  // one it makes.
  TWinCell(TMap* in_map, int32_t in_column, int32_t in_row, TCell* in_cell);

  // Once per frame, for a cell that holds a stack. An animating stack goes on
  // one frame (stopping when the frame index reaches the row count of its
  // sheet) and the drawing offsets move by the steps; an idle stack with lives
  // shows the paused animation, and an idle stack's offsets are 0. Then a stack
  // without lives that has stopped animating is removed (RemoveStack). Nothing
  // on a map that is not played (TMap::IsPlayed).
  void Update() override;
  // Whether Update would change anything: false for a cell without a stack,
  // and for an idle stack with lives that shows its paused animation with the
  // offsets at 0.
  bool HasWork() const;
  // A cell keeps its size.
  void SetSize(int32_t, int32_t) override {}
  // Ignored while the map carries out an order and on the cell where the
  // selection was made. With a stack selected, any other click gives the order
  // along the current route. Without one, a click on a stack of the player to
  // move that has lives left selects it.
  void OnLButtonDown() override;
  // Shows the cell's information text (see InfoTextTarget), then cancels the
  // map's selection and route.
  void OnRButtonDown() override;
  // Empties the information text.
  void OnRButtonUp() override;
  void OnMouseLeave() override;
  // With a stack selected and no order running, a free cell (no stack, no
  // place) or a cell with a stack of the other player becomes the route's
  // target and the route is searched again; other cells keep the route. Then
  // scrolls the map while the right button is held and marks the cell hovered.
  void OnMouseMove() override;

  // One step of a walk, called on the destination with the source cell window:
  // the stack moves over to this cell, faces the way it goes and slides from
  // the source's place into this cell over its running animation. The source is
  // one of the eight neighbours; a farther cell is treated as the neighbour in
  // its direction. Logs and throws 0 when in_other is this cell, or when the
  // cells cannot take part (no stack to move, or a stack already here).
  void Swap(TWinCell* in_other);
  // One strike of this cell's stack on the stack of in_other: both turn to
  // face each other, the attacker lunges half a cell toward the target, and the
  // target loses RandomNumber() % 10 lives; when its top creature dies, the next
  // one takes the top with (RandomNumber() % 10) + 5 lives, or, with none left,
  // the target plays its dying animation. Logs and throws 0 when in_other is
  // this cell, or when either cell holds no stack.
  void Attacke(TWinCell* in_other);
  // Deletes this cell's stack, taking it out of its owner's stack list first,
  // and leaves the cell empty. A destroyed queen wins the game for the other
  // player: sets WinnerText and requests the finish screen. Nothing without a stack.
  void RemoveStack();

  TMap* Map() const { return Map_; }

  double OffsetX = 0.0;
  double OffsetY = 0.0;
  double StepX = 0.0;
  double StepY = 0.0;
  int32_t Column;
  int32_t Row;
  TCell* Cell;
  bool Hovered = false;
  // 1 while the cell is on the shown route.
  int32_t OnRoute = 0;

 private:
  TMap* Map_;
};
