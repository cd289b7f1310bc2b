#include "autoplay/TRandomPolicy.h"

#include <algorithm>
#include <vector>

#include "opponent/TBoard.h"
#include "opponent/TRoutes.h"

namespace {

// Chances per decision, in thousandths.
constexpr uint32_t kPassChance = 15;
constexpr uint32_t kSaveChance = 4;
constexpr uint32_t kMenuChance = 4;
constexpr uint32_t kProbeChance = 40;
constexpr uint32_t kCutChance = 30;
constexpr uint32_t kViaChance = 100;
constexpr uint32_t kTryChance = 25;
constexpr uint32_t kPokeChance = 60;
constexpr uint32_t kHurryChance = 100;

constexpr char kNameCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Frames a step or a strike takes: the eight frames of a unit animation.
constexpr int32_t kFramesPerStep = 8;

}  // namespace

bool TRandomPolicy::Hurries() {
  Hurried_ = Random_() % 1000 < kHurryChance;
  return Hurried_;
}

TAction TRandomPolicy::Choose(const TBoard& in_board, const TViewSpan& in_span) {
  TAction action = ChooseAction(in_board, in_span);
  action.Hasty = Hurried_ && action.Kind != TActionKind::Save && action.Kind != TActionKind::Menu &&
                 action.Kind != TActionKind::Try;
  Hurried_ = false;
  return action;
}

TAction TRandomPolicy::ChooseAction(const TBoard& in_board, const TViewSpan& in_span) {
  const auto below = [&](uint32_t limit) { return static_cast<uint32_t>(Random_() % limit); };
  const int32_t me = in_board.ToMove();
  TAction action;

  uint32_t roll = below(1000);
  if (roll < kPassChance) return action;
  roll -= kPassChance;
  if (roll < kSaveChance && !Hurried_) {
    action.Kind = TActionKind::Save;
    const uint32_t length = 1 + below(8);
    for (uint32_t i = 0; i < length; ++i) action.Name += kNameCharacters[below(sizeof(kNameCharacters) - 1)];
    return action;
  }
  roll -= kSaveChance;
  if (roll < kMenuChance && !Hurried_) {
    action.Kind = TActionKind::Menu;
    return action;
  }
  roll -= kMenuChance;
  if (roll < kProbeChance) {
    // Any cell without one of the mover's stacks: a tree, an enemy, bare ground.
    std::vector<TCellPos> cells;
    for (int32_t r = 0; r < in_board.Rows(); ++r) {
      for (int32_t c = 0; c < in_board.Columns(); ++c) {
        const auto& stack = in_board.Stack({c, r});
        if (!stack || ((stack->Owner % 2) + 2) % 2 != me) cells.push_back({c, r});
      }
    }
    if (!cells.empty()) {
      action.Kind = TActionKind::Probe;
      action.To = cells[below(static_cast<uint32_t>(cells.size()))];
      return action;
    }
  }
  roll -= kProbeChance;
  if (roll < kTryChance && !Hurried_) {
    // A stack of the mover and a cell that is no target of it: another of its
    // stacks, a tree, or a cell that no route reaches.
    const std::vector<TCellPos> stacks = in_board.StacksOf(me);
    if (!stacks.empty()) {
      const TCellPos from = stacks[below(static_cast<uint32_t>(stacks.size()))];
      const TRoutes routes(in_board, from);
      std::vector<TCellPos> cells;
      for (int32_t r = std::max(0, from.Row - in_span.Rows); r <= std::min(in_board.Rows() - 1, from.Row + in_span.Rows); ++r)
        for (int32_t c = std::max(0, from.Column - in_span.Columns);
             c <= std::min(in_board.Columns() - 1, from.Column + in_span.Columns); ++c) {
          const TCellPos to{c, r};
          if (to == from) continue;
          const bool target = in_board.Free(to) || in_board.EnemyOf(me, to);
          if (!target || routes.DistanceTo(to) == TRoutes::kNone) cells.push_back(to);
        }
      if (!cells.empty()) {
        action.Kind = TActionKind::Try;
        action.From = from;
        action.To = cells[below(static_cast<uint32_t>(cells.size()))];
        action.Clicked = below(2) == 0;
        return action;
      }
    }
  }

  std::vector<TCellPos> stacks = in_board.StacksOf(me);
  while (!stacks.empty()) {
    const size_t pick = below(static_cast<uint32_t>(stacks.size()));
    const TCellPos from = stacks[pick];
    const TRoutes routes(in_board, from);
    std::vector<std::pair<TCellPos, double>> targets;
    for (int32_t r = std::max(0, from.Row - in_span.Rows); r <= std::min(in_board.Rows() - 1, from.Row + in_span.Rows); ++r) {
      for (int32_t c = std::max(0, from.Column - in_span.Columns);
           c <= std::min(in_board.Columns() - 1, from.Column + in_span.Columns); ++c) {
        const TCellPos to{c, r};
        if (!in_board.Free(to) && !in_board.EnemyOf(me, to)) continue;
        const double distance = routes.DistanceTo(to);
        if (distance != TRoutes::kNone) targets.emplace_back(to, distance);
      }
    }
    if (targets.empty()) {
      stacks.erase(stacks.begin() + static_cast<std::ptrdiff_t>(pick));
      continue;
    }
    const auto& [to, distance] = targets[below(static_cast<uint32_t>(targets.size()))];
    action.Kind = TActionKind::Order;
    action.From = from;
    action.To = to;
    if (below(1000) < kCutChance) {
      action.Kind = TActionKind::Cut;
      action.Frames = static_cast<int32_t>(below(static_cast<uint32_t>(kFramesPerStep * (distance + 2))));
    }
    if (below(1000) < kViaChance) {
      // A tree or another of the mover's stacks between the two ends.
      std::vector<TCellPos> vias;
      for (int32_t r = std::min(from.Row, to.Row); r <= std::max(from.Row, to.Row); ++r)
        for (int32_t c = std::min(from.Column, to.Column); c <= std::max(from.Column, to.Column); ++c) {
          const TCellPos cell{c, r};
          const auto& stack = in_board.Stack(cell);
          if (cell != from && (in_board.Tree(cell) || (stack && ((stack->Owner % 2) + 2) % 2 == me))) vias.push_back(cell);
        }
      if (!vias.empty()) action.Via = vias[below(static_cast<uint32_t>(vias.size()))];
    }
    if (action.Kind == TActionKind::Order && below(1000) < kPokeChance) {
      // Another of the mover's stacks between the ends, which a click would
      // select if walks did not ignore clicks; else the target.
      std::vector<TCellPos> pokes;
      for (int32_t r = std::min(from.Row, to.Row); r <= std::max(from.Row, to.Row); ++r)
        for (int32_t c = std::min(from.Column, to.Column); c <= std::max(from.Column, to.Column); ++c) {
          const auto& stack = in_board.Stack({c, r});
          if (TCellPos{c, r} != from && stack && stack->Lives > 0 && ((stack->Owner % 2) + 2) % 2 == me)
            pokes.push_back({c, r});
        }
      TPoke poke;
      poke.Frames = static_cast<int32_t>(below(static_cast<uint32_t>(kFramesPerStep * (distance + 1))));
      poke.Cell = pokes.empty() ? to : pokes[below(static_cast<uint32_t>(pokes.size()))];
      action.Poke = poke;
    }
    return action;
  }
  return action;  // nothing can move: pass
}
