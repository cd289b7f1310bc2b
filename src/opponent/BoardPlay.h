#pragma once
// An order carried out on a board alone, as the map window carries it out:
// the stack walks the game's route to a free target, or to the cell before a
// stack it strikes; the strike takes in_random() % 10 lives, and when the top
// creature falls the next one takes the top with in_random() % 10 + 5, or the
// stack is gone; then the turn passes (a pass only passes the turn). For
// looking ahead and measuring without a game window; the game itself never
// calls it.

#include <cstdint>
#include <functional>

#include "opponent/TBoard.h"
#include "opponent/TOrder.h"

// Carries the order out on io_board. Answers the player whose queen fell, or
// -1. An order that is not legal on the board changes nothing but the turn.
int32_t PlayOrder(TBoard& io_board, const TOrder& in_order, const std::function<int32_t()>& in_random);
