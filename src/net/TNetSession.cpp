#include "net/TNetSession.h"

#include <cstring>
#include <limits>

#include "net/NetTrace.h"

namespace NNet {

namespace {

// Whether at least in_ms have passed from in_since to in_now on the
// millisecond clock, which wraps.
bool Passed(uint32_t in_now, uint32_t in_since, uint32_t in_ms) {
  return static_cast<uint32_t>(in_now - in_since) >= in_ms;
}

TFault FaultOf(TRefusal in_refusal) {
  switch (in_refusal) {
    case TRefusal::WrongCode: return TFault::WrongCode;
    case TRefusal::WrongProtocol: return TFault::WrongProtocol;
    case TRefusal::WrongProgram: return TFault::WrongProgram;
    case TRefusal::Busy: return TFault::Busy;
  }
  return TFault::Garbage;
}

}  // namespace

TNetSession::TNetSession(HWND in_window, UINT in_message) : Window_(in_window), Message_(in_message) {}

TNetSession::~TNetSession() { CloseListeners(); }

UINT TNetSession::NextLinkMessage() {
  const UINT message = Message_ + NextLink_;
  NextLink_ = NextLink_ % (kMessages - 1) + 1;
  return message;
}

int32_t TNetSession::TurnAfter(int32_t in_turn) {
  // As the game counts: at the largest counter the next (even) turn is 0.
  return in_turn == std::numeric_limits<int32_t>::max() ? 0 : in_turn + 1;
}

bool TNetSession::Host(const THostSetup& in_setup, uint32_t in_now) {
  Leave(in_now);
  Setup_ = in_setup;
  Fault_ = TFault::None;
  FaultError_ = 0;
  Problem_.clear();
  TurnedAway_ = 0;
  Paused_ = false;
  LocalSide_ = in_setup.HostSide & 1;
  NextTurn_ = in_setup.StartTurn;
  Port_ = in_setup.Port;
  int lastError = 0;
  for (const int family : {AF_INET, AF_INET6}) {
    const SOCKET s = socket(family, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
      lastError = WSAGetLastError();
      continue;
    }
    sockaddr_storage address{};
    int length = 0;
    if (family == AF_INET) {
      auto& four = reinterpret_cast<sockaddr_in&>(address);
      four.sin_family = AF_INET;
      four.sin_port = htons(Port_);
      four.sin_addr.s_addr = htonl(in_setup.LoopbackOnly ? INADDR_LOOPBACK : INADDR_ANY);
      length = sizeof four;
    } else {
      auto& six = reinterpret_cast<sockaddr_in6&>(address);
      six.sin6_family = AF_INET6;
      six.sin6_port = htons(Port_);
      if (in_setup.LoopbackOnly) six.sin6_addr.s6_addr[15] = 1;
      length = sizeof six;
    }
    if (bind(s, reinterpret_cast<const sockaddr*>(&address), length) != 0 || listen(s, 4) != 0 ||
        WSAAsyncSelect(s, Window_, Message_, FD_ACCEPT) != 0) {
      lastError = WSAGetLastError();
      closesocket(s);
      continue;
    }
    if (Port_ == 0) {
      // Any free port was asked for: the other family takes the same one.
      sockaddr_storage bound{};
      int boundLength = sizeof bound;
      if (getsockname(s, reinterpret_cast<sockaddr*>(&bound), &boundLength) == 0)
        Port_ = ntohs(reinterpret_cast<const sockaddr_in&>(bound).sin_port);
    }
    Listeners_.push_back(TListener{s});
  }
  if (Listeners_.empty()) {
    Fault_ = TFault::Listen;
    FaultError_ = lastError;
    Problem_ = "no socket would listen on the port";
    State_ = TState::Failed;
    return false;
  }
  State_ = TState::Listening;
  return true;
}

void TNetSession::Join(const std::string& in_host, uint16_t in_port, uint32_t in_code, uint32_t in_now) {
  Leave(in_now);
  Fault_ = TFault::None;
  FaultError_ = 0;
  Problem_.clear();
  PeerProgram_.clear();
  Code_ = in_code;
  Addresses_.clear();
  NextAddress_ = 0;
  SawRefused_ = SawUnreachable_ = false;
  LastConnectError_ = 0;
  Greeted_ = false;
  Start_ = TMessage{};
  State_ = TState::Connecting;
  Lookup_ = std::make_unique<TNetLookup>(in_host, in_port);
  Tick(in_now);
}

void TNetSession::CloseListeners() {
  for (const TListener& listener : Listeners_) closesocket(listener.Socket);
  Listeners_.clear();
}

void TNetSession::Retire(std::unique_ptr<TNetLink> in_link, uint32_t in_now) {
  if (!in_link) return;
  if (!in_link->Connected() || in_link->Closed()) return;
  in_link->Finish();
  Closing_.push_back(TClosing{std::move(in_link), in_now});
}

void TNetSession::Fail(TFault in_fault, int in_error, const std::string& in_problem, uint32_t in_now,
                       bool in_tellPeer, TByeReason in_reason) {
  if (State_ == TState::Failed || State_ == TState::Finished || State_ == TState::Idle) return;
  NetTrace("session: fails (fault %d, error %d, in state %d): %s", static_cast<int>(in_fault), in_error,
           static_cast<int>(State_), in_problem.c_str());
  Fault_ = in_fault;
  FaultError_ = in_error;
  Problem_ = in_problem;
  State_ = TState::Failed;
  if (Link_ && in_tellPeer && Link_->Connected() && !Link_->Closed()) Link_->Send(Bye(in_reason), in_now);
  Retire(std::move(Link_), in_now);
  Retire(std::move(Candidate_), in_now);
  CloseListeners();
  Lookup_.reset();
  Orders_.clear();
}

void TNetSession::Leave(uint32_t in_now) {
  NetTrace("session: leaves (in state %d)", static_cast<int>(State_));
  if (Link_ && Link_->Connected() && !Link_->Closed() &&
      (State_ == TState::Greeting || State_ == TState::Loading || State_ == TState::Waiting ||
       State_ == TState::Playing))
    Link_->Send(Bye(TByeReason::Left), in_now);
  Retire(std::move(Link_), in_now);
  Retire(std::move(Candidate_), in_now);
  CloseListeners();
  Lookup_.reset();
  Orders_.clear();
  AwaitedTurn_ = -1;
  FinishWanted_ = false;
  State_ = TState::Idle;
}

// ---------------------------------------------------------------------------
// Host

void TNetSession::Accept(uint32_t in_now) {
  for (const TListener& listener : Listeners_) {
    const SOCKET s = accept(listener.Socket, nullptr, nullptr);
    if (s == INVALID_SOCKET) continue;
    if (Paused_) {
      // Right after a wrong code nobody is heard, so that codes cannot be tried fast.
      closesocket(s);
      ++TurnedAway_;
      continue;
    }
    auto link = std::make_unique<TNetLink>(s, Window_, NextLinkMessage(), false, false, in_now);
    if (Candidate_ || State_ != TState::Listening) {
      link->Send(Refuse(TRefusal::Busy), in_now);
      ++TurnedAway_;
      Retire(std::move(link), in_now);
      continue;
    }
    Candidate_ = std::move(link);
    CandidateSince_ = in_now;
  }
}

void TNetSession::ServeGuest(uint32_t in_now) {
  if (!Candidate_) return;
  TMessage hello;
  if (!Candidate_->Next(hello)) {
    if (Candidate_->Broken() || Candidate_->Closed()) {
      ++TurnedAway_;
      Candidate_.reset();
    }
    return;
  }
  auto turnAway = [&](TRefusal in_reason) {
    Candidate_->Send(Refuse(in_reason), in_now);
    ++TurnedAway_;
    Retire(std::move(Candidate_), in_now);
  };
  if (hello.Kind != TKind::Hello) {
    ++TurnedAway_;
    Candidate_.reset();
    return;
  }
  // Another protocol's hello is read for its version alone.
  if (hello.Protocol != kProtocolVersion) return turnAway(TRefusal::WrongProtocol);
  if (hello.FromHost) {
    ++TurnedAway_;
    Candidate_.reset();
    return;
  }
  if (hello.Program != ProgramVersion()) return turnAway(TRefusal::WrongProgram);
  if (hello.Code != Setup_.Code) {
    Paused_ = true;
    PausedUntil_ = in_now + kWrongCodePauseMs;
    return turnAway(TRefusal::WrongCode);
  }
  // The guest is in: nobody else is listened for.
  Link_ = std::move(Candidate_);
  CloseListeners();
  PeerProgram_ = hello.Program;
  Link_->Send(Hello(true, Setup_.Code, DigestOf(Setup_.Map)), in_now);
  Link_->Send(Start(Setup_.Seed, 1 - LocalSide_, Setup_.Map), in_now);
  // The map is in the socket's queue or on its way; the copy here is not needed again.
  Setup_.Map = std::string();
  State_ = TState::Waiting;
  Serve(in_now);
}

// ---------------------------------------------------------------------------
// Guest

void TNetSession::TryNextAddress(uint32_t in_now) {
  while (NextAddress_ < Addresses_.size()) {
    const TPeerAddress& address = Addresses_[NextAddress_++];
    const SOCKET s = socket(address.Family, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
      LastConnectError_ = WSAGetLastError();
      if (LastConnectError_ == WSAEAFNOSUPPORT) SawUnreachable_ = true;
      continue;
    }
    Link_ = std::make_unique<TNetLink>(s, Window_, NextLinkMessage(), true, true, in_now);
    ConnectSince_ = in_now;
    const int result = connect(s, reinterpret_cast<const sockaddr*>(&address.Address), address.Length);
    if (result == 0 || WSAGetLastError() == WSAEWOULDBLOCK) return;
    const int error = WSAGetLastError();
    Link_.reset();
    LastConnectError_ = error;
    if (error == WSAECONNREFUSED) SawRefused_ = true;
    if (error == WSAENETUNREACH || error == WSAEHOSTUNREACH || error == WSAEADDRNOTAVAIL || error == WSAENETDOWN)
      SawUnreachable_ = true;
  }
  // Every address was tried.
  if (SawRefused_) {
    Fail(TFault::Refused, WSAECONNREFUSED, "every address refused the connection", in_now);
  } else if (SawUnreachable_) {
    Fail(TFault::Unreachable, LastConnectError_, "no address could be reached", in_now);
  } else {
    Fail(TFault::NoAnswer, LastConnectError_ ? LastConnectError_ : WSAETIMEDOUT, "no address answered", in_now);
  }
}

void TNetSession::ConnectFailed(int in_error, uint32_t in_now) {
  LastConnectError_ = in_error;
  if (in_error == WSAECONNREFUSED) SawRefused_ = true;
  if (in_error == WSAENETUNREACH || in_error == WSAEHOSTUNREACH || in_error == WSAEADDRNOTAVAIL ||
      in_error == WSAENETDOWN || in_error == WSAEAFNOSUPPORT)
    SawUnreachable_ = true;
  Link_.reset();
  TryNextAddress(in_now);
}

// ---------------------------------------------------------------------------
// Both

bool TNetSession::Handle(const TMessage& in_message, uint32_t in_now) {
  NetTrace("session: hears %s, turn %d (in state %d; next turn %d, awaiting the digest of %d)",
           KindName(in_message.Kind), static_cast<int>(in_message.Turn), static_cast<int>(State_),
           static_cast<int>(NextTurn_), static_cast<int>(AwaitedTurn_));
  if (in_message.Kind == TKind::Bye) {
    switch (in_message.Bye) {
      case TByeReason::Left: Fail(TFault::PeerLeft, 0, "the other player left", in_now); break;
      case TByeReason::Mismatch: Fail(TFault::Mismatch, 0, "the other copy found the positions differ", in_now); break;
      case TByeReason::Broken: Fail(TFault::Garbage, 0, "the other copy found this one's messages wrong", in_now); break;
      case TByeReason::GameOver:
        if (State_ == TState::Playing && Orders_.empty() && AwaitedTurn_ < 0) {
          State_ = TState::Finished;
          Retire(std::move(Link_), in_now);
        } else {
          Fail(TFault::Disconnected, 0, "the other copy ended the game before this one", in_now);
        }
        break;
    }
    return false;
  }
  auto garbage = [&](const char* in_what) {
    Fail(TFault::Garbage, 0, in_what, in_now, true, TByeReason::Broken);
    return false;
  };
  switch (State_) {
    case TState::Greeting:
      if (in_message.Kind == TKind::Refuse) {
        PeerProgram_ = in_message.Program;
        Fail(FaultOf(in_message.Refusal), 0, "the host refused", in_now);
        return false;
      }
      if (!Greeted_) {
        if (in_message.Kind != TKind::Hello) return garbage("a host that does not greet");
        // Another protocol's hello is read for its version alone.
        if (in_message.Protocol != kProtocolVersion) {
          Fail(TFault::WrongProtocol, 0, "the host speaks another protocol", in_now);
          return false;
        }
        if (!in_message.FromHost) return garbage("a host that greets as a guest");
        PeerProgram_ = in_message.Program;
        if (in_message.Program != ProgramVersion()) {
          Fail(TFault::WrongProgram, 0, "the host is another version", in_now);
          return false;
        }
        if (in_message.Code != Code_) return garbage("a host greeting with another code");
        MapDigest_ = in_message.MapDigest;
        Greeted_ = true;
        return true;
      }
      if (in_message.Kind != TKind::Start) return garbage("a host that sends no start");
      if (DigestOf(in_message.Map) != MapDigest_) return garbage("a map that is not the one greeted with");
      Start_ = in_message;
      LocalSide_ = in_message.GuestSide;
      State_ = TState::Loading;
      return true;
    case TState::Waiting:
      if (in_message.Kind != TKind::Ready) return garbage("a guest that is not ready");
      if (in_message.Turn != Setup_.StartTurn || in_message.WorldDigest != Setup_.StartDigest) {
        Fail(TFault::Mismatch, 0, "the guest's map is not the host's", in_now, true, TByeReason::Mismatch);
        return false;
      }
      State_ = TState::Playing;
      return true;
    case TState::Playing:
      if (in_message.Kind == TKind::Order) {
        if (in_message.Turn != NextTurn_ || (NextTurn_ & 1) == LocalSide_ || !Orders_.empty())
          return garbage("an order out of turn");
        Orders_.push_back(in_message);
        NextTurn_ = TurnAfter(NextTurn_);
        return true;
      }
      if (in_message.Kind == TKind::Digest) {
        if (AwaitedTurn_ < 0 || in_message.Turn != AwaitedTurn_) return garbage("a digest of no order");
        if (in_message.WorldDigest != AwaitedDigest_) {
          Fail(TFault::Mismatch, 0, "the positions differ after this copy's order", in_now, true,
               TByeReason::Mismatch);
          return false;
        }
        AwaitedTurn_ = -1;
        TryFinish(in_now);
        return true;
      }
      return garbage("a message that has no place in play");
    default:
      return garbage("a message before its time");
  }
}

void TNetSession::Serve(uint32_t in_now) {
  if (!Link_) return;
  if (State_ == TState::Connecting) {
    if (Link_->ConnectFailed()) return ConnectFailed(Link_->ConnectError(), in_now);
    if (!Link_->Connected()) return;
    State_ = TState::Greeting;
    GreetingSince_ = in_now;
    Link_->Send(Hello(false, Code_, 0), in_now);
  }
  TMessage message;
  while (Link_ && Link_->Next(message))
    if (!Handle(message, in_now)) break;
  if (!Link_) return;
  if (Link_->Broken()) {
    Fail(TFault::Garbage, 0, Link_->Problem(), in_now, true, TByeReason::Broken);
  } else if (Link_->Closed()) {
    Fail(TFault::Disconnected, Link_->CloseError(), "the connection closed", in_now);
  }
}

void TNetSession::OnSocketMessage(UINT in_message, WPARAM in_wParam, LPARAM in_lParam, uint32_t in_now) {
  if (in_message < Message_ || in_message >= Message_ + kMessages) return;
  const auto s = static_cast<SOCKET>(in_wParam);
  const int event = WSAGETSELECTEVENT(in_lParam);
  const int error = WSAGETSELECTERROR(in_lParam);
  auto ours = [&](const TNetLink& in_link) { return in_link.Socket() == s && in_link.Message() == in_message; };
  for (const TListener& listener : Listeners_) {
    if (listener.Socket == s && in_message == Message_) {
      if (event == FD_ACCEPT) Accept(in_now);
      // The new guest may have greeted already.
      ServeGuest(in_now);
      return;
    }
  }
  if (Candidate_ && ours(*Candidate_)) {
    Candidate_->OnEvent(event, error, in_now);
    ServeGuest(in_now);
    return;
  }
  if (Link_ && ours(*Link_)) {
    Link_->OnEvent(event, error, in_now);
    Serve(in_now);
    return;
  }
  for (auto it = Closing_.begin(); it != Closing_.end(); ++it) {
    if (!ours(*it->Link)) continue;
    it->Link->OnEvent(event, error, in_now);
    TMessage dropped;
    while (it->Link->Next(dropped)) {
    }
    if (it->Link->Closed() || it->Link->Broken()) Closing_.erase(it);
    return;
  }
}

void TNetSession::CheckLink(TNetLink& in_link, uint32_t in_now) {
  if (!in_link.Connected() || in_link.Closed()) return;
  if (Passed(in_now, in_link.LastHeard(), kSilenceMs)) {
    Fail(TFault::Silent, 0, "nothing heard from the other copy", in_now);
    return;
  }
  if (in_link.Queued() > 0 && Passed(in_now, in_link.LastProgress(), kSilenceMs)) {
    Fail(TFault::Silent, 0, "the other copy takes nothing more", in_now);
    return;
  }
  if (Passed(in_now, in_link.LastSent(), kKeepAliveMs)) in_link.Send(KeepAlive(), in_now);
}

void TNetSession::Tick(uint32_t in_now) {
  if (Paused_ && static_cast<int32_t>(in_now - PausedUntil_) >= 0) Paused_ = false;
  if (Candidate_ && Passed(in_now, CandidateSince_, kHelloMs)) {
    ++TurnedAway_;
    Candidate_.reset();
  }
  if (State_ == TState::Connecting && Lookup_ && Lookup_->Done()) {
    const int error = Lookup_->Error();
    Addresses_ = Lookup_->Addresses();
    Lookup_.reset();
    if (Addresses_.empty()) {
      Fail(TFault::NameNotFound, error, "the name was not found", in_now);
      return;
    }
    TryNextAddress(in_now);
  }
  if (State_ == TState::Connecting && Link_ && !Link_->Connected() && Passed(in_now, ConnectSince_, kConnectMs))
    ConnectFailed(WSAETIMEDOUT, in_now);
  if (State_ == TState::Greeting && !Greeted_ && Passed(in_now, GreetingSince_, kHelloMs)) {
    Fail(TFault::NoAnswer, 0, "the host did not greet", in_now);
    return;
  }
  if (Link_) CheckLink(*Link_, in_now);
  for (auto it = Closing_.begin(); it != Closing_.end();) {
    if (it->Link->Closed() || it->Link->Broken() || Passed(in_now, it->Since, kClosingMs)) {
      it = Closing_.erase(it);
    } else {
      ++it;
    }
  }
}

// ---------------------------------------------------------------------------
// The game

void TNetSession::Loaded(int32_t in_turn, uint64_t in_digest, uint32_t in_now) {
  if (State_ != TState::Loading || !Link_) return;
  Start_.Map = std::string();
  NextTurn_ = in_turn;
  Link_->Send(Ready(in_turn, in_digest), in_now);
  State_ = TState::Playing;
}

void TNetSession::MapRefused(uint32_t in_now) {
  Fail(TFault::BadMap, 0, "the host's map does not read", in_now, true, TByeReason::Broken);
}

bool TNetSession::SendOrder(int32_t in_turn, const TNetOrder& in_order, uint64_t in_digest, uint32_t in_now) {
  if (!Link_ || !LocalTurn() || !Orders_.empty() || in_turn != NextTurn_) return false;
  Link_->Send(OrderMessage(in_turn, in_order, in_digest), in_now);
  AwaitedTurn_ = in_turn;
  AwaitedDigest_ = in_digest;
  NextTurn_ = TurnAfter(in_turn);
  return true;
}

bool TNetSession::PeekOrder(TMessage& out_order) const {
  if (State_ != TState::Playing || Orders_.empty()) return false;
  out_order = Orders_.front();
  return true;
}

void TNetSession::Replayed(int32_t in_turn, uint64_t in_digest, uint32_t in_now) {
  if (State_ != TState::Playing || Orders_.empty() || Orders_.front().Turn != in_turn) return;
  const uint64_t theirs = Orders_.front().WorldDigest;
  Orders_.pop_front();
  if (theirs != in_digest) {
    Fail(TFault::Mismatch, 0, "the positions differ after the other copy's order", in_now, true,
         TByeReason::Mismatch);
    return;
  }
  if (Link_) Link_->Send(DigestMessage(in_turn, in_digest), in_now);
  TryFinish(in_now);
}

void TNetSession::ReplayFailed(uint32_t in_now) {
  if (State_ != TState::Playing || Orders_.empty()) return;
  Fail(TFault::Mismatch, 0, "the other copy's order cannot be carried out here", in_now, true, TByeReason::Mismatch);
}

void TNetSession::Finish(uint32_t in_now) {
  FinishWanted_ = true;
  TryFinish(in_now);
}

void TNetSession::TryFinish(uint32_t in_now) {
  if (!FinishWanted_ || State_ != TState::Playing || AwaitedTurn_ >= 0 || !Orders_.empty()) return;
  if (Link_) Link_->Send(Bye(TByeReason::GameOver), in_now);
  State_ = TState::Finished;
  Retire(std::move(Link_), in_now);
}

}  // namespace NNet
