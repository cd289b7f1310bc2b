#include "opponent/TViewSpan.h"

#include <cstdlib>

bool TViewSpan::Fits(TCellPos in_a, TCellPos in_b) const {
  return std::abs(in_a.Column - in_b.Column) <= Columns && std::abs(in_a.Row - in_b.Row) <= Rows;
}
