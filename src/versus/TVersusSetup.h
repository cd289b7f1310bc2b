#pragma once
// What the player chose on the versus program's start menu: against whom,
// and for a computer opponent which side it plays and how well. The choice
// holds for every game of the run, a loaded one included: the side that moves
// first is the one to move when the map is loaded.

#include "opponent/TComputerPlayer.h"

enum class TVersusMode {
  Computer,  // the person against the computer
};

struct TVersusSetup {
  TVersusMode Mode = TVersusMode::Computer;
  // Whether the computer plays the side that moves first; else the other one.
  bool ComputerFirst = false;
  TStrength Strength = TStrength::Strong;
};
