#include "world/WorldTestSupport.h"

#include <cstdlib>

#include "graphics/TextureRegistry.h"
#include "platform/Win32.h"
#include "world/WorldState.h"

TWorldTest::TWorldTest() { RegisterTextures(); }

TWorldTest::~TWorldTest() {
  ClearMap();
  FreeTextures();
}

TGameWorldTest::TGameWorldTest() {
  Harness.Start();
  Harness.Tick();
}

bool PaintImage(const TTexture& in_texture, const TRect& in_rect, uint32_t in_color) {
  GpBitmap* bitmap = static_cast<GpBitmap*>(in_texture.Image());
  if (!bitmap || in_rect.x < 0 || in_rect.y < 0 || in_rect.x + in_rect.width > in_texture.ImageWidth() ||
      in_rect.y + in_rect.height > in_texture.ImageHeight())
    return false;
  for (int y = in_rect.y; y < in_rect.y + in_rect.height; ++y)
    for (int x = in_rect.x; x < in_rect.x + in_rect.width; ++x)
      if (GdipBitmapSetPixel(bitmap, x, y, in_color) != Ok) return false;
  return true;
}

std::string CrLfLines(std::initializer_list<const char*> in_lines) {
  std::string text;
  for (const char* line : in_lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool NearColor(uint32_t in_a, uint32_t in_b, int in_tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((in_a >> shift) & 0xFF);
    const int b = static_cast<int>((in_b >> shift) & 0xFF);
    if (std::abs(a - b) > in_tolerance) return false;
  }
  return true;
}
