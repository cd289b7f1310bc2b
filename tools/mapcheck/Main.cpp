// mapcheck: checks map files with the game's own reader and the editor's map
// check (see editor/MapCheckReport.h for what it prints and answers).

#include <cstdio>
#include <string>
#include <vector>

#include "editor/MapCheckReport.h"
#include "graphics/TextureRegistry.h"
#include "platform/Win32.h"
#include "world/WorldState.h"

int main(int argc, char** argv) {
  // The reader looks the sheets up in the registry. It draws nothing, so a
  // sheet missing under res/ only leaves its frames unknown.
  GdiplusStartupInput input;
  ULONG_PTR token = 0;
  GdiplusStartup(&token, &input, nullptr);
  RegisterTextures();

  std::string report;
  const int status = RunMapCheck(std::vector<std::string>(argv + 1, argv + argc), report);
  std::fwrite(report.data(), 1, report.size(), status == 2 ? stderr : stdout);

  ClearMap();
  FreeTextures();
  GdiplusShutdown(token);
  return status;
}
