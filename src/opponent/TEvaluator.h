#pragma once
// How good a position is for one player, as the strong player's search
// weighs the positions at the end of the lines it looks at. Each side is
// looked at as an attacker of the other's queen: how many turns it needs to
// strike her (walking there, and breaking through the stacks that close her
// in), and how many strikes her lives take; the side that needs fewer turns
// to fell the other's queen is ahead. The other stacks' lives count a
// little; the side to move strikes first, may fell a queen at once, and
// wins a race of the queens more often. A won game is worth kWin.

#include <cstdint>
#include <map>
#include <memory>

#include "opponent/TDistanceField.h"
#include "opponent/TPosition.h"
#include "opponent/TReach.h"
#include "opponent/TViewSpan.h"

struct TStrongWeights {
  // The score is counted in lives of a queen, a turn being worth a strike of
  // 4.5 lives; a score of Scale is a good lead.
  double Scale = 12.0;
  // For the lives of the other stacks, own less the enemy's: six times the
  // root of each stack's lives, so that near its end a life counts more.
  double Material = 0.1;
  // Per stack standing, own less the enemy's.
  double StackWorth = 0.5;
  // How much the turns each side needs to strike the other's queen count,
  // a turn being worth a strike.
  double Time = 1.0;
  // Per stack near the enemy queen (up to Attackers of them), 1 when it
  // could strike from where it stands, falling off with the walk still to go.
  double Approach = 0.0;
  int32_t Attackers = 3;
  // A queen no enemy stack can walk next to, however long it walks: the own
  // less the enemy's.
  double Sealed = 0.0;
  // Per free cell beside a queen that an enemy stack could walk to (up to
  // three), the enemy queen's less the own.
  double Open = 0.0;
  // How much the walk to the queen counts in those turns (the break through
  // a wall always does).
  double Walk = 1.0;
  // The second nearest attacker counts this much of its walk beside the
  // nearest one's, so that one stack alone is not taken for an attack.
  double Second = 0.25;
  // Turns taken to break through to a queen closed in by stacks no attacker
  // can get at.
  double Walled = 8.0;
  // How much of its best strike on another stack the side to move counts
  // as made: it strikes before anything else changes.
  double Initiative = 1.0;
  // Turns each stack near a closed-in queen (up to two) adds to breaking
  // through: it steps into a gap as soon as one opens.
  double Reserve = 3.0;
  // Per stack of the side to move that can strike the enemy queen now, beyond
  // the first (up to three): the enemy's answer cannot stop them all.
  double Threat = 1.5;
  // How much of the worth a race of the queens decides, when both can be struck.
  double Race = 0.5;
};

class TEvaluator {
 public:
  static constexpr double kWin = 1000.0;
  // Lives a strike takes on average.
  static constexpr double kStrike = 4.5;

  TEvaluator(const TViewSpan& in_span, const TStrongWeights& in_weights);

  // The worth of the position for in_player, with its regions labelled in in_reach.
  double Evaluate(const TPosition& in_position, const TReach& in_reach, int32_t in_player);

  // The distances from a cell, computed once a search.
  const TDistanceField& DistancesFrom(const TPosition& in_position, int32_t in_cell);

  // How many positions were weighed.
  int64_t Evaluations() const { return Evaluations_; }
  const TViewSpan& Span() const { return Span_; }

 private:
  struct TSideView {
    bool HasQueen = false;
    // The own weakest queen: her lives, and the chance that a strike fells her.
    double QueenLives = 0.0;
    int32_t QueenLivesWhole = 0;
    double FallChance = 0.0;
    double Material = 0.0;
    int32_t Stacks = 0;
    // As the attacker of the enemy queen: stacks that can strike her now, and
    // the turns it takes to strike her (0 when a stack can now).
    int32_t QueenStrikers = 0;
    double TurnsToStrike = 0.0;
    // Free cells beside the own queens that enemy stacks reach.
    int32_t Open = 0;
    // What the side's best strike on another enemy stack takes of the enemy's material.
    double BestStrike = 0.0;
    // The nearness of the nearest stacks to the enemy queen.
    double Approach = 0.0;
  };

  TSideView View(const TPosition& in_position, const TReach& in_reach, int32_t in_side);
  // The material a stack of this many lives counts for.
  static double MaterialOf(double in_lives);
  // The turns in_side needs to strike the enemy queen in_queen.
  double TurnsToStrike(const TPosition& in_position, const TReach& in_reach, int32_t in_side, int32_t in_queen);

  TViewSpan Span_;
  TStrongWeights Weights_;
  // How far a stack walks in a turn, about: as far as the view reaches.
  double Stride_;
  int64_t Evaluations_ = 0;
  std::map<int32_t, std::unique_ptr<TDistanceField>> Fields_;
};
