#pragma once
// The program's two settings and their file "option.ini" in the working
// directory: two lines, the frame interval in milliseconds and the full-screen
// flag as 0 or 1, with CR LF line ends on every system.

#include <cstdint>

// Name of the settings file, relative to the working directory.
extern const char kSettingsFileName[];

// The frame intervals the file may hold, in milliseconds.
constexpr int32_t kMinFrameInterval = 1;
constexpr int32_t kMaxFrameInterval = 10000;

struct TSettings {
  int32_t FrameInterval = 66;
  bool FullScreen = false;

  // Fills the record from the file. A missing file is created with the current
  // values. A value that cannot be read, and every value after it, keeps what
  // the record held. An interval outside kMinFrameInterval..kMaxFrameInterval
  // counts as a value that cannot be read: a frame timer below 1 ms or of
  // minutes would freeze the game, and the file would carry it to every run.
  void Load();
  // Writes the record, creating or truncating the file; a file that cannot be
  // opened is not written and nothing is reported.
  void Save() const;
};
