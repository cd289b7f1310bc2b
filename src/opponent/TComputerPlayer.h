#pragma once
// A computer player: from the board as the player to move sees it, one order.
// Thinking may take several slices, so that a program can draw frames between
// them on its one thread: Begin, then Think until it answers true, then Order.
// The work of a slice is counted in the player's own units (positions looked
// at), never in time, so the same board and seed always give the same order,
// however the work is sliced.

#include <cstdint>
#include <memory>
#include <string>

#include "opponent/TOrder.h"
#include "opponent/TViewSpan.h"

class TComputerPlayer {
 public:
  virtual ~TComputerPlayer() = default;

  // Starts on an order for the player to move on in_board; only orders whose
  // two cells fit in_span are given. Forgets any order thought about before.
  virtual void Begin(const TBoard& in_board, const TViewSpan& in_span) = 0;
  // Thinks on for about in_work units at most; true once the order is known.
  virtual bool Think(int64_t in_work) = 0;
  // Ends the thinking at once with the best order found so far.
  virtual void Stop() {}
  // The order, once Think has answered true (or after Stop).
  virtual TOrder Order() const = 0;

  // Begin and Think to the end in one call.
  TOrder Choose(const TBoard& in_board, const TViewSpan& in_span);
};

// How well a computer player plays.
enum class TStrength {
  Easy,    // "Лёгкий": one order ahead, by rules of thumb
  Strong,  // "Сильный": a search that weighs the dice
};

// The player of that strength; in_seed breaks its ties.
std::unique_ptr<TComputerPlayer> MakeComputerPlayer(TStrength in_strength, uint32_t in_seed);
