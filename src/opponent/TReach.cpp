#include "opponent/TReach.h"

void TReach::Label(const TPosition& in_position) {
  const int32_t cells = in_position.CellCount();
  Regions_.assign(static_cast<size_t>(cells), -1);
  const int32_t* steps = in_position.Steps();
  int32_t next = 0;
  for (int32_t start = 0; start < cells; ++start) {
    if (!in_position.Free(start) || Regions_[static_cast<size_t>(start)] >= 0) continue;
    const int32_t region = next++;
    Regions_[static_cast<size_t>(start)] = region;
    Pending_.clear();
    Pending_.push_back(start);
    while (!Pending_.empty()) {
      const int32_t cell = Pending_.back();
      Pending_.pop_back();
      for (int32_t k = 0; k < 8; ++k) {
        const int32_t neighbour = cell + steps[k];
        if (in_position.Free(neighbour) && Regions_[static_cast<size_t>(neighbour)] < 0) {
          Regions_[static_cast<size_t>(neighbour)] = region;
          Pending_.push_back(neighbour);
        }
      }
    }
  }
  const auto& stacks = in_position.Stacks();
  Touching_.assign(stacks.size(), TTouching{});
  for (size_t i = 0; i < stacks.size(); ++i) {
    if (stacks[i].Cell < 0) continue;
    TTouching& touching = Touching_[i];
    for (int32_t k = 0; k < 8; ++k) {
      const int32_t region = Regions_[static_cast<size_t>(stacks[i].Cell + steps[k])];
      if (region < 0) continue;
      bool known = false;
      for (int32_t j = 0; j < touching.Count; ++j) known = known || touching.Regions[static_cast<size_t>(j)] == region;
      if (!known) touching.Regions[static_cast<size_t>(touching.Count++)] = region;
    }
  }
}

bool TReach::Reaches(int32_t in_stack, int32_t in_cell) const {
  const int32_t region = Regions_[static_cast<size_t>(in_cell)];
  if (region < 0) return false;
  const TTouching& touching = Touching_[static_cast<size_t>(in_stack)];
  for (int32_t j = 0; j < touching.Count; ++j)
    if (touching.Regions[static_cast<size_t>(j)] == region) return true;
  return false;
}

bool TReach::Strikes(const TPosition& in_position, int32_t in_stack, int32_t in_target,
                     const TViewSpan& in_span) const {
  const int32_t from = in_position.Stack(in_stack).Cell;
  const int32_t to = in_position.Stack(in_target).Cell;
  if (from < 0 || to < 0 || !in_position.Fits(from, to, in_span)) return false;
  if (in_position.Touch(from, to)) return true;
  const TTouching& mine = Touching_[static_cast<size_t>(in_stack)];
  const TTouching& theirs = Touching_[static_cast<size_t>(in_target)];
  for (int32_t a = 0; a < mine.Count; ++a)
    for (int32_t b = 0; b < theirs.Count; ++b)
      if (mine.Regions[static_cast<size_t>(a)] == theirs.Regions[static_cast<size_t>(b)]) return true;
  return false;
}

int32_t TReach::Strikers(const TPosition& in_position, int32_t in_owner, int32_t in_target,
                         const TViewSpan& in_span) const {
  int32_t count = 0;
  const auto& stacks = in_position.Stacks();
  for (size_t i = 0; i < stacks.size(); ++i)
    if (stacks[i].Cell >= 0 && stacks[i].Owner == in_owner && Strikes(in_position, static_cast<int32_t>(i), in_target, in_span))
      ++count;
  return count;
}
