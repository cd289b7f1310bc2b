#include "world/BoardRest.h"

#include "world/TMap.h"
#include "world/TWinCell.h"

bool BoardAtRest(const TMap& in_map) {
  if (in_map.Moving) return false;
  for (int32_t r = 0; r < in_map.Rows(); ++r)
    for (int32_t c = 0; c < in_map.Columns(); ++c)
      if (const TWinCell* cell = in_map.CellWindow(c, r); cell && cell->HasWork()) return false;
  return true;
}
