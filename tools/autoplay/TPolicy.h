#pragma once
// A way of playing one side: given the board as the player to move sees it,
// the next action. Orders are limited to those the map window can show at once
// (in_span), since the order is given by pointing at both cells.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "autoplay/TAction.h"
#include "autoplay/THands.h"

class TBoard;

class TPolicy {
 public:
  virtual ~TPolicy() = default;
  // Asked first on every turn: whether the next action comes at once, while
  // stacks may still move (the board then shows them as they are), rather
  // than once the board is at rest. A hasty action is never a save, a look
  // into the menu or a try.
  virtual bool Hurries() { return false; }
  virtual TAction Choose(const TBoard& in_board, const TViewSpan& in_span) = 0;
};

// "random", "greedy" (the computer opponent's "Лёгкий") or "strong" ("Сильный"),
// seeded; null for another name.
std::unique_ptr<TPolicy> MakePolicy(const std::string& in_name, uint32_t in_seed);
bool IsPolicyName(const std::string& in_name);

// The pairings (player 0's policy, player 1's) that a mixed run plays in turn,
// so that most games end with a queen's fall and every policy plays both sides.
const std::vector<std::array<std::string, 2>>& MixedPairings();
