#include "platform/gdiplus/GdipRows.h"

#include <algorithm>
#include <cmath>

namespace Gdiplus {

namespace {

// Bands this close join, so that the calls between them are not drawn twice.
constexpr int kJoinGap = 8;
// More bands than this become one.
constexpr size_t kMostBands = 16;

}  // namespace

void GdipRowSet::Add(GdipRows rows) {
  rows.top = std::max(rows.top, 0);
  rows.bottom = std::min(rows.bottom, height_);
  if (rows.top < rows.bottom) rows_.push_back(rows);
}

std::vector<GdipRows> GdipRowSet::Bands() const {
  std::vector<GdipRows> sorted = rows_;
  std::sort(sorted.begin(), sorted.end(), [](const GdipRows& x, const GdipRows& y) { return x.top < y.top; });
  std::vector<GdipRows> bands;
  int64_t total = 0;
  for (const GdipRows& rows : sorted) {
    if (!bands.empty() && rows.top <= bands.back().bottom + kJoinGap) {
      bands.back().bottom = std::max(bands.back().bottom, rows.bottom);
    } else {
      bands.push_back(rows);
    }
  }
  for (const GdipRows& band : bands) total += band.bottom - band.top;
  if (bands.size() > kMostBands) bands = {GdipRows{bands.front().top, bands.back().bottom}};
  if (!bands.empty() && total * 4 > int64_t{height_} * 3) bands = {GdipRows{0, height_}};
  return bands;
}

void GdipAddSourceRows(GdipRowSet& out, const GdipCall& call, const std::vector<GdipRows>& sourceRows) {
  const GdipImageDraw& draw = call.draw;
  const GdipRows callRows = call.Rows();
  const int sourceHeight = call.source ? call.source->height : 0;
  // Scaled draws filter neighbouring rows; beyond the image its edge rows repeat.
  const bool exact = draw.dh == draw.sh && draw.dw == draw.sw && draw.dh > 0.0 && draw.dw > 0.0;
  const double margin = exact ? 0.0 : 2.0;
  const double scale = draw.sh != 0.0 ? draw.dh / draw.sh : 0.0;
  for (const GdipRows& rows : sourceRows) {
    const double y0 = draw.dy + (rows.top - draw.sy) * scale;
    const double y1 = draw.dy + (rows.bottom - draw.sy) * scale;
    GdipRows mapped{int(std::floor(std::min(y0, y1) - margin)), int(std::ceil(std::max(y0, y1) + margin))};
    if (!exact && (rows.top <= 0 || rows.bottom >= sourceHeight)) mapped = callRows;
    mapped.top = std::max(mapped.top, callRows.top);
    mapped.bottom = std::min(mapped.bottom, callRows.bottom);
    out.Add(mapped);
  }
}

}  // namespace Gdiplus
