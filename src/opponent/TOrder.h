#pragma once
// What a computer player decides on its turn: one order (the stack at From
// walks to To, striking the stack there if To holds an enemy) or a pass
// ("Пропустить Ход.").

#include "opponent/TBoard.h"

struct TOrder {
  bool Pass = true;
  TCellPos From;
  TCellPos To;

  static TOrder Move(TCellPos in_from, TCellPos in_to) { return TOrder{false, in_from, in_to}; }
  bool operator==(const TOrder&) const = default;
};
