#pragma once
// How far apart two cells may lie and still both be shown on the map window
// at once, in columns and rows. An order is given by pointing at both of its
// cells, so a player can give only orders whose two cells fit.

#include <cstdint>

#include "opponent/TBoard.h"

struct TViewSpan {
  int32_t Columns = 0;
  int32_t Rows = 0;
  bool Fits(TCellPos in_a, TCellPos in_b) const;
  bool operator==(const TViewSpan&) const = default;
};
