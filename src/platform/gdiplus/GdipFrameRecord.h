#pragma once
// Internal to the drawing half of the platform layer: repeated frames made
// cheap. A program that redraws a bitmap whole every frame gives it, frame
// after frame, mostly the same calls. The calls given to a bitmap are held
// instead of carried out, until something reads the bitmap (draws it, reads a
// pixel) or changes it another way; a frame is the calls between two reads.
// At the read the held calls are compared with the frame before:
//  - when both frames decide every pixel they touch (each such pixel lies in
//    a clear, an opaque fill or an opaque image of the frame) and nothing else
//    has written the bitmap since, a pixel that only calls common to both
//    frames touch, in the same order, already has its value. Only the rows
//    that other calls touch (calls of one frame alone, or drawing a source
//    whose pixels changed, limited to the rows of the source that changed)
//    are drawn again: cleared and given every call of the frame that reaches
//    them, clipped to them. When nothing differs, nothing is drawn and the
//    bitmap's generation stays, so what draws it may skip its own work too.
//  - otherwise every held call is carried out in order on the pixels as they
//    are, exactly as if each had been carried out when given.
// The calls hold their sources with the generation those had; before a source
// changes, the bitmaps holding calls that draw it carry them out
// (GdipWillChange), so a call always draws the source as it was when given.

#include <vector>

#include "platform/gdiplus/GdipCall.h"

namespace Gdiplus {

class GdipFrameRecord {
 public:
  // At most this many calls are held; beyond it they are carried out.
  static constexpr size_t kMostHeld = 1u << 18;

  // Takes the call for the bitmap: held, or carried out now when it cannot
  // be held (a bitmap drawn onto itself). Returns what a call carried out now
  // returns; a held call answers Ok.
  static GpStatus Submit(GdipGraphicsObject& target, GdipCall call);
  // Carries out the calls held for the bitmap (see above).
  static void Resolve(GdipPixels& pixels);
  // The bitmap was written by something other than a call (a pixel set): the
  // frame before no longer tells what its pixels are.
  static void Forget(GdipPixels& pixels);
  // Off, every call is carried out when given and nothing is compared (the
  // tests compare the two ways); on at the start.
  static void SetSkipping(bool skipping);
  static bool Skipping();

 private:
  // The calls of the frame being given, not carried out yet.
  std::vector<GdipCall> held_;
  // Whether the held calls decide every pixel of the bitmap: a clear, or
  // opaque fills and images whose boxes cover it; and whether they make every
  // pixel opaque (an opaque clear, or such fills and images, and only OVER
  // after them). Until the opaque ones cover the bitmap, the union of their
  // boxes (a pixman region, owned).
  bool heldCovers_ = false;
  bool heldOpaque_ = false;
  void* heldRegion_ = nullptr;
  // The calls of the last frame carried out, when the pixels are exactly what
  // they made and they decide every pixel they touch.
  std::vector<GdipCall> last_;
  bool lastValid_ = false;
  uint64_t lastEra_ = 0;

  GdipFrameRecord() = default;
  ~GdipFrameRecord();
  GdipFrameRecord(const GdipFrameRecord&) = delete;
  GdipFrameRecord& operator=(const GdipFrameRecord&) = delete;

  static GdipFrameRecord& Of(GdipPixels& pixels);
  // Adds what the call decides to what the held calls cover.
  void Cover(const GdipCall& call, GdipPixels& pixels);
  void ForgetHeldCover();

  friend struct GdipPixels;
};

}  // namespace Gdiplus
