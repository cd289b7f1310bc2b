// The network game in the versus program, against a session of the other
// copy's protocol played by the test in the same process, over 127.0.0.1:
// the host's menu and waiting box with its code, the guest's menu with the
// address and code typed, orders sent with the world's digest, the other
// copy's orders replayed through the map (a stopped walk included), and the
// box with the saved position when the copies differ or the other one leaves.
#include <gtest/gtest.h>

#include "net/NetTexts.h"
#include "net/WorldDigest.h"
#include "platform/PlatformTest.h"
#include "shell/RandomNumber.h"
#include "support/FileBytes.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinBox.h"
#include "toolkit/TWinEdit.h"
#include "versus/TNetHostMenu.h"
#include "versus/TNetJoinMenu.h"
#include "versus/TNetWaitMenu.h"
#include "versus/VersusFixture.h"
#include "world/MapFile.h"
#include "world/TUnit.h"
#include "world/Utf8Text.h"

namespace {

constexpr UINT kPeerMessage = WM_USER + 77;
constexpr char kPeerClass[] = "VersusNetworkPeerClass";

NNet::TNetSession* Peer = nullptr;

LRESULT CALLBACK PeerProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= kPeerMessage && message < kPeerMessage + NNet::TNetSession::kMessages) {
    if (Peer) Peer->OnSocketMessage(message, wParam, lParam, timeGetTime());
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Sets an edit field's text as typing it would.
void Type(TWinEdit* in_edit, const std::wstring& in_text) {
  ASSERT_NE(in_edit, nullptr);
  in_edit->OnNotify(nullptr, in_edit, kNotifySetValue, reinterpret_cast<intptr_t>(&in_text), 0);
}

}  // namespace

class VersusNetworkTest : public VersusTest {
 protected:
  void SetUp() override {
    StartVersus();
    App().Net.SetLoopbackOnly(true);
    WSADATA data{};
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    WNDCLASSA wc{};
    wc.lpfnWndProc = &PeerProcedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kPeerClass;
    RegisterClassA(&wc);
    PeerWindow = CreateWindowExA(0, kPeerClass, "peer", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(PeerWindow, nullptr);
    Session = std::make_unique<NNet::TNetSession>(PeerWindow, kPeerMessage);
    Peer = Session.get();
  }

  void TearDown() override {
    Peer = nullptr;
    Session.reset();
    if (PeerWindow) DestroyWindow(PeerWindow);
    UnregisterClassA(kPeerClass, GetModuleHandleA(nullptr));
    WSACleanup();
  }

  // One frame: the messages the sockets posted to both windows, the peer's
  // time, then the program's tick.
  void Frame() {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) DispatchMessageA(&msg);
    Session->Tick(timeGetTime());
    Harness.Tick();
  }

  bool FramesUntil(const std::function<bool()>& in_done, int in_frames = 1500) {
    for (int i = 0; i < in_frames; ++i) {
      if (in_done()) return true;
      Frame();
    }
    return in_done();
  }

  // A free port on 127.0.0.1, for a host to listen on.
  static uint16_t FreePort() {
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(s);
    return ntohs(address.sin_port);
  }

  // The test's session hosts duel.map on 127.0.0.1 and ::1 with in_code, the
  // dice seeded with 77 on both sides, the guest moving first unless in_hostFirst.
  void HostDuel(uint32_t in_code, bool in_hostFirst = false) {
    CopySampleMap("duel.map");
    ASSERT_TRUE(ReadMapFile(L"duel.map"));
    NNet::TNetSession::THostSetup setup;
    setup.LoopbackOnly = true;
    setup.Code = in_code;
    setup.Map = WriteMapToBytes();
    setup.HostSide = in_hostFirst ? PlayerToMove() : 1 - PlayerToMove();
    setup.Seed = 77;
    setup.StartTurn = TurnCounter;
    SeedRandomNumber(77);
    setup.StartDigest = NNet::WorldDigest();
    ASSERT_TRUE(Session->Host(setup, timeGetTime()));
  }

