// Network sessions over loopback: whole games between a host and a guest in
// one process, the digests that prove both copies agree, and every way the
// other side can fail: a wrong code or version, garbage, frames too large or
// cut short, a peer that vanishes or goes quiet, a host nobody listens for.
#include <cctype>
#include <random>

#include "NetTestSupport.h"
#include "net/NetAddress.h"

using NNet::TFault;
using TState = NNet::TNetSession::TState;

namespace {

struct TPlace {
  const char* Address;
  int32_t HostSide;
  int32_t StartTurn;
};

std::string NameOf(const ::testing::TestParamInfo<TPlace>& in_info) {
  std::string name = in_info.param.Address;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name + "_host" + std::to_string(in_info.param.HostSide) + "_turn" + std::to_string(in_info.param.StartTurn);
}

// A frame's header: its length and kind, with no body after it.
std::string Header(uint32_t in_length, uint8_t in_kind) {
  std::string bytes;
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<char>((in_length >> shift) & 0xFF));
  bytes.push_back(static_cast<char>(in_kind));
  return bytes;
}

}  // namespace

class NetWholeGame : public NetSessionTest, public ::testing::WithParamInterface<TPlace> {};

TEST_P(NetWholeGame, BothSidesCarryOutTheSameOrdersAndFinishAgreeing) {
  const TPlace place = GetParam();
  ASSERT_TRUE(host_->Host(Setup(place.HostSide, place.StartTurn), Now())) << host_->FaultError();
  EXPECT_EQ(host_->State(), TState::Listening);
  ASSERT_NE(host_->Port(), 0);
  // As the player types it, the host's port being the one taken by default.
  NNet::THostAndPort typed;
  ASSERT_TRUE(NNet::ParseAddress(place.Address, host_->Port(), typed));
  guest_->Join(typed.Host, typed.Port, kCode, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Loading; }))
      << static_cast<int>(guest_->State()) << " " << guest_->Problem();

  // The start the guest loads: the host's map bytes, the seed, the other side.
  EXPECT_EQ(guest_->StartMessage().Map, Setup().Map);
  EXPECT_EQ(guest_->StartMessage().Seed, kSeed);
  EXPECT_EQ(guest_->StartMessage().GuestSide, 1 - place.HostSide);
  EXPECT_EQ(guest_->LocalSide(), 1 - place.HostSide);
  EXPECT_EQ(guest_->PeerProgram(), NNet::ProgramVersion());
  EXPECT_EQ(host_->State(), TState::Waiting);

  guest_->Loaded(place.StartTurn, 0xFEEDFACE, Now());
  ASSERT_TRUE(Until([&] { return host_->State() == TState::Playing; }));
  // The side whose turn the map's counter gives moves first.
  const bool hostFirst = (place.StartTurn & 1) == place.HostSide;
  EXPECT_EQ(host_->LocalTurn(), hostFirst);
  EXPECT_EQ(guest_->LocalTurn(), !hostFirst);

  const std::vector<NNet::TNetOrder> script = Script(61);
  ASSERT_TRUE(PlayOut(script));
  EXPECT_EQ(host_->State(), TState::Finished) << host_->Problem();
  EXPECT_EQ(guest_->State(), TState::Finished) << guest_->Problem();
  EXPECT_EQ(hostWorld_.Orders, script);
  EXPECT_EQ(guestWorld_.Orders, script);
  EXPECT_EQ(hostWorld_.Digest, guestWorld_.Digest);
  EXPECT_EQ(host_->TurnedAway(), 0);
}

INSTANTIATE_TEST_SUITE_P(Loopback, NetWholeGame,
                         ::testing::Values(TPlace{"127.0.0.1", 0, 0}, TPlace{"::1", 1, 0},
                                           TPlace{"[::1]", 0, 7}, TPlace{"localhost", 1, 2147483646}),
                         NameOf);

class NetMismatch : public NetSessionTest, public ::testing::WithParamInterface<bool> {};

TEST_P(NetMismatch, AWorldThatWentAnotherWayStopsBothSides) {
  const bool hostDiverges = GetParam();
  ASSERT_TRUE(Connect());
  (hostDiverges ? hostWorld_ : guestWorld_).DivergeAt = 6;
  ASSERT_TRUE(PlayOut(Script(40)));
  EXPECT_EQ(host_->State(), TState::Failed);
  EXPECT_EQ(guest_->State(), TState::Failed);
  EXPECT_EQ(host_->Fault(), TFault::Mismatch) << host_->Problem();
  EXPECT_EQ(guest_->Fault(), TFault::Mismatch) << guest_->Problem();
  // Found after the order that went another way, before another one was given.
  EXPECT_EQ(hostWorld_.Orders.size(), 7u);
  EXPECT_EQ(guestWorld_.Orders.size(), 7u);
}

