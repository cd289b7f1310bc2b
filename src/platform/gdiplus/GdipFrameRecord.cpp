#include "platform/gdiplus/GdipFrameRecord.h"

#include <pixman.h>

#include <algorithm>
#include <cmath>

#include "platform/gdiplus/GdipCanvas.h"
#include "platform/gdiplus/GdipRows.h"
#include "platform/gdiplus/GdipWindowDraws.h"

namespace Gdiplus {

namespace {

bool skipping = true;
// Grows whenever skipping is turned on or off: what a record kept from before
// does not describe what was drawn meanwhile.
uint64_t era = 0;

// How far ahead two frames' lists are searched for the call where they agree
// again, after a call one of them has and the other has not.
constexpr size_t kLookAhead = 48;

// The rows that differ between the calls of the last frame and those of this
// one (see GdipFrameRecord.h), within the bitmap's height.
std::vector<GdipRows> Damage(const std::vector<GdipCall>& last, const std::vector<GdipCall>& now, int height) {
  GdipRowSet rows(height);
  // Calls that agree but for their source's generation drew a source that
  // changed: the rows that changed in it, or all their rows.
  const auto agree = [&](const GdipCall& was, const GdipCall& is) {
    if (!was.SameButGeneration(is)) return false;
    if (was.sourceGeneration != is.sourceGeneration) {
      const GdipPixels& source = *is.source;
      if (source.changedFrom == was.sourceGeneration && source.changedTo == is.sourceGeneration)
        GdipAddSourceRows(rows, is, source.changedRows);
      else
        rows.Add(is.Rows());
    }
    return true;
  };
  size_t i = 0, j = 0;
  while (i < last.size() && j < now.size()) {
    if (agree(last[i], now[j])) {
      ++i;
      ++j;
      continue;
    }
    size_t skipNow = 0, skipLast = 0;
    for (size_t k = 1; k <= kLookAhead && j + k < now.size(); ++k) {
      if (last[i].SameButGeneration(now[j + k])) {
        skipNow = k;
        break;
      }
    }
    for (size_t k = 1; k <= kLookAhead && i + k < last.size(); ++k) {
      if (last[i + k].SameButGeneration(now[j])) {
        skipLast = k;
        break;
      }
    }
    if (skipNow != 0 && (skipLast == 0 || skipNow <= skipLast)) {
      for (size_t k = 0; k < skipNow; ++k) rows.Add(now[j + k].Rows());
      j += skipNow;
    } else if (skipLast != 0) {
      for (size_t k = 0; k < skipLast; ++k) rows.Add(last[i + k].Rows());
      i += skipLast;
    } else {
      rows.Add(last[i++].Rows());
      rows.Add(now[j++].Rows());
    }
  }
  for (; i < last.size(); ++i) rows.Add(last[i].Rows());
  for (; j < now.size(); ++j) rows.Add(now[j].Rows());
  return rows.Bands();
}

// Whether the weak pointer is the shared one, without taking a count.
bool SameOwner(const std::weak_ptr<GdipPixels>& weak, const std::shared_ptr<GdipPixels>& shared) {
  return !weak.owner_before(shared) && !shared.owner_before(weak);
}

// Notes the target as a reader of the source, once.
void AddReader(GdipPixels& source, const std::shared_ptr<GdipPixels>& target) {
  std::vector<std::weak_ptr<GdipPixels>>& readers = source.readers;
  if (!readers.empty() && SameOwner(readers.back(), target)) return;
  readers.erase(std::remove_if(readers.begin(), readers.end(),
                               [](const std::weak_ptr<GdipPixels>& reader) { return reader.expired(); }),
                readers.end());
  for (const auto& reader : readers)
    if (SameOwner(reader, target)) return;
  readers.push_back(target);
}

}  // namespace

GdipFrameRecord::~GdipFrameRecord() { ForgetHeldCover(); }

GdipFrameRecord& GdipFrameRecord::Of(GdipPixels& pixels) {
  if (pixels.record == nullptr) pixels.record = new GdipFrameRecord;
  return *pixels.record;
}

void GdipFrameRecord::ForgetHeldCover() {
  heldCovers_ = false;
  heldOpaque_ = false;
  if (heldRegion_ != nullptr) {
    auto* region = static_cast<pixman_region32_t*>(heldRegion_);
    pixman_region32_fini(region);
    delete region;
    heldRegion_ = nullptr;
  }
}

void GdipFrameRecord::Cover(const GdipCall& call, GdipPixels& pixels) {
  const int width = pixels.width, height = pixels.height;
  if (call.kind == GdipCallKind::Clear) {
    // Whatever came before is gone: the frame decides every pixel from here,
    // opaque when the colour is.
    ForgetHeldCover();
    heldCovers_ = true;
    heldOpaque_ = (call.color >> 24) == 0xFF || pixels.opaque;
    return;
  }
  if (heldOpaque_) return;
  GdipBox box;
  if (!call.Replaces(&box)) return;
  box.left = std::max(box.left, 0);
  box.top = std::max(box.top, 0);
  box.right = std::min(box.right, width);
  box.bottom = std::min(box.bottom, height);
  if (box.left >= box.right || box.top >= box.bottom) return;
  bool whole = box.left == 0 && box.top == 0 && box.right == width && box.bottom == height;
  if (!whole) {
    auto* region = static_cast<pixman_region32_t*>(heldRegion_);
    if (region == nullptr) {
      region = new (std::nothrow) pixman_region32_t;
      if (region == nullptr) return;
      pixman_region32_init(region);
      heldRegion_ = region;
    }
    pixman_region32_union_rect(region, region, box.left, box.top, unsigned(box.right - box.left),
                               unsigned(box.bottom - box.top));
    pixman_box32_t all{0, 0, width, height};
    whole = pixman_region32_contains_rectangle(region, &all) == PIXMAN_REGION_IN;
  }
  if (whole) {
    // Opaque fills and images over every pixel, and only OVER after them.
    ForgetHeldCover();
    heldCovers_ = true;
    heldOpaque_ = true;
  }
}

GpStatus GdipFrameRecord::Submit(GdipGraphicsObject& target, GdipCall call) {
  // Nothing is drawn, and so nothing held or compared either.
  if (GdipCanvas::Discarded()) return Ok;
  if (call.source) {
    // The source as it is now: its own held calls carried out first.
    GdipSettle(*call.source);
    call.sourceGeneration = call.source->generation;
    call.sourceOpaque = call.source->opaque || call.source->knownOpaque;
  }
  if (!target.bitmap) return GdipWindowDraws::Submit(target, call);
  GdipPixels& pixels = *target.bitmap;
  if (!skipping) {
    Resolve(pixels);
    return GdipRunCall(target, call);
  }
  if (call.source == target.bitmap) {
    // A bitmap drawn onto itself reads its own pixels: carried out now.
    Resolve(pixels);
    const GpStatus status = GdipRunCall(target, call);
    Forget(pixels);
    return status;
  }
  GdipFrameRecord& record = Of(pixels);
  if (call.source) AddReader(*call.source, target.bitmap);
  record.Cover(call, pixels);
  record.held_.push_back(std::move(call));
  if (record.held_.size() >= kMostHeld) {
    // Too long a frame to compare: carried out as it is.
    record.ForgetHeldCover();
    Resolve(pixels);
  }
  return Ok;
}

void GdipFrameRecord::Resolve(GdipPixels& pixels) {
  GdipFrameRecord* record = pixels.record;
  if (record == nullptr || record->held_.empty()) return;
  // Taken out first: whatever settles these pixels while they are drawn finds nothing held.
  std::vector<GdipCall> calls = std::move(record->held_);
  record->held_.clear();
  const bool covers = record->heldCovers_;
  const bool opaque = record->heldOpaque_;
  record->ForgetHeldCover();

  // The calls were given while drawing was not discarded: they draw for real,
  // whatever holds now.
  struct DrawForReal {
    bool discarded = GdipCanvas::Discarded();
    DrawForReal() { GdipCanvas::Discard(false); }
    ~DrawForReal() { GdipCanvas::Discard(discarded); }
  } forReal;
  GdipGraphicsObject target;
  target.bitmap = pixels.shared_from_this();
  const uint64_t before = pixels.generation;
  std::vector<GdipRows> changed;
  if (record->lastValid_ && record->lastEra_ == era && covers && skipping) {
    changed = Damage(record->last_, calls, pixels.height);
    for (const GdipRows& band : changed) {
      target.clip = band;
      for (const GdipCall& call : calls) {
        const GdipRows rows = call.Rows();
        if (rows.bottom > band.top && rows.top < band.bottom) GdipRunCall(target, call);
      }
    }
  } else {
    GdipRowSet rows(pixels.height);
    for (const GdipCall& call : calls) {
      GdipRunCall(target, call);
      rows.Add(call.Rows());
    }
    changed = rows.Bands();
  }
  // Every pixel got an opaque value from a call of the frame.
  if (opaque) pixels.knownOpaque = true;
  if (pixels.generation != before) {
    pixels.changedFrom = before;
    pixels.changedTo = pixels.generation;
    pixels.changedRows = std::move(changed);
  }
  record->lastValid_ = covers;
  record->lastEra_ = era;
  if (covers)
    record->last_ = std::move(calls);
  else
    record->last_.clear();
}

void GdipFrameRecord::Forget(GdipPixels& pixels) {
  if (pixels.record == nullptr) return;
  pixels.record->lastValid_ = false;
  pixels.record->last_.clear();
}

void GdipFrameRecord::SetSkipping(bool on) {
  if (on == skipping) return;
  skipping = on;
  ++era;
  GdipWindowDraws::Reset();
}

bool GdipFrameRecord::Skipping() { return skipping; }

void GdipWillChange(GdipPixels& pixels) {
  if (pixels.readers.empty()) return;
  std::vector<std::weak_ptr<GdipPixels>> readers = std::move(pixels.readers);
  pixels.readers.clear();
  for (const auto& reader : readers)
    if (std::shared_ptr<GdipPixels> held = reader.lock()) GdipFrameRecord::Resolve(*held);
}

}  // namespace Gdiplus
