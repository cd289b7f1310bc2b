#pragma once
// One network game as the protocol sees it, from either end: the host that
// listens for its one guest, or the guest that looks the host up and joins;
// the greeting (versions, join code, map digest), the start (the map's bytes,
// the seed, the sides), and then the lockstep: the orders of each side in
// turn, each followed by the digest of the world after it, compared on both
// ends. Keep-alives go out while nothing else does, and a peer not heard from
// for kSilenceMs is gone. Every fault ends the session with the reason,
// which the program shows.
//
// The session touches neither the world nor the screens: the program reads
// what arrived (the start, the peer's orders) and tells what it did (loaded
// the map, played or replayed an order, with the digest after it). It needs
// a window that takes the sockets' messages (WSAAsyncSelect), in_message to
// in_message + kMessages - 1, and hands them to OnSocketMessage, and Tick
// called often (every frame) with the time.
//
// Each connection reports with a message of its own, taken in turn from that
// range: Windows gives a closed socket's handle to the next socket made, and
// the messages the old one had posted still come, so a message is its
// connection's only when both the socket and the message match.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "net/NetProtocol.h"
#include "net/TNetLink.h"
#include "net/TNetLookup.h"
#include "platform/Win32.h"

namespace NNet {

enum class TFault {
  None,
  Listen,         // the port cannot be listened on
  NameNotFound,   // no address has that name
  Refused,        // nobody takes connections at that address
  Unreachable,    // there is no way to that address
  NoAnswer,       // the address never answered, or the host never greeted
  WrongCode,      // the host refused the join code
  WrongProgram,   // the other copy is another version of the program
  WrongProtocol,  // the other copy speaks another version of the protocol
  Busy,           // the host has its guest already
  PeerLeft,       // the other player left the game
  Disconnected,   // the connection closed or broke without a word
  Silent,         // nothing came for kSilenceMs
  Garbage,        // the peer sent what cannot be
  Mismatch,       // the positions of the two copies differ
  BadMap,         // the host's map is no map this program reads
};

class TNetSession {
 public:
  enum class TState {
    Idle,
    Listening,   // host: waiting for a guest
    Connecting,  // guest: looking up and connecting
    Greeting,    // guest: connected, waiting for the host's greeting and start
    Loading,     // guest: the start is in (Start); the program loads it and calls Loaded
    Waiting,     // host: the guest has the start; waiting for it to be ready
    Playing,
    Finished,    // the game was won and both ends agree on the position
    Failed,      // see Fault
  };

  struct THostSetup {
    uint16_t Port = 0;  // 0: any free port (see Port)
    // Listen on 127.0.0.1 and ::1 only, as tests do; otherwise on every address.
    bool LoopbackOnly = false;
    uint32_t Code = 0;
    std::string Map;  // the bytes of the map file
    int32_t HostSide = 0;
    uint32_t Seed = 0;
    // The world as the map makes it: its turn counter and digest, which the guest's must match.
    int32_t StartTurn = 0;
    uint64_t StartDigest = 0;
  };

  // How many window messages the sockets report with, from in_message on.
  static constexpr UINT kMessages = 16;
  // After a wrong code, the host refuses every connection for this long.
  static constexpr uint32_t kWrongCodePauseMs = 2000;
  // A connection being closed is read and dropped for this long at most.
  static constexpr uint32_t kClosingMs = 2000;

  TNetSession(HWND in_window, UINT in_message);
  ~TNetSession();
  TNetSession(const TNetSession&) = delete;
  TNetSession& operator=(const TNetSession&) = delete;

  // Host: listens on the port (IPv4 and, where it can, IPv6). False, with
  // the fault Listen and the error, when neither can.
  bool Host(const THostSetup& in_setup, uint32_t in_now);
  // Guest: looks in_host up and connects to its first address that takes
  // the connection, then greets with the code.
  void Join(const std::string& in_host, uint16_t in_port, uint32_t in_code, uint32_t in_now);

  // A message the sockets posted to the window (one of the range; others are ignored).
  void OnSocketMessage(UINT in_message, WPARAM in_wParam, LPARAM in_lParam, uint32_t in_now);
  // Looks at the lookup, the time-outs and the keep-alives.
  void Tick(uint32_t in_now);

  TState State() const { return State_; }
  TFault Fault() const { return Fault_; }
  // The system's error behind a fault (WSAE*), or 0.
  int FaultError() const { return FaultError_; }
  // The other copy's program version, once known (from its greeting or refusal).
  const std::string& PeerProgram() const { return PeerProgram_; }
  // A few words of English on what went wrong, for the error log.
  const std::string& Problem() const { return Problem_; }
  // Host: the port listened on, and the code a guest must give.
  uint16_t Port() const { return Port_; }
  uint32_t HostCode() const { return Setup_.Code; }
  // Host: how many would-be guests were turned away (wrong code, version, or a guest already there).
  int32_t TurnedAway() const { return TurnedAway_; }

