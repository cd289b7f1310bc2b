#include "versus/TNetGame.h"

#include "net/NetAddress.h"
#include "net/NetTexts.h"
#include "net/WorldDigest.h"
#include "screens/TGameDesktop.h"
#include "shell/RandomNumber.h"
#include "shell/TTimer.h"
#include "shell/TWndDirect.h"
#include "toolkit/WindowTree.h"
#include "versus/TNetWaitMenu.h"
#include "world/MapFile.h"
#include "world/TMap.h"
#include "world/WorldState.h"

namespace {

using TState = NNet::TNetSession::TState;

std::wstring Widened(const std::string& in_ascii) { return std::wstring(in_ascii.begin(), in_ascii.end()); }

TCellPos PosOf(const NNet::TCellRef& in_cell) { return TCellPos{in_cell.Column, in_cell.Row}; }

}  // namespace

TNetGame::~TNetGame() {
  if (Session_) Session_->Leave(timeGetTime());
}

void TNetGame::EnsureSession() {
  if (Session_) return;
  WSADATA data{};
  WSAStartup(MAKEWORD(2, 2), &data);
  Session_ = std::make_unique<NNet::TNetSession>(Application ? Application->Handle : nullptr, kSocketMessage);
}

bool TNetGame::Active() const {
  return Session_ && Session_->State() != TState::Idle && Session_->State() != TState::Failed &&
         Session_->State() != TState::Finished;
}

int32_t TNetGame::LocalSide() const { return Session_ ? Session_->LocalSide() : 0; }

TMap* TNetGame::GameMap() {
  if (!dynamic_cast<TGameDesktop*>(RootWindow)) return nullptr;
  for (TWindow* child : RootWindow->Children)
    if (auto* map = dynamic_cast<TMap*>(child)) return map;
  return nullptr;
}

void TNetGame::OpenWaitBox(const std::wstring& in_title, const std::wstring& in_text) {
  if (TNetWaitMenu* open = TNetWaitMenu::Live()) QueueForDeletion(open);
  new TNetWaitMenu(*this, in_title, in_text);
}

void TNetGame::SetWaitText(const std::wstring& in_text) {
  if (TNetWaitMenu* open = TNetWaitMenu::Live()) open->SetText(in_text);
}

void TNetGame::CloseWaitBox() {
  if (TNetWaitMenu* open = TNetWaitMenu::Live()) QueueForDeletion(open);
}

void TNetGame::Host(uint16_t in_port, bool in_hostFirst) {
  EnsureSession();
  LastFault_.clear();
  Playing_ = false;
  Over_ = false;
  Joining_ = false;
  Watch_.Reset();
  // The dice start from the seed on both copies; the start's digest holds them.
  Seed_ = timeGetTime() * 2654435761u + 12345u;
  SeedRandomNumber(Seed_);
  NNet::TNetSession::THostSetup setup;
  setup.Port = in_port;
  setup.LoopbackOnly = LoopbackOnly_;
  setup.Code = NNet::NewJoinCode();
  setup.Map = WriteMapToBytes();
  setup.HostSide = in_hostFirst ? PlayerToMove() : 1 - PlayerToMove();
  setup.Seed = Seed_;
  setup.StartTurn = TurnCounter;
  setup.StartDigest = NNet::WorldDigest();
  if (!Session_->Host(setup, timeGetTime())) {
    Failed();
    return;
  }
  std::wstring text = L"Ждём второго игрока.\n";
  const std::vector<std::string> addresses = NNet::OwnAddresses();
  text += addresses.size() > 1 ? L"Адреса: " : L"Адрес: ";
  for (size_t i = 0; i < addresses.size() && i < 3; ++i) text += (i ? L", " : L"") + Widened(addresses[i]);
  text += L"\nПорт: " + std::to_wstring(Session_->Port()) + L"\nКод: " + NNet::JoinCodeText(setup.Code);
  OpenWaitBox(L"Создать сетевую игру", text);
}

void TNetGame::Join(const std::string& in_host, uint16_t in_port, uint32_t in_code) {
  EnsureSession();
  LastFault_.clear();
  Playing_ = false;
  Over_ = false;
  Joining_ = true;
  Watch_.Reset();
  OpenWaitBox(L"Подключиться", L"Подключение к " + Widened(in_host) + L"…");
  Session_->Join(in_host, in_port, in_code, timeGetTime());
  if (Session_->State() == TState::Failed) Failed();
}

