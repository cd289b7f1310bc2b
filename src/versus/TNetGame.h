#pragma once
// A network game in the versus program: the session with the other copy, the
// waiting box while a host waits or a guest connects, and the lockstep of the
// game screen. Each order given on the map (the person's, or the other
// copy's replayed by the hand) is read off the screen by the order watch;
// once the board rests the world's digest is taken and the order sent, or
// the replay confirmed. A fault of any kind ends the game: the position is
// saved when a game was on the screen, and the start menu comes back with a
// box that says what happened and where the position went.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "net/TNetSession.h"
#include "net/TOrderWatch.h"
#include "opponent/TOrder.h"
#include "platform/Win32.h"

class TMap;

class TNetGame {
 public:
  // The first of the messages the sockets post to the program's window.
  static constexpr UINT kSocketMessage = WM_USER + 210;

  TNetGame() = default;
  ~TNetGame();
  TNetGame(const TNetGame&) = delete;
  TNetGame& operator=(const TNetGame&) = delete;

  // Host: the world loaded now is the game; listens on in_port with a new
  // code and opens the waiting box over the start screen. in_hostFirst: the
  // host plays the side to move now.
  void Host(uint16_t in_port, bool in_hostFirst);
  // Guest: connects to the host and opens the waiting box.
  void Join(const std::string& in_host, uint16_t in_port, uint32_t in_code);
  // "Отмена" in the waiting box, or the player leaving the game screen.
  void Leave();

  // Whether a game is on its way or on the screen (waiting, connecting or playing).
  bool Active() const;
  // Whether the game screen plays the network game.
  bool Playing() const { return Playing_; }
  // Whether the game screen being built now is the one the network game
  // asked for (asking clears it); any other, a map loaded from the menus,
  // leaves the network game.
  bool TakeStart() { return std::exchange(StartPending_, false); }
  // The player index this copy plays.
  int32_t LocalSide() const;
  const NNet::TNetSession* Session() const { return Session_.get(); }

  // One of the sockets' messages (kSocketMessage and the session's range after it).
  void OnSocketMessage(UINT in_message, WPARAM in_wParam, LPARAM in_lParam);
  static bool IsSocketMessage(UINT in_message) {
    return in_message >= kSocketMessage && in_message < kSocketMessage + NNet::TNetSession::kMessages;
  }
  // After every tick: the session's time, what arrived, and the game screen.
  void AfterTick();
  // Around every mouse press the program routes, so that a stopped walk is seen.
  void BeforeInput();
  void AfterInput();
  // Whether the last order is over but not yet sent or confirmed, the board
  // not at rest after it: the map takes no press before it is.
  bool OrderPending() const { return Playing_ && Watch_.Pending(); }
  // The finish screen is about to replace the game screen: the last order
  // goes out or is confirmed now, and the session ends once both agree.
  void GameOver();

  // The other copy's next order to replay, as the hand gives it, with the
  // cell its walk was stopped on; none while there is none. A pass and an
  // order without a route both replay as a pass: the world is the same after them.
  bool NextReplay(int32_t& out_turn, TOrder& out_order, std::optional<TCellPos>& out_stopOn) const;
  // The hand could not replay the order: the copies cannot stay in step.
  void ReplayFailed();

  // Tests: a host listens on 127.0.0.1 and ::1 only.
  void SetLoopbackOnly(bool in_only) { LoopbackOnly_ = in_only; }

  // The box text of the last fault, taken once by the start screen.
  std::wstring TakeFaultText();
  // The same text, kept until the next Host or Join; empty while nothing failed.
  const std::wstring& LastFaultText() const { return LastFault_; }

 private:
  void EnsureSession();
  void OpenWaitBox(const std::wstring& in_title, const std::wstring& in_text);
  void SetWaitText(const std::wstring& in_text);
  void CloseWaitBox();
  void StartGame();
  void Failed();
  void Watch(bool in_force);
  static TMap* GameMap();

  std::unique_ptr<NNet::TNetSession> Session_;
  NNet::TOrderWatch Watch_;
  bool Playing_ = false;
  // The finish screen is up: the session only confirms the last order.
  bool Over_ = false;
  bool Joining_ = false;
  uint32_t Seed_ = 0;
  std::wstring FaultText_;
  std::wstring LastFault_;
  bool LoopbackOnly_ = false;
  bool StartPending_ = false;
};
