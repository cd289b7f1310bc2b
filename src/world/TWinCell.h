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
  // in_cell is the grid entry shown, not owned.
  TWinCell(TMap* in_map, int32_t in_column, int32_t in_row, TCell* in_cell);

  // FIXME: advancing the stack's animation (frame, offsets) and removing a
  // stack whose lives are gone are missing; an idle stack needs neither.
  void Update() override {}
  // A cell keeps its size.
  void SetSize(int32_t, int32_t) override {}
  // FIXME: selecting a stack and giving an order are missing; the click is ignored.
  void OnLButtonDown() override {}
  // Shows the cell's information text (see InfoTextTarget), then cancels the
  // map's selection and route.
  void OnRButtonDown() override;
  // Empties the information text.
  void OnRButtonUp() override;
  void OnMouseLeave() override;
  // Scrolls the map while the right button is held, then marks the cell hovered.
  void OnMouseMove() override;

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
