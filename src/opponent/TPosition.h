#pragma once
// The board as the strong player's search plays on it: a grid with a border
// of blocked cells all round (so that the eight neighbours of any cell are
// found without edge tests), the stacks in one list, and whose turn it is.
// Orders and their outcomes are applied in place; a search copies the
// position for each line it looks at.

#include <cstdint>
#include <vector>

#include "opponent/TBoard.h"
#include "opponent/TViewSpan.h"

class TPosition {
 public:
  // What stands on a cell.
  enum TKind : uint8_t { kFree = 0, kBlocked = 1, kStack = 2 };

  struct TStack {
    int32_t Cell = -1;  // -1 once destroyed
    int32_t Owner = 0;  // 0 or 1
    bool Queen = false;
    int32_t Lives = 0;
    int32_t Count = 0;
  };

  // The board's trees and the stacks that have lives left; the board's player to move.
  explicit TPosition(const TBoard& in_board);

  int32_t Columns() const { return Columns_; }
  int32_t Rows() const { return Rows_; }
  // Cells are numbered row by row over the bordered grid.
  int32_t Stride() const { return Columns_ + 2; }
  int32_t CellCount() const { return static_cast<int32_t>(Kind_.size()); }
  int32_t CellOf(TCellPos in_pos) const { return (in_pos.Row + 1) * Stride() + in_pos.Column + 1; }
  TCellPos PosOf(int32_t in_cell) const { return {in_cell % Stride() - 1, in_cell / Stride() - 1}; }
  // The offsets of the eight neighbours, in the order the game's route search takes them.
  const int32_t* Steps() const { return Steps_; }

  TKind Kind(int32_t in_cell) const { return static_cast<TKind>(Kind_[static_cast<size_t>(in_cell)]); }
  bool Free(int32_t in_cell) const { return Kind_[static_cast<size_t>(in_cell)] == kFree; }
  // The stack on the cell; -1 for none.
  int32_t StackAt(int32_t in_cell) const { return StackAt_[static_cast<size_t>(in_cell)]; }

  const std::vector<TStack>& Stacks() const { return Stacks_; }
  const TStack& Stack(int32_t in_index) const { return Stacks_[static_cast<size_t>(in_index)]; }
  bool Alive(int32_t in_index) const { return Stacks_[static_cast<size_t>(in_index)].Cell >= 0; }
  // The player's queens that stand; the game is lost when one falls.
  const std::vector<int32_t>& Queens(int32_t in_owner) const { return Queens_[in_owner]; }
  // A queen has fallen: the game is over, won by the other player.
  int32_t Loser() const { return Loser_; }

  int32_t ToMove() const { return ToMove_; }
  void PassTurn() { ToMove_ = 1 - ToMove_; }

  // The stack walks to the free cell.
  void Move(int32_t in_stack, int32_t in_to);
  // The stack loses in_damage lives; when its top creature dies, the next
  // takes the top with in_nextLives, or with none left the stack is gone.
  void Hit(int32_t in_stack, int32_t in_damage, int32_t in_nextLives);
  // Whether the two cells fit one view of the map window.
  bool Fits(int32_t in_a, int32_t in_b, const TViewSpan& in_span) const {
    const int32_t stride = Stride();
    const int32_t dc = in_a % stride - in_b % stride;
    const int32_t dr = in_a / stride - in_b / stride;
    return dc <= in_span.Columns && -dc <= in_span.Columns && dr <= in_span.Rows && -dr <= in_span.Rows;
  }
  // Whether the two cells are distinct and touch, sides or corners.
  bool Touch(int32_t in_a, int32_t in_b) const {
    const int32_t stride = Stride();
    const int32_t dc = in_a % stride - in_b % stride;
    const int32_t dr = in_a / stride - in_b / stride;
    return in_a != in_b && dc <= 1 && dc >= -1 && dr <= 1 && dr >= -1;
  }
  // The top creature's lives plus nine and a half for each creature under it:
  // about how much a stack takes to destroy.
  static double Toughness(const TStack& in_stack) {
    return in_stack.Lives + 9.5 * (in_stack.Count > 1 ? in_stack.Count - 1 : 0);
  }

 private:
  void Remove(int32_t in_stack);

  int32_t Columns_;
  int32_t Rows_;
  int32_t ToMove_;
  int32_t Loser_ = -1;
  int32_t Steps_[8];
  std::vector<uint8_t> Kind_;
  std::vector<int32_t> StackAt_;
  std::vector<TStack> Stacks_;
  std::vector<int32_t> Queens_[2];
};