  // "Подключиться" on the start menu, the address and the code typed, and
  // "Подключиться" in the join menu. Answers the join menu, which stays open
  // only when it refused what was typed; null (and a failure) without one.
  TNetJoinMenu* JoinWith(const std::wstring& in_address, const std::wstring& in_code) {
    ClickButton(StartMenu(), L"Подключиться");
    Harness.Tick();
    auto* menu = OnlyLive<TNetJoinMenu>();
    if (!menu) {
      ADD_FAILURE() << "no join menu";
      return nullptr;
    }
    Type(menu->AddressEdit(), in_address);
    Type(menu->CodeEdit(), in_code);
    ClickButton(menu, L"Подключиться");
    return menu;
  }

  // The fault box over the start menu, once it shows.
  TWinBox* FaultBox() {
    for (TWinBox* box : LiveOf<TWinBox>())
      if (box->Title == L"Ошибка") return box;
    return nullptr;
  }

  HWND PeerWindow = nullptr;
  std::unique_ptr<NNet::TNetSession> Session;
};

TEST_F(VersusNetworkTest, TheHostShowsItsCodeAndReplaysTheGuestsStoppedWalkThenADifferenceStopsTheGame) {
  // The host's menu: it plays second, on a port of its choice.
  ClickButton(StartMenu(), L"Создать сетевую игру");
  Harness.Tick();
  auto* menu = OnlyLive<TNetHostMenu>();
  ASSERT_NE(menu, nullptr);
  Choose(menu->Side(), 1);
  const uint16_t port = FreePort();
  Type(menu->PortEdit(), std::to_wstring(port));
  CopySampleMap("duel.map");
  ClickButton(menu, L"Выбрать карту");
  Harness.Tick();
  LoadRow(L"./duel.map");
  Harness.Tick();
  Harness.Tick();

  // The waiting box gives the port and the code to tell the other player.
  TNetWaitMenu* wait = TNetWaitMenu::Live();
  ASSERT_NE(wait, nullptr);
  const std::wstring text = wait->Text();
  EXPECT_NE(text.find(L"Порт: " + std::to_wstring(port)), std::wstring::npos) << std::string(text.begin(), text.end());
  const size_t codeAt = text.find(L"Код: ");
  ASSERT_NE(codeAt, std::wstring::npos);
  uint32_t code = 0;
  ASSERT_TRUE(NNet::ParseJoinCode(text.substr(codeAt + 5, 6), code));
  EXPECT_EQ(Map(), nullptr) << "no game before the guest comes";

  // The guest comes with the code; it gets the map, and plays first.
  const std::string map = WriteMapToBytes();
  Session->Join("127.0.0.1", port, code, timeGetTime());
  ASSERT_TRUE(FramesUntil([&] { return Session->State() == NNet::TNetSession::TState::Loading; }));
  EXPECT_EQ(Session->StartMessage().Map, map);
  EXPECT_EQ(Session->LocalSide(), PlayerToMove());
  SeedRandomNumber(Session->StartMessage().Seed);
  Session->Loaded(TurnCounter, NNet::WorldDigest(), timeGetTime());
  ASSERT_TRUE(FramesUntil([&] { return Map() != nullptr; }));
  EXPECT_EQ(TNetWaitMenu::Live(), nullptr);

  // The guest's walk from (1, 2) towards (5, 2), stopped on (3, 2); the
  // digest it sends is not the host's world's after it.
  const TUnit* mover = StackAt(1, 2);
  ASSERT_NE(mover, nullptr);
  NNet::TNetOrder order;
  order.Kind = NNet::TOrderKind::Move;
  order.From = {1, 2};
  order.To = {5, 2};
  order.Stopped = true;
  order.StopCell = {3, 2};
  ASSERT_TRUE(Session->SendOrder(TurnCounter, order, 12345, timeGetTime()));
  bool selected = false;
  bool routed = false;
  ASSERT_TRUE(FramesUntil([&] {
    if (Map()) {
      selected = selected || Map()->HasSelection;
      routed = routed || !Map()->Route.empty();
    }
    return FaultBox() != nullptr;
  })) << "turn " << TurnCounter << ", the program's session " << static_cast<int>(App().Net.Session()->State());
  EXPECT_TRUE(selected) << "the replay selects the stack as a person does";
  EXPECT_TRUE(routed) << "and shows its route";
  // The copies differ: the start menu, the box with the saved position.
  const std::wstring box = FaultBox()->Text;
  EXPECT_EQ(box, L"Позиции у игроков разошлись. Игра остановлена.\nПозиция сохранена в файл «Сеть01.map».");
  EXPECT_EQ(Map(), nullptr);
  ASSERT_TRUE(std::filesystem::exists(MapFilePath(L"Сеть01.map")));
  ReadMapFile(L"Сеть01.map");
  ASSERT_NE(MapCells, nullptr);
  EXPECT_NE(MapCells[3][2]->Unit, nullptr) << "the walk stopped where the guest stopped it";
  EXPECT_EQ(MapCells[5][2]->Unit, nullptr);
  EXPECT_EQ(TurnCounter, 1);
  ASSERT_TRUE(FramesUntil([&] { return Session->State() == NNet::TNetSession::TState::Failed; }));
  EXPECT_EQ(Session->Fault(), NNet::TFault::Mismatch);
}

