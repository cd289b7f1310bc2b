#include "opponent/TPosition.h"

#include <algorithm>

TPosition::TPosition(const TBoard& in_board)
    : Columns_(in_board.Columns()), Rows_(in_board.Rows()), ToMove_(in_board.ToMove()) {
  const int32_t stride = Stride();
  const int32_t steps[8] = {-stride - 1, -stride, -stride + 1, -1, 1, stride - 1, stride, stride + 1};
  std::copy(steps, steps + 8, Steps_);
  Kind_.assign(static_cast<size_t>(stride) * (Rows_ + 2), kBlocked);
  StackAt_.assign(Kind_.size(), -1);
  for (int32_t r = 0; r < Rows_; ++r) {
    for (int32_t c = 0; c < Columns_; ++c) {
      const TCellPos pos{c, r};
      const int32_t cell = CellOf(pos);
      if (in_board.Tree(pos)) continue;
      Kind_[static_cast<size_t>(cell)] = kFree;
      const auto& stack = in_board.Stack(pos);
      if (!stack) continue;
      // A stack without lives is dying and goes before anyone can move; it
      // blocks nothing by then.
      if (stack->Lives <= 0) continue;
      TStack entry;
      entry.Cell = cell;
      entry.Owner = ((stack->Owner % 2) + 2) % 2;
      entry.Queen = stack->Type == kQueenType;
      entry.Lives = stack->Lives;
      entry.Count = std::max(1, stack->Count);
      Kind_[static_cast<size_t>(cell)] = kStack;
      StackAt_[static_cast<size_t>(cell)] = static_cast<int32_t>(Stacks_.size());
      if (entry.Queen) Queens_[entry.Owner].push_back(static_cast<int32_t>(Stacks_.size()));
      Stacks_.push_back(entry);
    }
  }
}

void TPosition::Move(int32_t in_stack, int32_t in_to) {
  TStack& stack = Stacks_[static_cast<size_t>(in_stack)];
  if (stack.Cell == in_to) return;
  Kind_[static_cast<size_t>(stack.Cell)] = kFree;
  StackAt_[static_cast<size_t>(stack.Cell)] = -1;
  stack.Cell = in_to;
  Kind_[static_cast<size_t>(in_to)] = kStack;
  StackAt_[static_cast<size_t>(in_to)] = in_stack;
}

void TPosition::Hit(int32_t in_stack, int32_t in_damage, int32_t in_nextLives) {
  TStack& stack = Stacks_[static_cast<size_t>(in_stack)];
  stack.Lives -= in_damage;
  if (stack.Lives > 0) return;
  --stack.Count;
  if (stack.Count > 0) {
    stack.Lives = in_nextLives;
    return;
  }
  Remove(in_stack);
}

void TPosition::Remove(int32_t in_stack) {
  TStack& stack = Stacks_[static_cast<size_t>(in_stack)];
  Kind_[static_cast<size_t>(stack.Cell)] = kFree;
  StackAt_[static_cast<size_t>(stack.Cell)] = -1;
  stack.Cell = -1;
  std::vector<int32_t>& queens = Queens_[stack.Owner];
  const auto queen = std::find(queens.begin(), queens.end(), in_stack);
  if (queen != queens.end()) {
    queens.erase(queen);
    if (Loser_ < 0) Loser_ = stack.Owner;
  }
}
