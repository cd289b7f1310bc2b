// artgen <output dir>: draws the game's art into <output dir>/res and the
// executable's icon and cursor into <output dir>/resources. Deterministic: the
// same bytes on every run.
#include <cstdio>
#include <filesystem>
#include <string>

#include "Resources.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen <output dir>\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  std::filesystem::create_directories(out / "res");
  std::filesystem::create_directories(out / "resources");
  if (!WriteExecutableResources(out / "resources")) return 1;
  std::FILE* stamp = std::fopen((out / "res" / ".generated").string().c_str(), "wb");
  if (!stamp) return 1;
  std::fclose(stamp);
  return 0;
}