TEST_F(VersusNetworkTest, TheGuestTypesAddressAndCodeSendsItsOrderWithTheDigestAndIsToldWhenTheHostLeaves) {
  // The host here: duel.map, the guest (the program) moving first.
  ASSERT_NO_FATAL_FAILURE(HostDuel(314159));

  // A code that is not six digits is refused before anything is sent.
  auto* menu = JoinWith(L"127.0.0.1:" + std::to_wstring(Session->Port()), L"3141");
  ASSERT_NE(menu, nullptr);
  ASSERT_NE(FaultBox(), nullptr);
  EXPECT_EQ(FaultBox()->Text, L"Код игры — шесть цифр.");
  ClickButton(FaultBox(), L"Ok");
  Harness.Tick();
  Type(menu->CodeEdit(), L"314159");
  ClickButton(menu, L"Подключиться");
  Harness.Tick();
  ASSERT_NE(TNetWaitMenu::Live(), nullptr);
  ASSERT_TRUE(FramesUntil([&] { return Map() != nullptr; }));
  ASSERT_TRUE(FramesUntil([&] { return Session->State() == NNet::TNetSession::TState::Playing; }));

  // The person plays the guest's first order on the map.
  const int32_t turn = TurnCounter;
  ClickCell(1, 2);
  HoverCell(5, 2);
  ClickCell(5, 2);
  NNet::TMessage sent;
  ASSERT_TRUE(FramesUntil([&] { return Session->PeekOrder(sent); }));
  EXPECT_EQ(sent.Turn, turn);
  EXPECT_EQ(sent.Order.Kind, NNet::TOrderKind::Move);
  EXPECT_EQ(sent.Order.From, (NNet::TCellRef{1, 2}));
  EXPECT_EQ(sent.Order.To, (NNet::TCellRef{5, 2}));
  // Its digest is the world's at rest after the walk.
  EXPECT_EQ(sent.WorldDigest, NNet::WorldDigest());
  EXPECT_NE(StackAt(5, 2), nullptr);
  Session->Replayed(sent.Turn, sent.WorldDigest, timeGetTime());
  Frame();
  Frame();
  EXPECT_NE(Map(), nullptr);

  // The host leaves: the guest's program says so and keeps the position.
  Session->Leave(timeGetTime());
  ASSERT_TRUE(FramesUntil([&] { return FaultBox() != nullptr; }));
  EXPECT_EQ(FaultBox()->Text, L"Второй игрок вышел из игры.\nПозиция сохранена в файл «Сеть01.map».");
  EXPECT_NE(StartMenu(), nullptr);
  EXPECT_EQ(FileBytes(MapFilePath(L"Сеть01.map")).substr(0, 3), std::to_string(turn + 1) + "\r\n");
}

namespace {

// Names are looked up on this machine only, and no route leads to in_port,
// for as long as it lives.
struct TLocalNetwork {
  explicit TLocalNetwork(uint16_t in_port) {
    PlatformTest::LookUpLocalNamesOnly(true);
    PlatformTest::NoRouteToPort(in_port);
  }
  ~TLocalNetwork() {
    PlatformTest::LookUpLocalNamesOnly(false);
    PlatformTest::NoRouteToPort(0);
  }
};

}  // namespace

