// Start-up and shut-down of the drawing library. Nothing here is required for
// the other calls to work: they behave the same before start-up and after
// shut-down, and objects stay valid across both. Start-up only checks its
// arguments and hands out a token, as callers expect.
#include <atomic>

#include "platform/gdiplus/GdipObjects.h"

namespace Gdiplus {

namespace {

std::atomic<ULONG_PTR> gNextToken{1};

// The hooks a caller that suppresses the background thread must call; there is
// no background thread, so they do nothing.
Status NotificationHook(ULONG_PTR* token) {
  if (token == nullptr) return InvalidParameter;
  *token = 0;
  return Ok;
}

void NotificationUnhook(ULONG_PTR) {}

}  // namespace

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
  if (token == nullptr || input == nullptr) return InvalidParameter;
  if (input->GdiplusVersion != 1) return UnsupportedGdiplusVersion;
  if (input->SuppressBackgroundThread && output == nullptr) return InvalidParameter;
  if (output != nullptr) {
    output->NotificationHook = reinterpret_cast<void*>(&NotificationHook);
    output->NotificationUnhook = reinterpret_cast<void*>(&NotificationUnhook);
  }
  *token = gNextToken++;
  return Ok;
}

void GdiplusShutdown(ULONG_PTR) {}

}  // namespace Gdiplus
