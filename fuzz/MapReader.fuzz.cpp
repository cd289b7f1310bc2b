// Feeds arbitrary bytes to the map reader. Whatever they hold, reading must not
// crash, hang or take memory beyond the map size limits, and the map it leaves
// must write and read back to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "graphics/TTexture.h"
#include "graphics/TextureRegistry.h"
#include "platform/PlatformTest.h"
#include "platform/Win32.h"
#include "world/MapFile.h"
#include "world/WorldState.h"

namespace {

// Maps with more cells than this are only read, not written back: the round
// trip of a large grid would slow the search down without finding more.
constexpr int64_t kRoundTripCells = 4096;

ULONG_PTR GdiplusToken = 0;

// Gives everything back before the registry itself goes, so that the leak
// check at exit finds nothing.
void ReleaseEverything() {
  ClearMap();
  for (TTexture* texture : RegisteredTextures()) texture->Release();
  FreeTextures();
  GdiplusShutdown(GdiplusToken);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  PlatformTest::SetHeadless(true);
  // The sheets load from res/ under the working directory: the generated tree
  // when KRAMBOL_RES_DIR names it; without it every image is missing, which is
  // logged once and draws nothing.
  if (const char* res = std::getenv("KRAMBOL_RES_DIR")) {
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::path(res).parent_path(), ignored);
  }
  GdiplusStartupInput input;
  GdiplusStartup(&GdiplusToken, &input, nullptr);
  RegisterTextures();
  // Every texture stays in use for the whole run, so that the cells, trees and
  // stacks of each input count uses instead of loading images again.
  for (TTexture* texture : RegisteredTextures()) texture->Acquire();
  std::atexit(ReleaseEverything);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadMapFromBytes(std::string(reinterpret_cast<const char*>(data), size));
  if (int64_t{MapColumns} * MapRows <= kRoundTripCells) {
    // Once written, a map reads back to itself: the writing is stable.
    ReadMapFromBytes(WriteMapToBytes());
    const std::string once = WriteMapToBytes();
    ReadMapFromBytes(once);
    if (WriteMapToBytes() != once) std::abort();
  }
  ClearMap();
  return 0;
}