TEST_F(VersusNetworkTest, ANameNotFoundAndAnAddressWithoutARouteGetTheirBoxesAndANameFoundReachesTheHost) {
  const uint16_t unreachable = FreePort();
  const TLocalNetwork network(unreachable);
  // Types an address and a code into "Подключиться" and waits for the box
  // over the start menu; its text.
  auto failedJoin = [&](const std::wstring& in_address) -> std::wstring {
    if (!JoinWith(in_address, L"314159")) return L"no join menu";
    if (!FramesUntil([&] { return FaultBox() != nullptr; })) return L"no box";
    const std::wstring text = FaultBox()->Text;
    EXPECT_NE(StartMenu(), nullptr);
    EXPECT_EQ(TNetWaitMenu::Live(), nullptr);
    ClickButton(FaultBox(), L"Ok");
    Harness.Tick();
    return text;
  };
  EXPECT_EQ(failedJoin(L"no-such-host.test"), L"Такой адрес не найден. Проверьте, как он написан.");
  EXPECT_EQ(App().Net.Session()->Fault(), NNet::TFault::NameNotFound);
  EXPECT_EQ(failedJoin(L"127.0.0.1:" + std::to_wstring(unreachable)), L"Этот адрес недоступен: до него нет пути по сети.");
  EXPECT_EQ(App().Net.Session()->Fault(), NNet::TFault::Unreachable);

  // A name that is found: the guest reaches the host through it.
  ASSERT_NO_FATAL_FAILURE(HostDuel(271828));
  ASSERT_NE(JoinWith(L"localhost:" + std::to_wstring(Session->Port()), L"271828"), nullptr);
  ASSERT_TRUE(FramesUntil([&] { return Map() != nullptr || FaultBox() != nullptr; }));
  EXPECT_EQ(FaultBox(), nullptr) << Utf8Text(FaultBox()->Text);
  EXPECT_NE(Map(), nullptr);
}

TEST_F(VersusNetworkTest, ThePersonsTurnBeginsOnTheMapOnlyOnceTheBoardRestsAfterTheOtherCopysOrder) {
  ASSERT_NO_FATAL_FAILURE(HostDuel(161803, true));
  ASSERT_NE(JoinWith(L"127.0.0.1:" + std::to_wstring(Session->Port()), L"161803"), nullptr);
  ASSERT_TRUE(FramesUntil([&] { return Map() != nullptr && Session->State() == NNet::TNetSession::TState::Playing; }));

  // The host's walk from (1, 2); while it walks, the person's stack at (8, 2)
  // begins a long blow, so that the board does not rest when the walk ends.
  NNet::TNetOrder order;
  order.Kind = NNet::TOrderKind::Move;
  order.From = {1, 2};
  order.To = {3, 2};
  ASSERT_TRUE(Session->SendOrder(TurnCounter, order, 1, timeGetTime()));
  ASSERT_TRUE(FramesUntil([&] { return Map()->Moving; }));
  TUnit* own = MapCells[8][2]->Unit;
  ASSERT_NE(own, nullptr);
  own->CurrentAnimation = own->Animation(kAttack);
  own->Animating = true;
  own->FrameIndex = -1000;
  Map()->Wake(Map()->CellWindow(8, 2));
  const int32_t before = TurnCounter;
  ASSERT_TRUE(FramesUntil([&] { return !Map()->Moving && TurnCounter != before; }));
  ASSERT_TRUE(App().Net.OrderPending());
  // The person's turn, the other copy's order not yet confirmed: the map does not listen.
  ClickCell(8, 2);
  EXPECT_FALSE(Map()->HasSelection) << "an order could begin before the last one was told";
  // The blow ends and the board rests: the replay is confirmed (here its
  // digest is not the host's, so the game stops as it must).
  own->FrameIndex = 0;
  ASSERT_TRUE(FramesUntil([&] { return FaultBox() != nullptr; }));
  EXPECT_EQ(FaultBox()->Text.rfind(L"Позиции у игроков разошлись.", 0), 0u) << Utf8Text(FaultBox()->Text);
}
