#pragma once
// What the versus program's command line asks for. Without arguments the
// program opens its start menu for a person. With them it starts a network
// game at once, as its menus would, and with --computer the computer plays
// this copy's side, so that two copies play a whole game unattended (for
// scripts and tests; both copies may run on one machine):
//
//   krambol-versus --host --map FILE [--port N] [--second] [--loopback]
//                  [--announce FILE] [--computer easy|strong [--turns N]]
//                  [--result FILE]
//   krambol-versus --join ADDRESS[:PORT] --code NNNNNN
//                  [--computer easy|strong [--turns N]] [--result FILE]
//
// --port 0 lets the system choose the port; --announce writes "PORT CODE" to
// the file once the host listens; --loopback listens on 127.0.0.1 and ::1
// only; --result writes the final position as a map file when the game ended
// with both copies agreeing. --turns stops an unattended game that reaches
// turn N (two computers can shuffle their stacks for ever) with both copies
// agreeing on the position then, as a draw; both copies need the same N.

#include <cstdint>
#include <string>
#include <vector>

#include "net/NetAddress.h"
#include "opponent/TComputerPlayer.h"

enum class TLaunchRole {
  Menu,  // no arguments: the start menu
  Host,
  Join,
};

struct TLaunchOptions {
  TLaunchRole Role = TLaunchRole::Menu;
  // Host: the map, the port (0: any free one), whether the host moves second,
  // whether it listens on loopback only, and where to tell port and code.
  std::string MapPath;
  uint16_t Port = NNet::kDefaultPort;
  bool HostSecond = false;
  bool LoopbackOnly = false;
  std::string AnnouncePath;
  // Join: the host's name or address and port, and the code.
  std::string Address;
  uint16_t JoinPort = NNet::kDefaultPort;
  uint32_t Code = 0;
  // Whether the computer plays this copy's side, and how well.
  bool Computer = false;
  TStrength Strength = TStrength::Easy;
  // The turn an unattended game stops at; 0: none.
  int32_t TurnCap = 0;
  // Where the final position goes; nowhere when empty.
  std::string ResultPath;
};

// The highest --turns.
constexpr int32_t kMostTurnCap = 1000000;

// Splits a command line as Windows programs do for the common cases: blanks
// and tabs part the arguments, double quotes group blanks into one, and \"
// is a quote inside an argument.
std::vector<std::string> SplitCommandLine(const char* in_commandLine);

// Reads the arguments. False with out_error saying what is wrong (an unknown
// option, a value missing or out of range, --host and --join together or
// neither with other options, a host without a map, a guest without a code).
bool ParseLaunchOptions(const std::vector<std::string>& in_arguments, TLaunchOptions& out_options,
                        std::string& out_error);

// The usage lines above, for the box that answers a bad command line.
extern const char kLaunchUsage[];
