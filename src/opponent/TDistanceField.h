#pragma once
// How far every cell of a position lies from one cell, walking round the
// trees but through the stacks (which move and fall), straight steps costing
// 1 and diagonal ones the square root of 2: where stacks head for.

#include <cstdint>
#include <vector>

#include "opponent/TPosition.h"

class TDistanceField {
 public:
  static constexpr double kUnreached = 1e9;

  TDistanceField(const TPosition& in_position, int32_t in_source);

  int32_t Source() const { return Source_; }
  double At(int32_t in_cell) const { return Distance_[static_cast<size_t>(in_cell)]; }

 private:
  int32_t Source_;
  std::vector<double> Distance_;
};