INSTANTIATE_TEST_SUITE_P(EitherSide, NetMismatch, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& in_info) {
                           return in_info.param ? std::string("HostDiffers") : std::string("GuestDiffers");
                         });

using NetSession = NetSessionTest;

TEST_F(NetSession, AClosedSocketsLateMessagesAreNotTheNextConnectionsOnItsHandle) {
  // Windows gives a closed socket's handle to the next socket made, while
  // the old one's messages are still on their way: a first try that failed,
  // and then a late FD_CLOSE for every handle there could be, with the
  // messages the first try's connections reported with.
  ASSERT_TRUE(host_->Host(Setup(), Now()));
  guest_->Join("127.0.0.1", host_->Port(), kCode + 1, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Failed; }));
  Shift(NNet::TNetSession::kWrongCodePauseMs);
  guest_->Join("127.0.0.1", host_->Port(), kCode, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Loading; }));
  guest_->Loaded(0, 0xFEEDFACE, Now());
  ASSERT_TRUE(Until([&] { return host_->State() == TState::Playing; }));
  // Handles are multiples of four; this range holds every one the test made.
  for (UINT_PTR handle = 0; handle < 0x4000; handle += 4) {
    PostMessageA(window_, kSocketMessage + 1, handle, WSAMAKESELECTREPLY(FD_CLOSE, WSAECONNRESET));
    PostMessageA(window_, kSocketMessage, handle, WSAMAKESELECTREPLY(FD_CLOSE, WSAECONNRESET));
  }
  PumpFor(300);
  EXPECT_EQ(host_->State(), TState::Playing) << host_->Problem();
  EXPECT_EQ(guest_->State(), TState::Playing) << guest_->Problem();
  EXPECT_TRUE(PlayOut(Script(9)));
  EXPECT_EQ(host_->State(), TState::Finished);
}

TEST_F(NetSession, AnOrderThatCannotBeReplayedStopsBothSides) {
  ASSERT_TRUE(Connect());
  ASSERT_TRUE(host_->SendOrder(host_->NextTurn(), Script(1)[0], 5, Now()));
  NNet::TMessage order;
  ASSERT_TRUE(Until([&] { return guest_->PeekOrder(order); }));
  guest_->ReplayFailed(Now());
  EXPECT_EQ(guest_->Fault(), TFault::Mismatch);
  ASSERT_TRUE(Until([&] { return host_->State() == TState::Failed; }));
  EXPECT_EQ(host_->Fault(), TFault::Mismatch);
}

TEST_F(NetSession, TheGuestsMapMustBeTheHostsBeforePlayBegins) {
  ASSERT_TRUE(host_->Host(Setup(), Now()));
  guest_->Join("127.0.0.1", host_->Port(), kCode, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Loading; }));
  guest_->Loaded(0, 0xBADF00D, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Failed; }));
  EXPECT_EQ(host_->Fault(), TFault::Mismatch);
  EXPECT_EQ(guest_->Fault(), TFault::Mismatch);
}

TEST_F(NetSession, AGuestThatCannotReadTheMapEndsTheGameOnBothSides) {
  ASSERT_TRUE(host_->Host(Setup(), Now()));
  guest_->Join("127.0.0.1", host_->Port(), kCode, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Loading; }));
  guest_->MapRefused(Now());
  EXPECT_EQ(guest_->Fault(), TFault::BadMap);
  ASSERT_TRUE(Until([&] { return host_->State() == TState::Failed; }));
  EXPECT_EQ(host_->Fault(), TFault::Garbage);
}

TEST_F(NetSession, AWrongCodeIsRefusedAndTheHostWaitsOnForTheRightOne) {
  ASSERT_TRUE(host_->Host(Setup(), Now()));
  guest_->Join("127.0.0.1", host_->Port(), kCode + 1, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Failed; }));
  EXPECT_EQ(guest_->Fault(), TFault::WrongCode);
  EXPECT_EQ(host_->State(), TState::Listening);
  EXPECT_EQ(host_->TurnedAway(), 1);

  // Right after a wrong code the host hears nobody, so codes cannot be tried
  // one after another; the right one is heard once the pause is over.
  guest_->Join("127.0.0.1", host_->Port(), kCode, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Failed; }));
  EXPECT_EQ(guest_->Fault(), TFault::Disconnected);
  EXPECT_EQ(host_->TurnedAway(), 2);
  Shift(NNet::TNetSession::kWrongCodePauseMs);
  guest_->Join("127.0.0.1", host_->Port(), kCode, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Loading; })) << guest_->Problem();
}

