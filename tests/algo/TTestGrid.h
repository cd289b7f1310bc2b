#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "algo/TDijkstra.h"

// A route-search cell whose passability the test sets directly.
class TTestCell : public NAlgo::TDijkstra::TDijkstraCell {
 public:
  explicit TTestCell(bool in_passable) : Passable(in_passable) {}
  bool IsPassable() override { return Passable; }

  bool Passable;
};

// A grid of test cells laid out as the game lays out its map: an array of
// columns, each an array of cell pointers indexed by row. Cells() has the type
// of the game's grid, `TTestCell***`, and goes to Build unconverted.
class TTestGrid {
 public:
  // An open grid: every cell passable.
  TTestGrid(int in_columns, int in_rows)
      : Columns_(in_columns), Rows_(in_rows), Storage_(static_cast<size_t>(in_columns) * in_rows, TTestCell(true)) {
    for (int column = 0; column < in_columns; ++column) {
      std::vector<TTestCell*> cells;
      for (int row = 0; row < in_rows; ++row) cells.push_back(&Storage_[static_cast<size_t>(column) * in_rows + row]);
      ColumnCells_.push_back(std::move(cells));
    }
    for (std::vector<TTestCell*>& cells : ColumnCells_) ColumnPointers_.push_back(cells.data());
  }

  // A grid drawn row by row: '#' is an impassable cell, anything else passable.
  static TTestGrid FromRows(const std::vector<std::string>& in_rows) {
    TTestGrid grid(in_rows.empty() ? 0 : static_cast<int>(in_rows[0].size()), static_cast<int>(in_rows.size()));
    for (int row = 0; row < grid.Rows(); ++row) {
      for (int column = 0; column < grid.Columns(); ++column) grid.At(column, row).Passable = in_rows[row][column] != '#';
    }
    return grid;
  }

  TTestGrid(const TTestGrid&) = delete;
  TTestGrid& operator=(const TTestGrid&) = delete;
  TTestGrid(TTestGrid&&) = default;
  TTestGrid& operator=(TTestGrid&&) = default;

  TTestCell*** Cells() { return ColumnPointers_.data(); }
  TTestCell& At(int in_column, int in_row) { return *ColumnCells_[in_column][in_row]; }
  int Columns() const { return Columns_; }
  int Rows() const { return Rows_; }

  // The grid as FromRows would take it, for failure messages.
  std::string Picture() {
    std::string picture;
    for (int row = 0; row < Rows_; ++row) {
      for (int column = 0; column < Columns_; ++column) picture += At(column, row).Passable ? '.' : '#';
      picture += '\n';
    }
    return picture;
  }

 private:
  int Columns_;
  int Rows_;
  std::vector<TTestCell> Storage_;
  std::vector<std::vector<TTestCell*>> ColumnCells_;
  std::vector<TTestCell**> ColumnPointers_;
};
