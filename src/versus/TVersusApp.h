#pragma once
// The application object of the versus program: the game's application object
// with its own title and window class, its start screen, the game's game and
// finish screens, and the sides of the game in progress. After every tick it
// lets the side to move play (outside the event lock, since a side plays
// through messages sent to the window); and it keeps the person's mouse and
// keys away from the map and "Пропустить Ход." on turns that are not theirs.

#include <cstdint>

#include "shell/TGame.h"
#include "versus/TLaunchedGame.h"
#include "versus/TNetGame.h"
#include "versus/TVersusMatch.h"
#include "versus/TVersusSetup.h"

class TWindow;

// The window class of the versus program's window.
extern const char kVersusWindowClassName[];

class TVersusApp : public TGame {
 public:
  // Titled "Крамбол: против компьютера.", of the class kVersusWindowClassName;
  // in_launch: what the command line asked for.
  explicit TVersusApp(TLaunchOptions in_launch = {});
  ~TVersusApp() override;

  // The tick, then the side to move's turn.
  LRESULT OnTimer() override;

  LRESULT OnLButtonDown() override;
  LRESULT OnLButtonUp() override;
  LRESULT OnLButtonDblClk() override;
  LRESULT OnRButtonDown() override;
  LRESULT OnRButtonUp() override;
  LRESULT OnRButtonDblClk() override;
  LRESULT OnMouseMove() override;
  LRESULT OnKeyDown() override;
  LRESULT OnKeyUp() override;
  LRESULT OnChar() override;
  // The sockets' messages of a network game.
  LRESULT OnUserMessage() override;

  TVersusSetup Setup;
  TVersusMatch Match;
  TNetGame Net;
  TLaunchedGame Launch;

 protected:
  // 0 the start screen (with the box of a network game's fault), 1 the game
  // screen (its sides set up from Setup, or the network game's), or for a
  // host the start screen with the box that waits for the guest, 2 the
  // finish screen.
  void BuildRequestedScreen(int32_t in_kind) override;

 private:
  // The window under the pointer in the modal scope.
  TWindow* PointedWindow();
  // Whether the person may reach the window a move goes to: the one under the
  // pointer, or while a button is held the pointer window.
  bool MoveAllowed();
  // Whether the person may reach the windows a press reaches: the one under
  // the pointer, which takes the focus, and the pointer window, which gets it.
  bool PressAllowed();
  // Whether the person may reach the pointer window, which gets releases.
  bool ReleaseAllowed();
  // Whether the person's keys may go to the focused window now.
  bool KeysAllowed();
};

// The versus program's life line, as KrambolMain is the game's, for the
// command line after the program's name: a bad one gets a box with the usage
// and exit code 2; an unattended run answers TLaunchedGame's exit code.
int VersusMain(const char* in_commandLine);
