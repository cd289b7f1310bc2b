#pragma once
// Two network sessions in one test process, both reporting to the socket
// fixture's window, over 127.0.0.1 or ::1: a host, a guest, and a small
// stand-in for the world each side keeps (its digest follows every order
// carried out), so that whole games and their faults play out without the
// game's screens. The sessions' clock is the system's plus a shift the test
// moves, so that time-outs of many seconds pass at once.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "net/NetProtocol.h"
#include "net/TNetDecoder.h"
#include "net/TNetSession.h"
#include "support/SocketTestSupport.h"

// What each side of a test game keeps: the orders carried out, in turn, and
// a digest of them, as a world's would follow them. A side may be made to
// differ from a given turn on, as a copy whose rules went another way would.
struct TTestWorld {
  int32_t Turn = 0;
  uint64_t Digest = 0x4B524D42;
  std::vector<NNet::TNetOrder> Orders;
  int32_t DivergeAt = -1;

  void Apply(const NNet::TNetOrder& in_order) {
    std::string bytes = NNet::Encode(NNet::OrderMessage(Turn, in_order, Digest));
    if (Turn == DivergeAt) bytes += "another way";
    Digest = NNet::DigestOf(bytes);
    Orders.push_back(in_order);
    ++Turn;
  }
};

class NetSessionTest : public SocketTest {
 protected:
  static constexpr uint32_t kCode = 482913;
  static constexpr uint32_t kSeed = 20261209;

  void SetUp() override {
    SocketTest::SetUp();
    host_ = std::make_unique<NNet::TNetSession>(window_, kSocketMessage);
    guest_ = std::make_unique<NNet::TNetSession>(window_, kSocketMessage);
  }

  void TearDown() override {
    host_.reset();
    guest_.reset();
    SocketTest::TearDown();
  }

  // The sessions' clock.
  uint32_t Now() const { return timeGetTime() + shift_; }
  // Moves the sessions' clock on at once, and lets them look at it.
  void Shift(uint32_t in_ms) {
    shift_ += in_ms;
    Tick();
  }

  void Tick() {
    if (host_) host_->Tick(Now());
    if (guest_) guest_->Tick(Now());
    for (NNet::TNetSession* other : others_) other->Tick(Now());
  }

