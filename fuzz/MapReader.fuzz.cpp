// Feeds arbitrary bytes to the map reader. Whatever they hold, reading must not
// crash, hang or take memory beyond the map size limits, and the map it leaves
// must write and read back to the same bytes. Reading with the problem report
// must read the same map, name a place inside the bytes, and find no problem
// in what the writer wrote.

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

namespace {

// Whether the problem's line and column lie inside the bytes, or just after
// their last character.
bool InsideBytes(const TMapReadProblem& problem, const std::string& bytes) {
  int32_t line = 1;
  int32_t column = 1;
  for (const char c : bytes) {
    if (line == problem.Line && column == problem.Column) return true;
    if (c == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return line == problem.Line && column == problem.Column;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TMapReadProblem problem;
  ReadMapFromBytes(bytes, &problem);
  if (problem.Exists() && !InsideBytes(problem, bytes)) std::abort();
  const bool small = int64_t{MapColumns} * MapRows <= kRoundTripCells;
  const bool hasCells = MapColumns > 0 && MapRows > 0;
  if (small) {
    const std::string reported = WriteMapToBytes();
    ReadMapFromBytes(bytes);
    if (WriteMapToBytes() != reported) std::abort();
    // Once written, a map reads back to itself: the writing is stable.
    TMapReadProblem again;
    ReadMapFromBytes(reported, &again);
    if (hasCells && again.Exists()) std::abort();
    const std::string once = WriteMapToBytes();
    ReadMapFromBytes(once);
    if (WriteMapToBytes() != once) std::abort();
  }
  ClearMap();
  return 0;
}
