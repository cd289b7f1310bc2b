// The drawing library's test hooks of PlatformTest.h.
#include "platform/PlatformTest.h"

#include "platform/gdiplus/GdipCanvas.h"
#include "platform/gdiplus/GdipFrameRecord.h"
#include "platform/gdiplus/GdipWindowDraws.h"
#include "platform/gdiplus/GdipObjects.h"
#include "platform/user32/TestResets.h"

namespace {

// A fresh process draws, and skips repeated drawing.
void EndDiscarding() {
  Gdiplus::GdipCanvas::Discard(false);
}

void StartSkipping() {
  Gdiplus::GdipFrameRecord::SetSkipping(true);
  Gdiplus::GdipWindowDraws::Reset();
}

}  // namespace

namespace PlatformTest {

void DiscardDrawing(bool discard) {
  TestResets::Add(&EndDiscarding);
  Gdiplus::GdipCanvas::Discard(discard);
}

void SkipRepeatedDrawing(bool skip) {
  TestResets::Add(&StartSkipping);
  Gdiplus::GdipFrameRecord::SetSkipping(skip);
}

void KeepDecodedImages(bool keep) {
  Gdiplus::GdipKeepDecodedImages(keep);
}

}  // namespace PlatformTest
