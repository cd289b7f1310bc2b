#pragma once
// What a player sees of a game: the grid with its trees and stacks, the names
// and whose turn it is. A copy read from the world state (never written back),
// which the policies plan on and the checks compare before and after an order.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The type code of the queen, whose loss loses the game.
constexpr int32_t kQueenType = 8;

// A cell of the grid.
struct TCellPos {
  int32_t Column = 0;
  int32_t Row = 0;
  bool operator==(const TCellPos&) const = default;
};

// A stack as the information text shows it.
struct TStackView {
  int32_t Owner = 0;
  int32_t Type = 0;
  int32_t Lives = 0;
  int32_t Count = 0;
  bool operator==(const TStackView&) const = default;
};

class TBoard {
 public:
  // An empty grid: no trees, no stacks, turn 0.
  TBoard(int32_t in_columns, int32_t in_rows);

  // The world state as it is now.
  static TBoard FromWorld();

  int32_t Columns() const { return Columns_; }
  int32_t Rows() const { return Rows_; }
  bool Inside(TCellPos in_cell) const;
  bool Tree(TCellPos in_cell) const { return Trees_[Index(in_cell)]; }
  const std::optional<TStackView>& Stack(TCellPos in_cell) const { return Stacks_[Index(in_cell)]; }
  // Neither a tree nor a stack: a route may pass.
  bool Free(TCellPos in_cell) const { return Occupied_[Index(in_cell)] == 0; }
  // The player to move, 0 or 1.
  int32_t ToMove() const { return ((Turn % 2) + 2) % 2; }
  // The cells of the player's stacks that still have lives, row by row.
  std::vector<TCellPos> StacksOf(int32_t in_owner) const;
  // The player's first queen with lives, row by row; none when it has fallen.
  std::optional<TCellPos> QueenOf(int32_t in_owner) const;
  // Whether the cell holds a stack of the other player than in_owner.
  bool EnemyOf(int32_t in_owner, TCellPos in_cell) const;

  void SetTree(TCellPos in_cell, bool in_tree);
  void SetStack(TCellPos in_cell, std::optional<TStackView> in_stack);

  // The cells whose tree or stack differ, row by row (boards of one size).
  std::vector<TCellPos> Differences(const TBoard& in_other) const;
  bool operator==(const TBoard& in_other) const = default;

  int32_t Turn = 0;
  std::wstring Names[2];

 private:
  size_t Index(TCellPos in_cell) const { return static_cast<size_t>(in_cell.Row) * Columns_ + in_cell.Column; }

  int32_t Columns_;
  int32_t Rows_;
  std::vector<bool> Trees_;
  std::vector<std::optional<TStackView>> Stacks_;
  // 1 where a tree or a stack stands: what route searches ask most.
  std::vector<uint8_t> Occupied_;
};

// "(c, r)", for reports.
std::string CellText(TCellPos in_cell);
