#pragma once
// Internal to the drawing half of the platform layer: sets of rows of a
// bitmap or window, as the parts to draw again after a frame that changed
// little (GdipFrameRecord.h, GdipWindowDraws.h).

#include <vector>

#include "platform/gdiplus/GdipCall.h"

namespace Gdiplus {

class GdipRowSet {
 public:
  // Rows of a bitmap or window of this height.
  explicit GdipRowSet(int height) : height_(height) {}

  // Adds the rows, limited to [0, height).
  void Add(GdipRows rows);
  // The rows added, as few sorted bands as keep them apart: bands closer than
  // a few rows join, many bands become one, and most of the height becomes all of it.
  std::vector<GdipRows> Bands() const;

 private:
  int height_;
  std::vector<GdipRows> rows_;
};

// Adds the rows of the target that a call drawing its source changes when
// only the source's rows in sourceRows changed.
void GdipAddSourceRows(GdipRowSet& out, const GdipCall& call, const std::vector<GdipRows>& sourceRows);

}  // namespace Gdiplus
