#include "autoplay/TSession.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "autoplay/AutoplayFailure.h"
#include "autoplay/Strikes.h"
#include "autoplay/THands.h"
#include "autoplay/TPolicy.h"
#include "autoplay/TWrongGame.h"
#include "opponent/TRoutes.h"
#include "graphics/TextureRegistry.h"
#include "headless/GameHarness.h"
#include "headless/WindowQuery.h"
#include "platform/PlatformTest.h"
#include "platform/Win32.h"
#include "screens/TFailureBox.h"
#include "screens/TFinishDesktop.h"
#include "screens/TGameMainMenu.h"
#include "screens/TGameMenu.h"
#include "screens/TMainMenu.h"
#include "screens/TMenuDesktop.h"
#include "screens/TNewGameMenu.h"
#include "screens/TSaveMenu.h"
#include "shell/CodePage.h"
#include "shell/ErrorLog.h"
#include "shell/RandomNumber.h"
#include "shell/TTimer.h"
#include "toolkit/TWinBox.h"
#include "toolkit/TWinBoxAsk.h"
#include "toolkit/TWinEdit.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinScrollVert.h"
#include "toolkit/TWinTextList.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/TUnit.h"
#include "world/TWinCell.h"
#include "world/Utf8Text.h"
#include "world/WorldState.h"