void TNetGame::Leave() {
  if (Session_) Session_->Leave(timeGetTime());
  Playing_ = false;
  Over_ = false;
  StartPending_ = false;
  Watch_.Reset();
}

void TNetGame::OnSocketMessage(UINT in_message, WPARAM in_wParam, LPARAM in_lParam) {
  if (Session_) Session_->OnSocketMessage(in_message, in_wParam, in_lParam, timeGetTime());
}

void TNetGame::StartGame() {
  Playing_ = true;
  StartPending_ = true;
  Watch_.Reset();
  CloseWaitBox();
  RequestScreen(1);
}

void TNetGame::Failed() {
  std::wstring saved;
  bool saveFailed = false;
  if (Playing_) {
    saved = NNet::SaveNetworkPosition();
    saveFailed = saved.empty();
  }
  FaultText_ = NNet::FaultText(*Session_, saved, saveFailed);
  LastFault_ = FaultText_;
  Playing_ = false;
  Watch_.Reset();
  Session_->Leave(timeGetTime());
  CloseWaitBox();
  RequestScreen(0);
}

std::wstring TNetGame::TakeFaultText() { return std::exchange(FaultText_, std::wstring()); }

void TNetGame::Watch(bool in_force) {
  TMap* map = GameMap();
  int32_t turn = 0;
  NNet::TNetOrder order;
  const bool taken = in_force ? Watch_.TakeNow(map, turn, order) : Watch_.Take(map, turn, order);
  if (!taken) return;
  const uint32_t now = timeGetTime();
  if ((turn & 1) == Session_->LocalSide()) {
    Session_->SendOrder(turn, order, NNet::WorldDigest(), now);
  } else {
    Session_->Replayed(turn, NNet::WorldDigest(), now);
  }
}

void TNetGame::AfterTick() {
  if (!Session_) return;
  const uint32_t now = timeGetTime();
  Session_->Tick(now);
  const TState state = Session_->State();
  if (state == TState::Failed) {
    if (Playing_ || Joining_ || TNetWaitMenu::Live()) {
      Joining_ = false;
      Failed();
    }
    return;
  }
  if (state == TState::Loading) {
    Joining_ = false;
    const NNet::TMessage& start = Session_->StartMessage();
    TMapReadProblem problem;
    ReadMapFromBytes(start.Map, &problem);
    if (MapColumns <= 0 || MapRows <= 0) {
      Session_->MapRefused(now);
      Failed();
      return;
    }
    SeedRandomNumber(start.Seed);
    Session_->Loaded(TurnCounter, NNet::WorldDigest(), now);
    StartGame();
    return;
  }
  // The host's game starts once its guest is ready; a game that is over
  // stays over while the last order is confirmed.
  if (state == TState::Playing && !Playing_ && !Over_) {
    StartGame();
    return;
  }
  if (state == TState::Greeting) SetWaitText(L"Связь есть, ждём карту.");
  if (Playing_ && state == TState::Playing) {
    Watch_.AfterTick(GameMap());
    Watch(false);
  }
}

void TNetGame::BeforeInput() {
  if (Playing_) Watch_.BeforeInput(GameMap());
}

void TNetGame::AfterInput() {
  if (Playing_) Watch_.AfterInput(GameMap());
}

void TNetGame::GameOver() {
  if (!Playing_ || !Session_) return;
  Watch(true);
  Session_->Finish(timeGetTime());
  Playing_ = false;
  Over_ = true;
}

bool TNetGame::NextReplay(int32_t& out_turn, TOrder& out_order, std::optional<TCellPos>& out_stopOn) const {
  NNet::TMessage message;
  if (!Playing_ || !Session_ || !Session_->PeekOrder(message)) return false;
  out_turn = message.Turn;
  out_stopOn.reset();
  if (message.Order.Kind == NNet::TOrderKind::Move) {
    out_order = TOrder::Move(PosOf(message.Order.From), PosOf(message.Order.To));
    if (message.Order.Stopped) out_stopOn = PosOf(message.Order.StopCell);
  } else {
    out_order = TOrder{};
  }
  return true;
}

void TNetGame::ReplayFailed() {
  if (Session_) Session_->ReplayFailed(timeGetTime());
}
