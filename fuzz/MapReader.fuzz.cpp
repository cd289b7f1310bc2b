// Feeds arbitrary bytes to the game's reading of map files: the world built
// with its textures. Whatever they hold, reading must not crash, hang or take
// memory beyond the map size limits; the problem report must name a place
// inside the bytes; and the map it leaves must write bytes that read back
// without a problem and write again to the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "FuzzChecks.h"
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
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TMapReadProblem problem;
  ReadMapFromBytes(bytes, &problem);
  if (problem.Exists() && !InsideBytes(problem, bytes)) std::abort();
  const bool small = int64_t{MapColumns} * MapRows <= kRoundTripCells;
  const bool hasCells = MapColumns > 0 && MapRows > 0;
  if (small) {
    // What the writer wrote reads without a problem and writes again to the
    // same bytes. (That the report changes nothing read is MapRecord_fuzz's
    // check, on many more inputs.)
    const std::string written = WriteMapToBytes();
    TMapReadProblem again;
    ReadMapFromBytes(written, &again);
    if (hasCells && again.Exists()) std::abort();
    if (WriteMapToBytes() != written) std::abort();
  }
  ClearMap();
  return 0;
}