TEST_F(NetSession, AHostOfAnotherProtocolOrProgramIsNamedAsSuch) {
  for (const bool otherProtocol : {true, false}) {
    SCOPED_TRACE(otherProtocol ? "another protocol" : "another program");
    const SOCKET listener = Listen(AF_INET, FD_ACCEPT);
    ASSERT_NE(listener, INVALID_SOCKET);
    guest_->Join("127.0.0.1", PortOf(listener), kCode, Now());
    ASSERT_TRUE(Until([&] { return Saw(listener, FD_ACCEPT); }));
    const SOCKET fake = accept(listener, nullptr, nullptr);
    ASSERT_NE(fake, INVALID_SOCKET);
    sockets_.push_back(fake);
    const std::vector<NNet::TMessage> hello = ReadRaw(fake, 1);
    ASSERT_EQ(hello.size(), 1u);
    EXPECT_EQ(hello[0].Kind, NNet::TKind::Hello);
    EXPECT_FALSE(hello[0].FromHost);
    EXPECT_EQ(hello[0].Code, kCode);

    NNet::TMessage answer = NNet::Hello(true, kCode, 0);
    if (otherProtocol) answer.Protocol = NNet::kProtocolVersion + 1;
    else answer.Program = "0.0-other";
    ASSERT_TRUE(SendRaw(fake, NNet::Encode(answer)));
    ASSERT_TRUE(Until([&] { return guest_->State() == TState::Failed; }));
    EXPECT_EQ(guest_->Fault(), otherProtocol ? TFault::WrongProtocol : TFault::WrongProgram);
    if (!otherProtocol) {
      EXPECT_EQ(guest_->PeerProgram(), "0.0-other");
    }
  }
}

TEST_F(NetSession, AGuestOfAnotherProtocolOrProgramIsRefusedWithTheReason) {
  ASSERT_TRUE(host_->Host(Setup(), Now()));
  for (const bool otherProtocol : {true, false}) {
    SCOPED_TRACE(otherProtocol ? "another protocol" : "another program");
    const SOCKET peer = RawPeer();
    ASSERT_NE(peer, INVALID_SOCKET);
    NNet::TMessage hello = NNet::Hello(false, kCode, 0);
    if (otherProtocol) hello.Protocol = 9;
    else hello.Program = "0.0-other";
    ASSERT_TRUE(SendRaw(peer, NNet::Encode(hello)));
    const std::vector<NNet::TMessage> answer = ReadRaw(peer, 1);
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0].Kind, NNet::TKind::Refuse);
    EXPECT_EQ(answer[0].Refusal, otherProtocol ? NNet::TRefusal::WrongProtocol : NNet::TRefusal::WrongProgram);
    EXPECT_EQ(answer[0].Program, NNet::ProgramVersion());
  }
  EXPECT_EQ(host_->State(), TState::Listening);
  EXPECT_EQ(host_->TurnedAway(), 2);
}

TEST_F(NetSession, GarbageOversizedAndCutFramesToTheHostAreTurnedAwayAndItWaitsOn) {
  ASSERT_TRUE(host_->Host(Setup(), Now()));
  std::mt19937 random(21);
  std::string noise(3000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string attempts[] = {
      noise,
      // A start, which no guest sends, claiming the largest map.
      Header(0xFFFFFFFF, 3),
      // A hello claiming far more than any hello has.
      Header(1 << 30, 1),
      // The first half of a right hello, then the end of the stream.
      NNet::Encode(NNet::Hello(false, kCode, 0)).substr(0, 11),
  };
  int32_t turnedAway = 0;
  for (const std::string& attempt : attempts) {
    const SOCKET peer = RawPeer(turnedAway % 2 ? AF_INET6 : AF_INET);
    ASSERT_NE(peer, INVALID_SOCKET);
    ASSERT_TRUE(SendRaw(peer, attempt));
    if (attempt.size() == 11) {
      shutdown(peer, SD_SEND);
    }
    ++turnedAway;
    ASSERT_TRUE(Until([&] { return host_->TurnedAway() == turnedAway; })) << turnedAway;
    EXPECT_EQ(host_->State(), TState::Listening);
  }
  // A guest that connects and never greets is dropped after the hello's time.
  const SOCKET quiet = RawPeer();
  ASSERT_NE(quiet, INVALID_SOCKET);
  PumpFor(50);
  Shift(NNet::kHelloMs);
  EXPECT_EQ(host_->TurnedAway(), turnedAway + 1);

  // The real guest is still welcome.
  guest_->Join("127.0.0.1", host_->Port(), kCode, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Loading; })) << guest_->Problem();
}

