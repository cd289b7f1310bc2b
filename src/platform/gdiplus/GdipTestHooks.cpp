// The drawing library's test hooks of PlatformTest.h.
#include "platform/PlatformTest.h"

#include "platform/gdiplus/GdipCanvas.h"
#include "platform/gdiplus/GdipObjects.h"
#include "platform/user32/TestResets.h"

namespace {

// A fresh process draws.
void EndDiscarding() {
  Gdiplus::GdipCanvas::Discard(false);
}

}  // namespace

namespace PlatformTest {

void DiscardDrawing(bool discard) {
  TestResets::Add(&EndDiscarding);
  Gdiplus::GdipCanvas::Discard(discard);
}

void KeepDecodedImages(bool keep) {
  Gdiplus::GdipKeepDecodedImages(keep);
}

}  // namespace PlatformTest
