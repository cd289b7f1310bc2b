#include "shell/TSettings.h"

#include <fstream>
#include <limits>

const char kSettingsFileName[] = "option.ini";

void TSettings::Load() {
  std::ifstream file(kSettingsFileName, std::ios::binary);
  if (!file.is_open()) {
    Save();
    return;
  }
  // Formatted input skips white space, line ends included; the target keeps its
  // value unless the read succeeds.
  int32_t interval = 0;
  if (!(file >> interval)) return;
  if (interval < kMinFrameInterval || interval > kMaxFrameInterval) return;
  FrameInterval = interval;
  int32_t fullScreen = 0;
  if (!(file >> fullScreen)) return;
  if (fullScreen == 0 || fullScreen == 1) FullScreen = fullScreen == 1;
}

void TSettings::Save() const {
  std::ofstream file(kSettingsFileName, std::ios::binary | std::ios::trunc);
  if (!file.is_open()) return;
  file << FrameInterval << "\r\n" << (FullScreen ? 1 : 0) << "\r\n";
}