TEST_F(NetSession, AHostSendingGarbageOversizedOrCutFramesEndsTheGuestsSession) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool Close;
    TFault Fault;
  };
  std::mt19937 random(2026);
  std::string noise(5000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::string hello = NNet::Encode(NNet::Hello(true, kCode, NNet::DigestOf("map")));
  const std::string start = NNet::Encode(NNet::Start(1, 1, "map"));
  const TCase cases[] = {
      {"noise", noise, false, TFault::Garbage},
      {"a map beyond the limit", hello + Header(NNet::kMaxMapBytes + 11, 3), false, TFault::Garbage},
      {"a kind there is not", hello + Header(5, 99) + "abcd", false, TFault::Garbage},
      {"a start cut short", hello + start.substr(0, start.size() - 2), true, TFault::Disconnected},
      {"another code", NNet::Encode(NNet::Hello(true, kCode + 1, 0)), false, TFault::Garbage},
      {"another map than greeted with", hello + NNet::Encode(NNet::Start(1, 1, "other")), false, TFault::Garbage},
      {"an order before the start", hello + NNet::Encode(NNet::OrderMessage(0, {}, 0)), false, TFault::Garbage},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const SOCKET listener = Listen(AF_INET6, FD_ACCEPT);
    ASSERT_NE(listener, INVALID_SOCKET);
    guest_->Join("::1", PortOf(listener), kCode, Now());
    ASSERT_TRUE(Until([&] { return Saw(listener, FD_ACCEPT); }));
    const SOCKET fake = accept(listener, nullptr, nullptr);
    ASSERT_NE(fake, INVALID_SOCKET);
    sockets_.push_back(fake);
    ASSERT_EQ(ReadRaw(fake, 1).size(), 1u);
    ASSERT_TRUE(SendRaw(fake, c.Bytes));
    if (c.Close) shutdown(fake, SD_SEND);
    ASSERT_TRUE(Until([&] { return guest_->State() == TState::Failed; }));
    EXPECT_EQ(guest_->Fault(), c.Fault) << guest_->Problem();
  }
}

TEST_F(NetSession, APeerThatVanishesMidGameIsSeenAsGone) {
  for (const bool guestVanishes : {true, false}) {
    SCOPED_TRACE(guestVanishes ? "the guest vanishes" : "the host vanishes");
    host_ = std::make_unique<NNet::TNetSession>(window_, kSocketMessage);
    guest_ = std::make_unique<NNet::TNetSession>(window_, kSocketMessage);
    hostWorld_ = guestWorld_ = TTestWorld{};
    ASSERT_TRUE(Connect());
    // A few orders, then one side is gone without a word, as a killed program is.
    const std::vector<NNet::TNetOrder> script = Script(5);
    ASSERT_TRUE(Until([&] {
      Drive(*host_, hostWorld_, script);
      Drive(*guest_, guestWorld_, script);
      return guestWorld_.Orders.size() == 3;
    }));
    std::unique_ptr<NNet::TNetSession>& left = guestVanishes ? host_ : guest_;
    (guestVanishes ? guest_ : host_).reset();
    ASSERT_TRUE(Until([&] { return left->State() == TState::Failed; }));
    EXPECT_EQ(left->Fault(), TFault::Disconnected) << left->Problem();
  }
}

TEST_F(NetSession, APlayerWhoLeavesIsToldToTheOther) {
  ASSERT_TRUE(Connect("::1"));
  guest_->Leave(Now());
  EXPECT_EQ(guest_->State(), TState::Idle);
  ASSERT_TRUE(Until([&] { return host_->State() == TState::Failed; }));
  EXPECT_EQ(host_->Fault(), TFault::PeerLeft);
}