  void OnSocketMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (host_) host_->OnSocketMessage(message, wParam, lParam, Now());
    if (guest_) guest_->OnSocketMessage(message, wParam, lParam, Now());
    for (NNet::TNetSession* other : others_) other->OnSocketMessage(message, wParam, lParam, Now());
  }

  // Runs the loop, ticking the sessions, until done holds or 10 s pass.
  bool Until(const std::function<bool()>& in_done, DWORD in_ms = 10000) {
    return PumpUntil(
        [&] {
          Tick();
          return in_done();
        },
        in_ms);
  }

  // A setup of the host on a free loopback port; the map is any bytes here,
  // as the session does not read it.
  NNet::TNetSession::THostSetup Setup(int32_t in_hostSide = 0, int32_t in_startTurn = 0) const {
    NNet::TNetSession::THostSetup setup;
    setup.LoopbackOnly = true;
    setup.Code = kCode;
    setup.Map = "3\r\n\"Red Baron\"\r\n\"Blue Duke\"\r\n[1 1]\r\n<[0 0]PNUN>\r\n\r\n";
    setup.HostSide = in_hostSide;
    setup.Seed = kSeed;
    setup.StartTurn = in_startTurn;
    setup.StartDigest = 0xFEEDFACE;
    return setup;
  }

  // Hosts, joins at in_address with in_code, and loads the start on the guest:
  // both play. Answers whether they came that far.
  bool Connect(const char* in_address = "127.0.0.1", int32_t in_hostSide = 0, int32_t in_startTurn = 0) {
    if (!host_->Host(Setup(in_hostSide, in_startTurn), Now())) return false;
    guest_->Join(in_address, host_->Port(), kCode, Now());
    if (!Until([&] { return guest_->State() == NNet::TNetSession::TState::Loading; })) return false;
    guest_->Loaded(in_startTurn, 0xFEEDFACE, Now());
    return Until([&] {
      return host_->State() == NNet::TNetSession::TState::Playing &&
             guest_->State() == NNet::TNetSession::TState::Playing;
    });
  }

  // Carries out what can be done on one side now: the peer's order replayed,
  // or this side's next order from the script given. Once the whole script
  // is carried out the game is over on this side.
  void Drive(NNet::TNetSession& io_session, TTestWorld& io_world, const std::vector<NNet::TNetOrder>& in_script) {
    if (io_session.State() != NNet::TNetSession::TState::Playing) return;
    NNet::TMessage order;
    if (io_session.PeekOrder(order)) {
      io_world.Apply(order.Order);
      io_session.Replayed(order.Turn, io_world.Digest, Now());
    } else if (io_session.LocalTurn() && io_world.Orders.size() < in_script.size()) {
      const int32_t turn = io_session.NextTurn();
      io_world.Apply(in_script[io_world.Orders.size()]);
      EXPECT_TRUE(io_session.SendOrder(turn, io_world.Orders.back(), io_world.Digest, Now()));
    }
    if (io_world.Orders.size() == in_script.size()) io_session.Finish(Now());
  }

  // Plays the script out between the two sides, or until both stopped.
  bool PlayOut(const std::vector<NNet::TNetOrder>& in_script, DWORD in_ms = 20000) {
    using TState = NNet::TNetSession::TState;
    auto over = [](const NNet::TNetSession& in_session) {
      return in_session.State() == TState::Finished || in_session.State() == TState::Failed ||
             in_session.State() == TState::Idle;
    };
    return Until(
        [&] {
          Drive(*host_, hostWorld_, in_script);
          Drive(*guest_, guestWorld_, in_script);
          return over(*host_) && over(*guest_);
        },
        in_ms);
  }

  // A script of in_count orders of every kind.
  static std::vector<NNet::TNetOrder> Script(int in_count) {
    std::vector<NNet::TNetOrder> script;
    for (int i = 0; i < in_count; ++i) {
      NNet::TNetOrder order;
      switch (i % 4) {
        case 0:
          order.Kind = NNet::TOrderKind::Move;
          order.From = {i % 9, 3};
          order.To = {i % 9 + 2, 4};
          break;
        case 1: order.Kind = NNet::TOrderKind::Pass; break;
        case 2:
          order.Kind = NNet::TOrderKind::Move;
          order.From = {4, 4000};
          order.To = {4095, 0};
          order.Stopped = true;
          order.StopCell = {5, 3999};
          break;
        default:
          order.Kind = NNet::TOrderKind::NoRoute;
          order.From = {i, i};
          break;
      }
      script.push_back(order);
    }
    return script;
  }

  // A raw socket connected to the host's port, as a peer that speaks no
  // protocol (or a wrong one) would be; INVALID_SOCKET if it did not connect.
  SOCKET RawPeer(int in_family = AF_INET) {
    const SOCKET s = ConnectTo(in_family, host_->Port(), FD_CONNECT | FD_CLOSE);
    if (s == INVALID_SOCKET) return s;
    if (!Until([&] { return Saw(s, FD_CONNECT); }) || ErrorOf(s, FD_CONNECT) != 0) return INVALID_SOCKET;
    return s;
  }

  // Sends all of in_bytes on a raw socket (loopback takes small amounts at once).
  bool SendRaw(SOCKET in_socket, const std::string& in_bytes) {
    size_t sent = 0;
    for (int i = 0; i < 1000 && sent < in_bytes.size(); ++i) {
      const int n = send(in_socket, in_bytes.data() + sent, static_cast<int>(in_bytes.size() - sent), 0);
      if (n > 0) sent += static_cast<size_t>(n);
      else if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
      else PumpFor(5);
    }
    return sent == in_bytes.size();
  }

  // The messages a raw socket reads within in_ms (until the stream ends or breaks).
  std::vector<NNet::TMessage> ReadRaw(SOCKET in_socket, size_t in_count, DWORD in_ms = 5000) {
    NNet::TNetDecoder decoder(true);
    std::vector<NNet::TMessage> messages;
    PumpUntil(
        [&] {
          Tick();
          char buffer[4096];
          for (;;) {
            const int n = recv(in_socket, buffer, static_cast<int>(sizeof buffer), 0);
            if (n <= 0) break;
            decoder.Feed(buffer, static_cast<size_t>(n));
          }
          NNet::TMessage message;
          while (decoder.Next(message) == NNet::TNetDecoder::TResult::Message)
            if (message.Kind != NNet::TKind::KeepAlive) messages.push_back(message);
          return messages.size() >= in_count || decoder.Broken();
        },
        in_ms);
    return messages;
  }

  std::unique_ptr<NNet::TNetSession> host_;
  std::unique_ptr<NNet::TNetSession> guest_;
  // More sessions on the same window, as a test adds them.
  std::vector<NNet::TNetSession*> others_;
  TTestWorld hostWorld_;
  TTestWorld guestWorld_;
  uint32_t shift_ = 0;
};
