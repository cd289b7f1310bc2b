#pragma once
// What the player chose on the versus program's start menu: against whom,
// and for a computer opponent which side it plays and how well. The choice
// holds for every game of the run, a loaded one included: the side that moves
// first is the one to move when the map is loaded.

#include <cstdint>
#include <string>

#include "net/NetAddress.h"
#include "opponent/TComputerPlayer.h"

enum class TVersusMode {
  Computer,  // the person against the computer
  NetHost,   // the person hosts a network game on the map chosen next
};

struct TVersusSetup {
  TVersusMode Mode = TVersusMode::Computer;
  // Whether the computer plays the side that moves first; else the other one.
  bool ComputerFirst = false;
  TStrength Strength = TStrength::Strong;
  // A network game: the host's port and whether the host plays the side
  // that moves first; what the guest typed last.
  uint16_t Port = NNet::kDefaultPort;
  bool HostFirst = true;
  std::wstring JoinAddress;
  std::wstring JoinCode;
};
