#include "opponent/TGameRoute.h"

class TGameRoute::TGridCell : public NAlgo::TDijkstra::TDijkstraCell {
 public:
  explicit TGridCell(bool in_passable) : Passable_(in_passable) {}
  bool IsPassable() override { return Passable_; }

 private:
  bool Passable_;
};

TGameRoute::TGameRoute(const TPosition& in_position) : Position_(in_position) {
  const int32_t columns = in_position.Columns();
  const int32_t rows = in_position.Rows();
  Cells_.reserve(static_cast<size_t>(columns) * rows);
  CellPointers_.reserve(static_cast<size_t>(columns) * rows);
  for (int32_t c = 0; c < columns; ++c)
    for (int32_t r = 0; r < rows; ++r) {
      Cells_.push_back(std::make_unique<TGridCell>(in_position.Free(in_position.CellOf({c, r}))));
      CellPointers_.push_back(Cells_.back().get());
    }
  for (int32_t c = 0; c < columns; ++c) Columns_.push_back(CellPointers_.data() + static_cast<size_t>(c) * rows);
  Search_.Build(Columns_.data(), columns, rows);
}

TGameRoute::~TGameRoute() = default;

int32_t TGameRoute::StopOf(int32_t in_from, int32_t in_to) {
  const TCellPos from = Position_.PosOf(in_from);
  const TCellPos to = Position_.PosOf(in_to);
  Route_.clear();
  try {
    Search_.SearchBetween({from.Column, from.Row}, {to.Column, to.Row}, Route_);
  } catch (int) {
    return -1;
  }
  if (Route_.size() < 2) return -1;
  if (Position_.Free(in_to)) return in_to;
  const auto& stop = Route_[Route_.size() - 2];
  return Position_.CellOf({stop.first, stop.second});
}
