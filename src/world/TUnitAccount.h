#pragma once
// The stored numbers of a stack: what a map file holds for it.

#include <cstdint>
#include <ostream>

class TUnitAccount {
 public:
  TUnitAccount() = default;
  TUnitAccount(const TUnitAccount&) = default;
  TUnitAccount& operator=(const TUnitAccount&) = default;
  virtual ~TUnitAccount() = default;

  // Writes the stack token of a map file: "[Type Lives Count Direction Moves]",
  // single blanks between, Moves with 6 significant digits (2.5 as "2.5", 3 as "3").
  virtual void Write(std::wostream& out) const;

  // Unit type code 0 to 9 (see CreateStack).
  int32_t Type = 0;
  // Lives left to the creature on top of the stack.
  int32_t Lives = 0;
  // Creatures in the stack.
  int32_t Count = 0;
  // Facing 0 to 7: up, up-right, right, down-right, down, down-left, left, up-left.
  int32_t Direction = 0;
  // Movement allowance: stored and shown, it limits nothing.
  float Moves = 0.0f;
};