namespace {

// Scroll-bar clicks allowed to bring a row of the map list into view.
constexpr int kMostListSteps = 10000;

[[noreturn]] void Fail(const std::string& in_what) { throw TAutoplayFailure(in_what); }

std::wstring Wide(const std::string& in_ascii) { return std::wstring(in_ascii.begin(), in_ascii.end()); }

std::string StackText(const std::optional<TStackView>& in_stack) {
  if (!in_stack) return "nothing";
  return "the stack of player " + std::to_string(in_stack->Owner) + " (type " + std::to_string(in_stack->Type) +
         ", lives " + std::to_string(in_stack->Lives) + ", count " + std::to_string(in_stack->Count) + ")";
}

std::string RouteText(const std::vector<TCellPos>& in_route) {
  std::string text;
  for (const TCellPos cell : in_route) {
    if (!text.empty()) text += " ";
    text += CellText(cell);
  }
  return text;
}

// The box of this class and title that is open; null when not exactly one is.
template <typename T>
T* OpenBox(const std::wstring& in_title) {
  T* found = nullptr;
  int count = 0;
  for (T* box : LiveOf<T>()) {
    if (box->Title == in_title) {
      found = box;
      ++count;
    }
  }
  return count == 1 ? found : nullptr;
}

int32_t QueenCount(const TBoard& in_board, int32_t in_owner) {
  int32_t count = 0;
  for (int32_t r = 0; r < in_board.Rows(); ++r)
    for (int32_t c = 0; c < in_board.Columns(); ++c) {
      const auto& stack = in_board.Stack({c, r});
      if (stack && stack->Owner == in_owner && stack->Type == kQueenType) ++count;
    }
  return count;
}

std::string ReadBytes(const std::filesystem::path& in_path) {
  std::ifstream file(in_path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The cells whose stack or tree differ between the boards, but for stacks
// that were dying (no lives left) and are gone.
std::vector<TCellPos> ChangesBesidesTheDying(const TBoard& in_before, const TBoard& in_after) {
  std::vector<TCellPos> cells;
  for (const TCellPos cell : in_before.Differences(in_after)) {
    const auto& before = in_before.Stack(cell);
    const bool died = before && before->Lives <= 0 && !in_after.Stack(cell) && in_before.Tree(cell) == in_after.Tree(cell);
    if (!died) cells.push_back(cell);
  }
  return cells;
}

}  // namespace

TSession::TSession(TSessionConfig in_config) : Config_(std::move(in_config)) {}

TSession::~TSession() = default;

TSessionResult TSession::Run() {
  if (!Config_.ReplayPath.empty()) Writer_ = std::make_unique<TReplayWriter>(Config_.ReplayPath, Config_.Setup);
  // Game after game loads the same pictures: each is decoded once per session.
  PlatformTest::KeepDecodedImages(true);
  try {
    Play();
  } catch (const TAutoplayFailure& failure) {
    Result_.Failure = failure.what();
  } catch (int) {
    Result_.Failure = "the game stopped with its own error (an integer thrown out of a message handler)";
  } catch (const std::exception& error) {
    Result_.Failure = std::string("the game stopped with an exception: ") + error.what();
  }
  if (!Result_.Failure.empty()) {
    // Whatever the game logged belongs to the report too.
    for (const std::string& line : ErrorLogEntries()) Result_.Failure += "\nlogged: " + Utf8Text(Cp1251ToWide(line));
    if (Writer_) Writer_->Failure(Result_.Failure);
  }
  if (Hands_) Result_.Frames = Hands_->Frames();
  WrongGame_.reset();
  Hands_.reset();
  Harness_.reset();
  PlatformTest::KeepDecodedImages(false);
  return Result_;
}

void TSession::Play() {
  const TReplay& setup = Config_.Setup;
  Harness_ = std::make_unique<TGameHarness>(setup.Seed);
  for (const TMapFile& map : setup.Maps) {
    std::ofstream file(Harness_->WorkDir() / map.Name, std::ios::binary);
    file.write(map.Bytes.data(), static_cast<std::streamsize>(map.Bytes.size()));
  }
  // As the entry point does: the dice are seeded with the clock.
  const DWORD now = timeGetTime();
  std::srand(now);
  SeedRandomNumber(now);
  Harness_->Start();
  WrongGame_ = std::make_unique<TWrongGame>(*Harness_, Config_.Fault);
  Hands_ = std::make_unique<THands>(*Harness_, setup.Seed, setup.DrawEvery, Config_.FrameBound);
  for (int side = 0; side < 2; ++side) {
    Policies_[side] = MakePolicy(setup.Policies[side], setup.Seed * 2654435761u + static_cast<uint32_t>(side) + 1);
    if (!Policies_[side]) Fail("no policy named " + setup.Policies[side]);
  }
  Hands_->Tick();
  if (!OnMenuScreen()) Fail("the first frame did not show the menu screen");

  const size_t games = Config_.Replay ? Config_.Replay->Games.size() : Config_.Schedule.size();
  for (size_t i = 0; i < games; ++i) {
    if (i > 0 && ((Config_.Deadline && std::chrono::steady_clock::now() >= *Config_.Deadline) || PastStop())) break;
    const std::string& map = Config_.Replay ? Config_.Replay->Games[i].Map : Config_.Schedule[i];
    if (Writer_) Writer_->Game(map, PairingOf(i));
    Result_.Games.push_back(PlayGame(map, i));
    CheckLog();
  }
  if (const auto fault = DamageSpreadFault(Damage_)) Fail("the dice are not fair: " + *fault);
  if (Writer_) Writer_->Quit();
  Quit();
}

TGameResult TSession::PlayGame(const std::string& in_map, size_t in_index) {
  const auto start = std::chrono::steady_clock::now();
  TGameResult result;
  result.Map = in_map;
  OpenMapList();
  LoadFromMapList(L"./" + Wide(in_map));
  Settle();
  const TBoard first = TBoard::FromWorld();
  result.FirstSide = first.ToMove();
  for (int32_t player = 0; player < 2; ++player) QueensAtStart_[player] = QueenCount(first, player);
  const int64_t ordersBefore = Orders_;
  size_t step = 0;
  TPolicy* players[2] = {nullptr, nullptr};
  // Whether the configuration's second policy plays player 0 in this game.
  bool swapped = false;
  if (const std::string* pairing = PairingOf(in_index)) {
    for (int side = 0; side < 2; ++side) {
      const uint32_t seed = Config_.Setup.Seed * 2654435761u + static_cast<uint32_t>(2 * in_index + side) + 3;
      GamePolicies_[side] = MakePolicy(pairing[side], seed);
      if (!GamePolicies_[side]) Fail("no policy named " + pairing[side]);
      players[side] = GamePolicies_[side].get();
      result.Policies[side] = pairing[side];
    }
  } else {
    swapped = Config_.Setup.Swap && in_index % 2 == 1;
    for (int side = 0; side < 2; ++side) {
      players[side] = Policies_[swapped ? 1 - side : side].get();
      result.Policies[side] = Config_.Setup.Policies[swapped ? 1 - side : side];
    }
  }
  const std::vector<TAction>* recorded = Config_.Replay ? &Config_.Replay->Games[in_index].Actions : nullptr;
  while (true) {
    // A hasty action comes as soon as the turn is there; any other once the board is at rest.
    TPolicy& policy = *players[PlayerToMove()];
    const bool hasty = recorded ? step < recorded->size() && (*recorded)[step].Hasty : policy.Hurries();
    if (hasty && !ScreenRequestPending) {
      CheckLog();
    } else {
      Settle();
      CheckLog();
      CheckNoDeadStacks();
    }
    if (OnlyLive<TFinishDesktop>()) {
      FinishGame(result);
      break;
    }
    if (!OnGameScreen()) Fail("the game screen went away in the middle of a game");
    CheckFallenQueens();
    TBoard board = TBoard::FromWorld();
    TAction action;
    if (recorded) {
      if (step >= recorded->size()) {
        // The recorded game ends here, as it ended: by the turn cap or stopped.
        result.Stopped = Config_.Replay->Games[in_index].Result.rfind("stopped", 0) == 0;
        break;
      }
      action = (*recorded)[step++];
    } else {
      if (PastStop()) {
        result.Stopped = true;
        break;
      }
      if (board.Turn - first.Turn >= Config_.Setup.Turns) break;  // a draw
      action = policy.Choose(board, Hands_->Span());
      if (action.Kind == TActionKind::Save) {
        // A name of its own: neither a map of the working directory nor its second save.
        const auto taken = [&](const std::string& name) {
          return std::filesystem::exists(Harness_->WorkDir() / (name + ".map")) ||
                 std::filesystem::exists(Harness_->WorkDir() / (name + "b.map"));
        };
        for (int extra = 0; taken(action.Name); ++extra) action.Name = "Save" + std::to_string(extra);
      }
    }
    if (Writer_) Writer_->Action(action);
    Do(action, board);
  }
  if (result.Winner >= 0) result.WinnerPolicy = swapped ? 1 - result.Winner : result.Winner;
  result.Turns = TurnCounter - first.Turn;
  result.Orders = Orders_ - ordersBefore;
  result.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::string outcome = (result.Winner >= 0 ? "win " + std::to_string(result.Winner)
                               : result.Stopped   ? std::string("stopped")
                                                  : std::string("draw")) +
                              " turns " + std::to_string(result.Turns);
  if (Config_.Replay) {
    const std::string& recorded = Config_.Replay->Games[in_index].Result;
    if (!recorded.empty() && recorded != outcome)
      Fail("the replay went another way: recorded \"" + recorded + "\", played \"" + outcome + "\"");
  }
  if (Writer_) Writer_->Result(outcome);
  return result;
}

const std::string* TSession::PairingOf(size_t in_index) const {
  if (Config_.Replay) {
    const TReplayGame& game = Config_.Replay->Games[in_index];
    return game.Policies[0].empty() ? nullptr : game.Policies;
  }
  return in_index < Config_.Pairings.size() ? Config_.Pairings[in_index].data() : nullptr;
}

bool TSession::PastStop() const { return Config_.StopAt && std::chrono::steady_clock::now() >= *Config_.StopAt; }

void TSession::OpenMapList() {
  if (OnMenuScreen()) {
    Hands_->ClickButton(OnlyLive<TMainMenu>(), L"Загрузить игру");
  } else if (OnGameScreen()) {
    Hands_->ClickButton(OnlyLive<TGameMenu>(), L"Главное меню.");
    Hands_->ClickButton(OnlyLive<TGameMainMenu>(), L"Загрузить игру");
  } else {
    Fail("neither the menu screen nor the game screen shows to open the map list from");
  }
  Hands_->Tick();
  if (!OnlyLive<TNewGameMenu>()) Fail("the map list did not open");
}

void TSession::LoadFromMapList(const std::wstring& in_row) {
  TNewGameMenu* menu = OnlyLive<TNewGameMenu>();
  if (!menu) Fail("no map list is open");
  TWinList* list = menu->List;
  TWinTextList* row = nullptr;
  int32_t index = 0;
  for (TWindow* child : list->Children) {
    auto* item = dynamic_cast<TWinTextList*>(child);
    if (!item) continue;
    if (item->Text == in_row) {
      row = item;
      break;
    }
    ++index;
  }
  if (!row) Fail("the map list does not show " + Utf8Text(in_row));
  for (int step = 0; !list->Shows(row); ++step) {
    if (step >= kMostListSteps || !list->ScrollBar) Fail("the map list does not scroll to " + Utf8Text(in_row));
    const TWinScrollVert* bar = list->ScrollBar;
    const TRect arrow = index < list->First ? bar->DecreaseRect : bar->IncreaseRect;
    Hands_->Click(OnScreen(bar, arrow.x + arrow.width / 2, arrow.y + arrow.height / 2));
  }
  Hands_->ClickWindow(row, "row of the map list");
  if (list->Selected != row) Fail("a click on the row " + Utf8Text(in_row) + " did not select it");
  Hands_->ClickButton(menu, L"Загрузить");
  if (!ScreenRequestPending || RequestedScreen != 1) Fail("loading " + Utf8Text(in_row) + " did not ask for the game screen");
  Hands_->Tick();
  if (!OnGameScreen()) Fail("the game screen did not come after loading " + Utf8Text(in_row));
  if (Hands_->Map()->Columns() != MapColumns || Hands_->Map()->Rows() != MapRows)
    Fail("the map window does not show the map loaded from " + Utf8Text(in_row));
}

void TSession::Quit() {
  if (OnMenuScreen()) {
    Hands_->ClickButton(OnlyLive<TMainMenu>(), L"Выйти");
  } else if (OnGameScreen()) {
    Hands_->ClickButton(OnlyLive<TGameMenu>(), L"Главное меню.");
    Hands_->ClickButton(OnlyLive<TGameMainMenu>(), L"Выйти");
  } else {
    Fail("neither the menu screen nor the game screen shows to leave the program from");
  }
  Hands_->ClickButton(OpenBox<TWinBoxAsk>(L"???"), L"Да");
  const HWND window = Harness_->Window();
  Hands_->TickUntil([&] { return !IsWindow(window); }, "the program to close after \"Да\"");
  CheckLog();
  if (!LiveWindows.empty()) Fail(std::to_string(LiveWindows.size()) + " windows outlived the program");
  if (!RegisteredTextures().empty()) Fail("the textures outlived the program");
}

void TSession::FinishGame(TGameResult& io_result) {
  TWinBox* box = OpenBox<TWinBox>(L"Ураа!!!");
  if (!box) Fail("the finish screen shows no \"Ураа!!!\" box");
  // The loser is the one player who has lost a queen; the other has won.
  const TBoard board = TBoard::FromWorld();
  std::vector<int32_t> losers;
  for (int32_t player = 0; player < 2; ++player)
    if (QueenCount(board, player) < QueensAtStart_[player]) losers.push_back(player);
  if (losers.size() != 1)
    Fail("the game ended with " + std::to_string(losers.size()) + " players having lost a queen");
  io_result.Winner = 1 - losers.front();
  const std::wstring expected = L"Выйграл Игрок:\n" + Players[io_result.Winner].Name;
  if (box->Text != expected) Fail("the finish box says \"" + Utf8Text(box->Text) + "\" instead of \"" + Utf8Text(expected) + "\"");
  Hands_->ClickButton(box, L"Ok");
  Hands_->TickUntil([&] { return OnMenuScreen() && OnlyLive<TMainMenu>() != nullptr; },
                    "the menu screen to return after the finish box");
}

void TSession::Do(const TAction& in_action, const TBoard& in_board) {
  switch (in_action.Kind) {
    case TActionKind::Order:
    case TActionKind::Cut:
      GiveOrder(in_action, in_board);
      break;
    case TActionKind::Probe:
      Probe(in_action, in_board);
      break;
    case TActionKind::Pass:
      Pass(in_board);
      break;
    case TActionKind::Menu:
      LookIntoMenu(in_board);
      break;
    case TActionKind::Try:
      TryIllegal(in_action, in_board);
      break;
    case TActionKind::Save: {
      TAction action = in_action;
      SaveAndReload(action, in_board);
      break;
    }
  }
  CheckLog();
}

void TSession::GiveOrder(const TAction& in_action, const TBoard& in_board) {
  const TCellPos from = in_action.From;
  const TCellPos to = in_action.To;
  const auto& mover = in_board.Inside(from) ? in_board.Stack(from) : std::nullopt;
  if (!mover || ((mover->Owner % 2) + 2) % 2 != in_board.ToMove() || !IsLegalTarget(in_board, from, to))
    Fail("the order " + ActionText(in_action) + " is not a legal order (a fault of the player, not of the game)");
  TMap* map = SelectAndPoint(from, to, *mover);
  if (map->TargetCell != Hands_->CellWindow(to) || map->Route.empty())
    Fail("pointing at " + CellText(to) + ", a legal target of " + CellText(from) + ", showed no route");
  std::vector<TCellPos> route;
  for (const auto& [column, row] : map->Route) route.push_back({column, row});
  CheckRouteMarks(*map);
  const TCellPos click = in_action.Via.value_or(to);
  if (in_action.Via) {
    const auto& held = in_board.Inside(click) ? in_board.Stack(click) : std::nullopt;
    const bool own = held && ((held->Owner % 2) + 2) % 2 == in_board.ToMove();
    if (click == from || (!in_board.Tree(click) && !own))
      Fail("the order " + ActionText(in_action) + " is given by a click that moves its route (a fault of the player)");
  }
  // Every roll of the dice from here on belongs to this order's strike.
  const uint32_t diceBefore = RandomNumberState();
  // An idle mover takes its first step in the first frame of the order.
  const TCell* start = MapCells[from.Column][from.Row];
  const bool moverIdle = start && start->Unit && !start->Unit->Animating;
  Hands_->Click(Hands_->PointOn(click));
  if (!map->Moving) Fail("a click on " + CellText(click) + " with a route shown did not start the order");
  if (map->Route.empty() || map->Route.back() != std::pair(to.Column, to.Row))
    Fail("the click on " + CellText(click) + " that gave the order changed its route");
  if (route.front() != from || route.back() != to)
    Fail("the map took an order along " + RouteText(route) + " for the cells " + CellText(from) + " and " +
         CellText(to));
  if (const auto fault = RouteFault(in_board, route))
    Fail("the map accepted an order that is not legal: " + *fault + "; route " + RouteText(route));

  const TWindow* screen = RootWindow;
  const auto onScreen = [&] { return RootWindow == screen && !ScreenRequestPending; };
  if (in_action.Poke) Poke(*in_action.Poke, *map, onScreen);
  // Where the mover stands when a cut stops its walk: it stops there.
  std::optional<size_t> cutAt;
  if (in_action.Kind == TActionKind::Cut) {
    Hands_->Tick(in_action.Frames);
    if (onScreen()) {
      cutAt = MoverOnRoute(route, *mover);
      Hands_->RightClick(Hands_->PointOn(to));
    }
  }
  Hands_->TickUntil([&] { return RootWindow != screen || !map->Moving; },
                    "the order " + ActionText(in_action) + " to end");
  ++Orders_;
  // A queen that was dying when a hasty order began can end the game in the
  // middle of it: the order is checked as far as it went.
  const bool cutByTheEnd = RootWindow != screen;
  Settle();
  CheckLog();
  CheckNoDeadStacks();

  const TBoard after = TBoard::FromWorld();
  if (!cutByTheEnd && after.Turn != in_board.Turn + 1)
    Fail("the order took the turn counter from " + std::to_string(in_board.Turn) + " to " + std::to_string(after.Turn));
  const bool strike = !in_board.Free(to);
  // A target that was dying may be gone before the mover comes: then it walks on into the cell.
  const bool dyingTarget = strike && in_board.Stack(to)->Lives <= 0;
  const size_t lastStop = strike ? route.size() - 2 : route.size() - 1;
  for (const TCellPos cell : ChangesBesidesTheDying(in_board, after)) {
    if (std::find(route.begin(), route.end(), cell) == route.end())
      Fail("the order along " + RouteText(route) + " changed " + CellText(cell) + " off its route: " +
           StackText(in_board.Stack(cell)) + " became " + StackText(after.Stack(cell)));
  }
  // The mover stands on one cell of the route, the last one it could reach
  // unless the walk was cut short; the cells it left are empty.
  std::optional<size_t> stop;
  for (size_t i = 0; i < route.size(); ++i) {
    if (after.Stack(route[i]) == mover) {
      if (stop) Fail("the mover shows twice along " + RouteText(route));
      stop = i;
    } else if (after.Stack(route[i]) && !(strike && i == route.size() - 1)) {
      Fail("after the order " + CellText(route[i]) + " holds " + StackText(after.Stack(route[i])));
    }
  }
  if (!stop) Fail("the mover " + StackText(mover) + " is nowhere on its route " + RouteText(route));
  const bool walkedOn = *stop == route.size() - 1 && strike;
  if (walkedOn && !dyingTarget) Fail("the mover took the place of the stack it was to strike at " + CellText(to));
  if (in_action.Kind == TActionKind::Order && !cutByTheEnd && *stop != lastStop && !walkedOn)
    Fail("the mover stopped at " + CellText(route[*stop]) + " instead of " + CellText(route[lastStop]));
  if (cutAt && *cutAt == 0 && in_action.Frames > 0 && moverIdle && lastStop > 0)
    Fail("the walk stopped by a right click after " + std::to_string(in_action.Frames) +
         " frames had not left its first cell " + CellText(from));
  if (cutAt && *stop != *cutAt)
    Fail("the walk stopped by a right click at " + CellText(route[*cutAt]) + " ended at " + CellText(route[*stop]));

  // The dice: no roll without a strike, and a strike does what its rolls say.
  const auto rolls = RollsBetween(diceBefore, RandomNumberState(), 2);
  if (!rolls) Fail("the dice were rolled more than twice during the order " + ActionText(in_action));
  if (!rolls->empty() && (!strike || walkedOn))
    Fail("the dice were rolled during the order " + ActionText(in_action) + ", which struck nothing");
  if (strike && !walkedOn && rolls->empty() && !dyingTarget && !cutByTheEnd && in_action.Kind == TActionKind::Order)
    Fail("the order onto " + StackText(in_board.Stack(to)) + " at " + CellText(to) + " ended without a strike");
  if (strike && !walkedOn && !rolls->empty()) {
    if (*stop != lastStop) Fail("the target at " + CellText(to) + " was struck from afar");
    CheckStrike(*in_board.Stack(to), *rolls, after.Stack(to), to);
  }
  CheckStackLists();
}

TMap* TSession::SelectAndPoint(TCellPos in_from, TCellPos in_to, const TStackView& in_mover) {
  Hands_->Show(in_from, in_to);
  TMap* map = Hands_->Map();
  Hands_->Click(Hands_->PointOn(in_from));
  if (!map->HasSelection || map->SelectedCell != Hands_->CellWindow(in_from))
    Fail("a click on the mover's " + StackText(in_mover) + " at " + CellText(in_from) + " did not select it");
  Hands_->Move(Hands_->PointOn(in_to));
  return map;
}

void TSession::CheckStrike(const TStackView& in_target, const std::vector<int32_t>& in_rolls,
                           const std::optional<TStackView>& in_after, TCellPos in_cell) {
  const auto strike = StrikeByTheDice(in_target, in_rolls);
  if (!strike || strike->Rolls != static_cast<int32_t>(in_rolls.size()))
    Fail("the strike on " + StackText(in_target) + " at " + CellText(in_cell) + " rolled the dice " +
         std::to_string(in_rolls.size()) + " times");
  ++Damage_[static_cast<size_t>(strike->Damage)];
  // With no creature left the stack goes once its dying animation is over, or
  // stays so when the game ended first.
  const bool gone = strike->After.Count <= 0;
  const bool asTheRulesSay = gone ? (!in_after || (*in_after == strike->After && !OnGameScreen())) : in_after == strike->After;
  if (!asTheRulesSay)
    Fail("a strike of " + std::to_string(strike->Damage) + " damage made " + StackText(in_target) + " at " +
         CellText(in_cell) + " into " + StackText(in_after) + " instead of " +
         (gone ? std::string("nothing") : StackText(strike->After)));
}

void TSession::Poke(const TPoke& in_poke, TMap& io_map, const std::function<bool()>& in_onScreen) {
  for (int32_t i = 0; i < in_poke.Frames && in_onScreen() && io_map.Moving; ++i) Hands_->Tick();
  if (!in_onScreen() || !io_map.Moving) return;
  const TWinCell* selected = io_map.SelectedCell;
  const TWinCell* target = io_map.TargetCell;
  const auto route = io_map.Route;
  Hands_->Click(Hands_->PointOn(in_poke.Cell));
  if (io_map.HasSelection || io_map.SelectedCell != selected || io_map.TargetCell != target || io_map.Route != route)
    Fail("a click on " + CellText(in_poke.Cell) + " during the walk was not ignored: it " +
         (io_map.HasSelection ? "selected a stack" : "changed the order"));
}

std::optional<size_t> TSession::MoverOnRoute(const std::vector<TCellPos>& in_route, const TStackView& in_mover) const {
  const TBoard now = TBoard::FromWorld();
  for (size_t i = 0; i < in_route.size(); ++i)
    if (now.Stack(in_route[i]) == in_mover) return i;
  return std::nullopt;
}

void TSession::CheckRouteMarks(const TMap& in_map) const {
  // The marks the player sees are the route and nothing else.
  std::set<std::pair<int32_t, int32_t>> onRoute(in_map.Route.begin(), in_map.Route.end());
  for (TWindow* child : in_map.Children) {
    const auto* cell = static_cast<const TWinCell*>(child);
    if ((cell->OnRoute == 1) != (onRoute.count({cell->Column, cell->Row}) == 1))
      Fail("the route marks on the map differ from the route at " + CellText({cell->Column, cell->Row}));
  }
}

void TSession::TryIllegal(const TAction& in_action, const TBoard& in_board) {
  const TCellPos from = in_action.From;
  const TCellPos to = in_action.To;
  const auto& mover = in_board.Inside(from) ? in_board.Stack(from) : std::nullopt;
  if (!mover || mover->Lives <= 0 || ((mover->Owner % 2) + 2) % 2 != in_board.ToMove() || !in_board.Inside(to) ||
      to == from || IsLegalTarget(in_board, from, to))
    Fail("the try " + ActionText(in_action) + " points at a target the stack may have (a fault of the player)");
  const auto& held = in_board.Stack(to);
  const std::string what = held ? (in_board.EnemyOf(in_board.ToMove(), to) ? "an enemy no route reaches"
                                                                            : "another stack of the mover")
                         : in_board.Tree(to) ? "a tree"
                                             : "a cell no route reaches";
  TMap* map = SelectAndPoint(from, to, *mover);
  if (!map->Route.empty()) {
    std::vector<TCellPos> shown;
    for (const auto& [column, row] : map->Route) shown.push_back({column, row});
    Fail("pointing at " + CellText(to) + ", " + what + ", showed the route " + RouteText(shown));
  }
  CheckRouteMarks(*map);
  if (in_action.Clicked) {
    // An order without a route: the turn passes and nothing moves.
    Hands_->Click(Hands_->PointOn(to));
    if (!map->Moving) Fail("a click on " + CellText(to) + " with a stack selected did not give the order");
    Hands_->TickUntil([&] { return !map->Moving; }, "the order without a route to end");
    Settle();
    if (TurnCounter != in_board.Turn + 1)
      Fail("an order without a route took the turn counter from " + std::to_string(in_board.Turn) + " to " +
           std::to_string(TurnCounter));
  } else {
    Hands_->RightClick(Hands_->PointOn(to));
    if (map->HasSelection || map->Moving) Fail("a right click on " + CellText(to) + " did not cancel the selection");
    if (TurnCounter != in_board.Turn) Fail("cancelling a selection passed the turn");
  }
  if (!ChangesBesidesTheDying(in_board, TBoard::FromWorld()).empty())
    Fail("pointing at " + what + " at " + CellText(to) + " changed the board");
  CheckStackLists();
}

void TSession::Probe(const TAction& in_action, const TBoard& in_board) {
  const TCellPos cell = in_action.To;
  if (!in_board.Inside(cell)) Fail("the probe " + ActionText(in_action) + " lies off the map");
  const auto& stack = in_board.Stack(cell);
  if (stack && ((stack->Owner % 2) + 2) % 2 == in_board.ToMove())
    Fail("the probe " + ActionText(in_action) + " is on a stack of the mover (a fault of the player)");
  Hands_->Show(cell, cell);
  Hands_->Click(Hands_->PointOn(cell));
  const TMap* map = Hands_->Map();
  if (map->HasSelection || map->Moving)
    Fail("a click on " + CellText(cell) + " (" + (stack ? StackText(stack) : in_board.Tree(cell) ? "a tree" : "bare ground") +
         ") with nothing selected selected it");
  if (TurnCounter != in_board.Turn) Fail("a click that selects nothing passed the turn");
}

void TSession::Pass(const TBoard& in_board) {
  Hands_->ClickButton(OnlyLive<TGameMenu>(), L"Пропустить Ход.");
  if (TurnCounter != in_board.Turn + 1)
    Fail("\"Пропустить Ход.\" took the turn counter from " + std::to_string(in_board.Turn) + " to " +
         std::to_string(TurnCounter));
  TWinBox* box = OpenBox<TWinBox>(L"Переход хода");
  if (!box) Fail("\"Пропустить Ход.\" showed no \"Переход хода\" box");
  const std::wstring expected = L"Играет Игрок:\n" + Players[1 - in_board.ToMove()].Name;
  if (box->Text != expected) Fail("the turn box says \"" + Utf8Text(box->Text) + "\" instead of \"" + Utf8Text(expected) + "\"");
  if (InputRoot != box) Fail("the turn box does not hold the input");
  Hands_->ClickButton(box, L"Ok");
  Hands_->TickUntil([&] { return !IsLive(box); }, "the turn box to close on \"Ok\"");
  if (!ChangesBesidesTheDying(in_board, TBoard::FromWorld()).empty()) Fail("passing the turn changed the board");
}

void TSession::LookIntoMenu(const TBoard& in_board) {
  Hands_->ClickButton(OnlyLive<TGameMenu>(), L"Главное меню.");
  TGameMainMenu* menu = OnlyLive<TGameMainMenu>();
  if (!menu) Fail("\"Главное меню.\" opened no in-game main menu");
  Hands_->ClickButton(menu, L"Назат");
  Hands_->TickUntil([] { return OnlyLive<TGameMainMenu>() == nullptr; }, "the in-game main menu to close on \"Назат\"");
  if (!(TBoard::FromWorld() == in_board)) Fail("a look into the in-game main menu changed the game");
}

void TSession::SaveAs(const std::string& in_name) {
  Hands_->ClickButton(OnlyLive<TGameMenu>(), L"Главное меню.");
  Hands_->ClickButton(OnlyLive<TGameMainMenu>(), L"Сохранить игру");
  Hands_->Tick();
  TSaveMenu* menu = OnlyLive<TSaveMenu>();
  if (!menu) Fail("\"Сохранить игру\" opened no save menu");
  TWinEdit* edit = menu->Edit;
  Hands_->ClickWindow(edit, "file name field");
  // Clear the name shown, from the caret's start, then type the new one.
  const size_t shown = edit->Text.size();
  for (size_t i = 0; i < shown; ++i) Hands_->Key(VK_LEFT);
  for (size_t i = 0; i < shown; ++i) Hands_->Key(VK_DELETE);
  if (!edit->Text.empty()) Fail("Delete did not clear the save menu's file name \"" + Utf8Text(edit->Text) + "\"");
  for (const char c : in_name) Hands_->Type(static_cast<wchar_t>(c));
  if (edit->Text != Wide(in_name)) Fail("typing " + in_name + " into the save menu gave \"" + Utf8Text(edit->Text) + "\"");
  Hands_->ClickButton(menu, L"Сохранить");
  if (OnlyLive<TFailureBox>()) Fail("saving as " + in_name + " failed with a box");
  Hands_->TickUntil([] { return OnlyLive<TSaveMenu>() == nullptr; }, "the save menu to close after saving");
  if (!std::filesystem::exists(Harness_->WorkDir() / (in_name + ".map"))) Fail("saving as " + in_name + " wrote no " + in_name + ".map");
}

void TSession::SaveAndReload(TAction& io_action, const TBoard& in_board) {
  const std::string name = io_action.Name;
  const std::string again = name + "b";
  SaveAs(name);
  OpenMapList();
  LoadFromMapList(L"./" + Wide(name) + L".map");
  Settle();
  const TBoard loaded = TBoard::FromWorld();
  if (!(loaded == in_board)) {
    std::string what = "the game loaded from " + name + ".map is not the game saved";
    if (loaded.Turn != in_board.Turn) what += ": turn " + std::to_string(loaded.Turn) + " for " + std::to_string(in_board.Turn);
    const auto cells = loaded.Columns() == in_board.Columns() && loaded.Rows() == in_board.Rows()
                           ? in_board.Differences(loaded)
                           : std::vector<TCellPos>{};
    if (!cells.empty())
      what += ": " + CellText(cells.front()) + " held " + StackText(in_board.Stack(cells.front())) + ", now " +
              StackText(loaded.Stack(cells.front()));
    Fail(what);
  }
  SaveAs(again);
  const std::string first = ReadBytes(Harness_->WorkDir() / (name + ".map"));
  const std::string second = ReadBytes(Harness_->WorkDir() / (again + ".map"));
  if (first != second) {
    size_t at = 0;
    while (at < first.size() && at < second.size() && first[at] == second[at]) ++at;
    Fail("a game saved as " + name + ".map, loaded and saved again as " + again + ".map differs at byte " +
         std::to_string(at) + " (" + std::to_string(first.size()) + " and " + std::to_string(second.size()) + " bytes)");
  }
  std::error_code ignored;
  std::filesystem::remove(Harness_->WorkDir() / (name + ".map"), ignored);
  std::filesystem::remove(Harness_->WorkDir() / (again + ".map"), ignored);
  CheckStackLists();
}

void TSession::Settle() {
  Hands_->TickUntil(
      [&] {
        if (ScreenRequestPending) return false;
        const TMap* map = Hands_->Map();
        if (!map) return true;
        if (map->Moving) return false;
        for (int32_t c = 0; c < MapColumns; ++c)
          for (int32_t r = 0; r < MapRows; ++r) {
            const TCell* cell = MapCells[c][r];
            if (cell && cell->Unit && cell->Unit->Animating) return false;
          }
        return true;
      },
      "the board to come to rest");
}

void TSession::CheckLog() const {
  if (ErrorLogEntries().empty()) return;
  Fail("the game logged " + std::to_string(ErrorLogEntries().size()) +
       " lines, so the run would end with \"Fatal Error\"");
}

void TSession::CheckStackLists() const {
  std::map<const TUnit*, int32_t> onGrid;
  for (int32_t c = 0; c < MapColumns; ++c)
    for (int32_t r = 0; r < MapRows; ++r) {
      const TCell* cell = MapCells[c][r];
      if (cell && cell->Unit) onGrid[cell->Unit] = cell->Unit->Owner == 0 ? 0 : 1;
    }
  size_t listed = 0;
  for (int32_t player = 0; player < 2; ++player) {
    std::set<const TUnit*> seen;
    for (const TUnit* unit : Players[player].Units) {
      const auto found = onGrid.find(unit);
      if (found == onGrid.end()) Fail("player " + std::to_string(player) + " lists a stack that stands on no cell");
      if (found->second != player) Fail("player " + std::to_string(player) + " lists a stack of the other player");
      if (!seen.insert(unit).second) Fail("player " + std::to_string(player) + " lists a stack twice");
      ++listed;
    }
  }
  if (listed != onGrid.size()) Fail("a stack on the grid is missing from its player's list");
}

void TSession::CheckNoDeadStacks() const {
  if (!OnGameScreen() || ScreenRequestPending) return;
  const TBoard board = TBoard::FromWorld();
  for (int32_t r = 0; r < board.Rows(); ++r)
    for (int32_t c = 0; c < board.Columns(); ++c) {
      const auto& stack = board.Stack({c, r});
      if (stack && (stack->Lives <= 0 || stack->Count <= 0))
        Fail(StackText(stack) + " at " + CellText({c, r}) + " has no lives left and was not removed");
    }
}

void TSession::CheckFallenQueens() const {
  if (ScreenRequestPending) return;
  const TBoard board = TBoard::FromWorld();
  for (int32_t player = 0; player < 2; ++player)
    if (QueenCount(board, player) < QueensAtStart_[player])
      Fail("the queen of player " + std::to_string(player) + " fell and the game went on without the finish box");
}

bool TSession::OnGameScreen() const { return Hands_->Map() != nullptr; }

bool TSession::OnMenuScreen() const { return OnlyLive<TMenuDesktop>() != nullptr; }