  // Guest, in Loading: the start (seed, the guest's side, the map's bytes).
  const TMessage& StartMessage() const { return Start_; }
  // Guest: the map is loaded; the world has the turn counter and the digest.
  void Loaded(int32_t in_turn, uint64_t in_digest, uint32_t in_now);
  // Guest: the map cannot be read: the session ends with BadMap.
  void MapRefused(uint32_t in_now);

  // The side (player index) this end plays, and the turn the next order is for.
  int32_t LocalSide() const { return LocalSide_; }
  int32_t NextTurn() const { return NextTurn_; }
  // Whether this end gives the next order: the session plays, the peer's
  // orders are all replayed, and the next turn is this end's.
  bool LocalTurn() const { return State_ == TState::Playing && Orders_.empty() && (NextTurn_ & 1) == LocalSide_; }

  // Playing, on this end's turn: the order given in turn in_turn and the
  // digest of the world after it. False when it is not this end's turn.
  bool SendOrder(int32_t in_turn, const TNetOrder& in_order, uint64_t in_digest, uint32_t in_now);
  // The peer's next order to replay, in turn; it stays until Replayed.
  bool PeekOrder(TMessage& out_order) const;
  // The peer's order of in_turn is replayed; the world's digest after it is
  // compared with the peer's, and sent back.
  void Replayed(int32_t in_turn, uint64_t in_digest, uint32_t in_now);
  // The peer's next order cannot be carried out here: the copies cannot stay
  // in step, and the session ends on both ends as positions that differ.
  void ReplayFailed(uint32_t in_now);
  // Whether this end's last order still waits for the peer's digest.
  bool AwaitingDigest() const { return AwaitedTurn_ >= 0; }

  // The game was won on this end: once the last digests agree, goodbye.
  void Finish(uint32_t in_now);
  // The player leaves: the peer is told, and the session ends (Idle).
  void Leave(uint32_t in_now);

 private:
  struct TListener {
    SOCKET Socket = INVALID_SOCKET;
  };

  void Fail(TFault in_fault, int in_error, const std::string& in_problem, uint32_t in_now,
            bool in_tellPeer = false, TByeReason in_reason = TByeReason::Left);
  void CloseListeners();
  // Ends a connection gently: what it still has to send goes, and it is read until closed.
  void Retire(std::unique_ptr<TNetLink> in_link, uint32_t in_now);
  void Accept(uint32_t in_now);
  void TryNextAddress(uint32_t in_now);
  void ConnectFailed(int in_error, uint32_t in_now);
  // Reads what the link has and acts on it.
  void Serve(uint32_t in_now);
  void ServeGuest(uint32_t in_now);
  bool Handle(const TMessage& in_message, uint32_t in_now);
  void CheckLink(TNetLink& in_link, uint32_t in_now);
  void TryFinish(uint32_t in_now);
  static int32_t TurnAfter(int32_t in_turn);
  // The message for the next connection: the range's others in turn (the
  // first one is the listeners').
  UINT NextLinkMessage();

  HWND Window_;
  UINT Message_;
  UINT NextLink_ = 1;
  TState State_ = TState::Idle;
  TFault Fault_ = TFault::None;
  int FaultError_ = 0;
  std::string Problem_;
  std::string PeerProgram_;

  // Host.
  THostSetup Setup_;
  std::vector<TListener> Listeners_;
  uint16_t Port_ = 0;
  std::unique_ptr<TNetLink> Candidate_;  // a connection that has not greeted yet
  uint32_t CandidateSince_ = 0;
  uint32_t PausedUntil_ = 0;
  bool Paused_ = false;
  int32_t TurnedAway_ = 0;

  // Guest.
  uint32_t Code_ = 0;
  std::unique_ptr<TNetLookup> Lookup_;
  std::vector<TPeerAddress> Addresses_;
  size_t NextAddress_ = 0;
  uint32_t ConnectSince_ = 0;
  bool SawRefused_ = false;
  bool SawUnreachable_ = false;
  int LastConnectError_ = 0;
  uint32_t GreetingSince_ = 0;
  bool Greeted_ = false;
  uint64_t MapDigest_ = 0;
  TMessage Start_;

  // Both.
  std::unique_ptr<TNetLink> Link_;
  struct TClosing {
    std::unique_ptr<TNetLink> Link;
    uint32_t Since = 0;
  };
  std::vector<TClosing> Closing_;
  int32_t LocalSide_ = 0;
  int32_t NextTurn_ = 0;
  std::deque<TMessage> Orders_;
  int32_t AwaitedTurn_ = -1;
  uint64_t AwaitedDigest_ = 0;
  bool FinishWanted_ = false;
};

}  // namespace NNet