TEST_F(NetSession, KeepAlivesHoldAQuietGameAndSilenceEndsIt) {
  ASSERT_TRUE(Connect());
  // A minute of thinking: nothing but keep-alives goes either way.
  for (int i = 0; i < 15; ++i) {
    Shift(4000);
    PumpFor(30);
  }
  EXPECT_EQ(host_->State(), TState::Playing) << host_->Problem();
  EXPECT_EQ(guest_->State(), TState::Playing) << guest_->Problem();

  // The guest's program stalls: its socket stays open, nothing comes from it.
  // The silence counts from its last keep-alive, which went out at most
  // kKeepAliveMs before.
  std::unique_ptr<NNet::TNetSession> stalled = std::move(guest_);
  Shift(NNet::kSilenceMs - NNet::kKeepAliveMs - 1000);
  PumpFor(30);
  EXPECT_EQ(host_->State(), TState::Playing) << host_->Problem();
  Shift(NNet::kKeepAliveMs + 1000);
  EXPECT_EQ(host_->State(), TState::Failed);
  EXPECT_EQ(host_->Fault(), TFault::Silent);
}

TEST_F(NetSession, AGuestThatGreetsAndThenStallsIsGivenUp) {
  ASSERT_TRUE(host_->Host(Setup(), Now()));
  const SOCKET peer = RawPeer();
  ASSERT_NE(peer, INVALID_SOCKET);
  ASSERT_TRUE(SendRaw(peer, NNet::Encode(NNet::Hello(false, kCode, 0))));
  ASSERT_TRUE(Until([&] { return host_->State() == TState::Waiting; }));
  Shift(NNet::kSilenceMs);
  EXPECT_EQ(host_->State(), TState::Failed);
  EXPECT_EQ(host_->Fault(), TFault::Silent);
}

TEST_F(NetSession, AHostThatNeverGreetsIsGivenUp) {
  const SOCKET listener = Listen(AF_INET, FD_ACCEPT);
  ASSERT_NE(listener, INVALID_SOCKET);
  guest_->Join("127.0.0.1", PortOf(listener), kCode, Now());
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Greeting; }));
  Shift(NNet::kHelloMs);
  EXPECT_EQ(guest_->State(), TState::Failed);
  EXPECT_EQ(guest_->Fault(), TFault::NoAnswer);
}

TEST_F(NetSession, NobodyListeningIsARefusalAndACancelledHostListensNoMore) {
  ASSERT_TRUE(host_->Host(Setup(), Now()));
  const uint16_t port = host_->Port();
  host_->Leave(Now());
  EXPECT_EQ(host_->State(), TState::Idle);
  guest_->Join("127.0.0.1", port, kCode, Now());
  // Windows tries a refused connection again for a second or two.
  ASSERT_TRUE(Until([&] { return guest_->State() == TState::Failed; }, 15000));
  EXPECT_EQ(guest_->Fault(), TFault::Refused);
  EXPECT_EQ(guest_->FaultError(), WSAECONNREFUSED);
}

TEST_F(NetSession, ASecondGuestFindsTheGameTaken) {
  ASSERT_TRUE(Connect());
  NNet::TNetSession second(window_, kSocketMessage);
  others_.push_back(&second);
  second.Join("127.0.0.1", host_->Port(), kCode, Now());
  // Windows tries a refused connection again for a second or two.
  ASSERT_TRUE(Until([&] { return second.State() == TState::Failed; }, 15000));
  EXPECT_EQ(second.Fault(), TFault::Refused);
  EXPECT_EQ(host_->State(), TState::Playing);
  EXPECT_EQ(guest_->State(), TState::Playing);
  others_.clear();
}

TEST_F(NetSession, OrdersOutOfTurnAreRefusedOnBothEnds) {
  ASSERT_TRUE(Connect());
  ASSERT_TRUE(host_->LocalTurn());
  // The guest cannot give an order on the host's turn, nor the host one for another turn.
  EXPECT_FALSE(guest_->SendOrder(guest_->NextTurn(), NNet::TNetOrder{}, 1, Now()));
  EXPECT_FALSE(host_->SendOrder(host_->NextTurn() + 1, NNet::TNetOrder{}, 1, Now()));
  ASSERT_TRUE(host_->SendOrder(host_->NextTurn(), NNet::TNetOrder{}, 1, Now()));
  EXPECT_FALSE(host_->LocalTurn());
  EXPECT_TRUE(host_->AwaitingDigest());
  ASSERT_TRUE(Until([&] {
    NNet::TMessage order;
    return guest_->PeekOrder(order);
  }));
  EXPECT_FALSE(guest_->LocalTurn()) << "the host's order is still to be replayed";
  guest_->Replayed(0, 1, Now());
  EXPECT_TRUE(guest_->LocalTurn());
  ASSERT_TRUE(Until([&] { return !host_->AwaitingDigest(); }));
}
