#pragma once
// The orders the strong player looks at for the side to move of a position,
// out of the thousands a side may give: every strike (the nearest few stacks
// for each target), the moves that put a stack beside the own queen where an
// enemy could come, the queen's best ways out of reach, for every other stack
// the walk that comes nearest the enemy queen (and, looking closer, the
// nearest walk that no enemy can strike next), and the pass.

#include <cstdint>
#include <vector>

#include "opponent/TPosition.h"
#include "opponent/TReach.h"
#include "opponent/TViewSpan.h"

class TEvaluator;

struct TCandidate {
  enum TKind : uint8_t { kPass, kMove, kStrike };
  TKind Kind = kPass;
  int32_t Stack = -1;
  // The cell pointed at: a free cell, or the cell of the stack struck.
  int32_t To = -1;
  int32_t Target = -1;
  // Which to look at first: strikes on queens, other strikes, then the rest.
  int32_t Rank = 0;
};

class TCandidates {
 public:
  // in_closer: the closer look, with more ways for the queen and safe walks.
  static std::vector<TCandidate> Of(const TPosition& in_position, const TReach& in_reach, TEvaluator& in_evaluator,
                                    bool in_closer);
};
