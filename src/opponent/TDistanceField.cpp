#include "opponent/TDistanceField.h"

#include <functional>
#include <queue>
#include <utility>

TDistanceField::TDistanceField(const TPosition& in_position, int32_t in_source)
    : Source_(in_source), Distance_(static_cast<size_t>(in_position.CellCount()), kUnreached) {
  constexpr double kDiagonal = 1.4142135623730951;
  const int32_t* steps = in_position.Steps();
  const int32_t stride = in_position.Stride();
  using TEntry = std::pair<double, int32_t>;
  std::priority_queue<TEntry, std::vector<TEntry>, std::greater<TEntry>> open;
  Distance_[static_cast<size_t>(in_source)] = 0.0;
  open.push({0.0, in_source});
  while (!open.empty()) {
    const auto [distance, cell] = open.top();
    open.pop();
    if (distance > Distance_[static_cast<size_t>(cell)]) continue;
    for (int32_t k = 0; k < 8; ++k) {
      const int32_t next = cell + steps[k];
      if (in_position.Kind(next) == TPosition::kBlocked) continue;
      const int32_t offset = steps[k] < 0 ? -steps[k] : steps[k];
      const double candidate = distance + (offset == 1 || offset == stride ? 1.0 : kDiagonal);
      if (candidate < Distance_[static_cast<size_t>(next)]) {
        Distance_[static_cast<size_t>(next)] = candidate;
        open.push({candidate, next});
      }
    }
  }
}
