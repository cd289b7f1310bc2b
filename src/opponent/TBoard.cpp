#include "opponent/TBoard.h"

#include "world/TCell.h"
#include "world/TUnit.h"
#include "world/WorldState.h"

TBoard::TBoard(int32_t in_columns, int32_t in_rows)
    : Columns_(in_columns > 0 ? in_columns : 0),
      Rows_(in_rows > 0 ? in_rows : 0),
      Trees_(static_cast<size_t>(Columns_) * Rows_, false),
      Stacks_(static_cast<size_t>(Columns_) * Rows_),
      Occupied_(static_cast<size_t>(Columns_) * Rows_, 0) {}

void TBoard::SetTree(TCellPos in_cell, bool in_tree) {
  const size_t index = Index(in_cell);
  Trees_[index] = in_tree;
  Occupied_[index] = Trees_[index] || Stacks_[index];
}

void TBoard::SetStack(TCellPos in_cell, std::optional<TStackView> in_stack) {
  const size_t index = Index(in_cell);
  Stacks_[index] = in_stack;
  Occupied_[index] = Trees_[index] || Stacks_[index];
}

TBoard TBoard::FromWorld() {
  TBoard board(MapCells ? MapColumns : 0, MapCells ? MapRows : 0);
  board.Turn = TurnCounter;
  board.Names[0] = Players[0].Name;
  board.Names[1] = Players[1].Name;
  for (int32_t c = 0; c < board.Columns_; ++c) {
    for (int32_t r = 0; r < board.Rows_; ++r) {
      const TCell* cell = MapCells[c] ? MapCells[c][r] : nullptr;
      if (!cell) continue;
      board.SetTree({c, r}, cell->Place != nullptr);
      if (const TUnit* unit = cell->Unit) board.SetStack({c, r}, TStackView{unit->Owner, unit->Type, unit->Lives, unit->Count});
    }
  }
  return board;
}

bool TBoard::Inside(TCellPos in_cell) const {
  return in_cell.Column >= 0 && in_cell.Row >= 0 && in_cell.Column < Columns_ && in_cell.Row < Rows_;
}

std::vector<TCellPos> TBoard::StacksOf(int32_t in_owner) const {
  std::vector<TCellPos> cells;
  for (int32_t r = 0; r < Rows_; ++r) {
    for (int32_t c = 0; c < Columns_; ++c) {
      const auto& stack = Stack({c, r});
      if (stack && stack->Owner == in_owner && stack->Lives > 0) cells.push_back({c, r});
    }
  }
  return cells;
}

std::optional<TCellPos> TBoard::QueenOf(int32_t in_owner) const {
  for (const TCellPos cell : StacksOf(in_owner)) {
    if (Stack(cell)->Type == kQueenType) return cell;
  }
  return std::nullopt;
}

bool TBoard::EnemyOf(int32_t in_owner, TCellPos in_cell) const {
  const auto& stack = Stack(in_cell);
  return stack && ((stack->Owner % 2) + 2) % 2 != in_owner;
}

std::vector<TCellPos> TBoard::Differences(const TBoard& in_other) const {
  std::vector<TCellPos> cells;
  for (int32_t r = 0; r < Rows_; ++r) {
    for (int32_t c = 0; c < Columns_; ++c) {
      const TCellPos cell{c, r};
      if (!in_other.Inside(cell) || Tree(cell) != in_other.Tree(cell) || Stack(cell) != in_other.Stack(cell))
        cells.push_back(cell);
    }
  }
  return cells;
}

std::string CellText(TCellPos in_cell) {
  std::string text = "(";
  text += std::to_string(in_cell.Column);
  text += ", ";
  text += std::to_string(in_cell.Row);
  text += ")";
  return text;
}
