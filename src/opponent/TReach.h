#pragma once
// Where the stacks of a position can go with one order: the free cells fall
// into regions joined by free cells, and a walk has no length limit, so a
// stack reaches every free cell of the regions that touch it. Regions are
// labelled once for a position; asking then costs a few comparisons.

#include <array>
#include <cstdint>
#include <vector>

#include "opponent/TPosition.h"
#include "opponent/TViewSpan.h"

class TReach {
 public:
  TReach() = default;
  explicit TReach(const TPosition& in_position) { Label(in_position); }

  // Labels the regions of the position (replacing what was there).
  void Label(const TPosition& in_position);

  // The region of a free cell; -1 for a cell that is not free.
  int32_t Region(int32_t in_cell) const { return Regions_[static_cast<size_t>(in_cell)]; }
  // Whether the stack could walk to the free cell.
  bool Reaches(int32_t in_stack, int32_t in_cell) const;
  // Whether the stack could strike the stack standing at in_target: it
  // touches it already, or reaches a free cell that touches it; and both
  // cells fit one view.
  bool Strikes(const TPosition& in_position, int32_t in_stack, int32_t in_target, const TViewSpan& in_span) const;
  // How many stacks of in_owner could strike the stack at in_target next.
  int32_t Strikers(const TPosition& in_position, int32_t in_owner, int32_t in_target, const TViewSpan& in_span) const;

 private:
  struct TTouching {
    std::array<int32_t, 8> Regions;
    int32_t Count = 0;
  };

  std::vector<int32_t> Regions_;
  // The regions each stack touches.
  std::vector<TTouching> Touching_;
  std::vector<int32_t> Pending_;
};
