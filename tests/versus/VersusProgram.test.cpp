// The versus program as its player meets it: the start menu, the computer's
// turns played through the map as a person plays them, the person kept off
// the map on those turns, whole games, saves the hot-seat game reads, and the
// ends a run can come to.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "opponent/TBoard.h"
#include "opponent/TMapView.h"
#include "opponent/TRoutes.h"
#include "opponent/TStrongPlayer.h"
#include "screens/TFinishDesktop.h"
#include "screens/TGameMainMenu.h"
#include "screens/TMainMenu.h"
#include "screens/TSaveMenu.h"
#include "shell/ErrorLog.h"
#include "toolkit/TWinBox.h"
#include "toolkit/TWinBoxAsk.h"
#include "toolkit/TWinText.h"
#include "versus/TComputerSide.h"
#include "versus/TVersusMenuDesktop.h"
#include "versus/VersusFixture.h"
#include "world/BoardRest.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/TUnit.h"
#include "world/TWinCell.h"

namespace {

// A side that gives one order chosen beforehand, once per turn.
class TScriptedSide : public TSide {
 public:
  explicit TScriptedSide(TOrder in_order) : Order_(in_order) {}
  bool IsLocal() const override { return false; }
  void Play(TOrderHand& in_hand) override {
    ++Plays;
    in_hand.Give(Order_);
  }
  void TurnPlayed(const TOrder& in_order) override { Seen.push_back(in_order); }

  int Plays = 0;
  std::vector<TOrder> Seen;

 private:
  TOrder Order_;
};

// A computer player that never makes up its mind, counting its slices.
class TEndlessThinker : public TComputerPlayer {
 public:
  explicit TEndlessThinker(int& out_slices) : Slices_(out_slices) {}
  void Begin(const TBoard&, const TViewSpan&) override {}
  bool Think(int64_t) override {
    ++Slices_;
    return false;
  }
  TOrder Order() const override { return TOrder{}; }

 private:
  int& Slices_;
};

// The person's side, noting what it is told.
class TWatchingSide : public TLocalSide {
 public:
  void TurnPlayed(const TOrder& in_order) override { Seen.push_back(in_order); }
  std::vector<TOrder> Seen;
};

}  // namespace

class VersusProgramTest : public VersusTest {
 protected:
  // The turn box's "Ok" once the turn box is open.
  void CloseTurnBox() {
    TWinBox* box = OpenBox(L"Переход хода");
    ASSERT_NE(box, nullptr);
    ClickButton(box, L"Ok");
    Harness.Tick();
  }
};

TEST_F(VersusProgramTest, TheStartMenuOffersTheOpponentItsSideAndStrengthAndOpensTheMapList) {
  StartVersus();
  EXPECT_EQ(Harness.Game().Title, "Крамбол: против компьютера.");
  ASSERT_NE(StartMenu(), nullptr);
  EXPECT_EQ(StartMenu()->Title, L"Против компьютера");
  std::vector<std::wstring> labels;
  for (const TWinText* text : LiveOf<TWinText>()) labels.push_back(text->Text);
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"Противник:", L"Компьютер ходит:", L"Сила:"}));
  // As the setup starts: the computer moves second, and plays well.
  const TChoiceRow& side = StartMenu()->ComputerSide();
  const TChoiceRow& strength = StartMenu()->Strength();
  EXPECT_FALSE(side.Buttons()[0]->Ticked);
  EXPECT_TRUE(side.Buttons()[1]->Ticked);
  EXPECT_TRUE(strength.Buttons()[1]->Ticked);

  // One tick in a row at a time, like radio buttons; a click on the ticked one keeps it.
  Choose(side, 0);
  EXPECT_TRUE(side.Buttons()[0]->Ticked);
  EXPECT_FALSE(side.Buttons()[1]->Ticked);
  EXPECT_TRUE(App().Setup.ComputerFirst);
  Choose(side, 0);
  EXPECT_TRUE(side.Buttons()[0]->Ticked);
  EXPECT_TRUE(App().Setup.ComputerFirst);
  Choose(strength, 0);
  EXPECT_TRUE(strength.Buttons()[0]->Ticked);
  EXPECT_FALSE(strength.Buttons()[1]->Ticked);
  EXPECT_EQ(App().Setup.Strength, TStrength::Easy);

  // The game's map list, and back to the menu with the choices kept.
  CopySampleMap("duel.map");
  ClickButton(StartMenu(), L"Выбрать карту");
  Harness.Tick();
  EXPECT_EQ(StartMenu(), nullptr);
  ASSERT_EQ(LiveOf<TNewGameMenu>().size(), 1u);
  EXPECT_EQ(LiveOf<TNewGameMenu>().front()->Title, L"Выбрать карту");
  EXPECT_EQ(MapListRows(), (std::vector<std::wstring>{L"./duel.map"}));
  ClickButton(LiveOf<TNewGameMenu>().front(), L"Назад");
  Harness.Tick();
  ASSERT_NE(StartMenu(), nullptr);
  EXPECT_TRUE(StartMenu()->ComputerSide().Buttons()[0]->Ticked);
  EXPECT_TRUE(StartMenu()->Strength().Buttons()[0]->Ticked);

  // "Выйти" asks first; "Да" ends the program cleanly.
  ClickButton(StartMenu(), L"Выйти");
  TWinBoxAsk* ask = OpenBox<TWinBoxAsk>(L"???");
  ASSERT_NE(ask, nullptr);
  ClickButton(ask, L"Да");
  Harness.Tick();
  EXPECT_FALSE(IsWindow(Harness.Window()));
  EXPECT_TRUE(ErrorLogEntries().empty());
}

TEST_F(VersusProgramTest, AMapThatCannotBeOpenedShowsTheGamesBoxOverTheMapList) {
  StartVersus();
  // Listed, then gone before it is loaded.
  WriteFile("broken.map", "0\r\n");
  ClickButton(StartMenu(), L"Выбрать карту");
  Harness.Tick();
  std::filesystem::remove(Harness.WorkDir() / "broken.map");
  LoadRow(L"./broken.map");
  Harness.Tick();
  EXPECT_EQ(Map(), nullptr);
  TWinBox* box = OpenBox(L"Ошибка");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Text, L"Не удалось открыть карту.\n./broken.map");
  ClickButton(box, L"Ok");
  Harness.Tick();
  ClickButton(LiveOf<TNewGameMenu>().front(), L"Назад");
  Harness.Tick();
  EXPECT_NE(StartMenu(), nullptr);
}

TEST_F(VersusProgramTest, AComputerTurnSelectsShowsTheRouteThenWalksAndThePersonCannotMeddle) {
  StartVersus();
  StartGameOn("duel.map", true, TStrength::Easy);
  // Player 0 moves first and is the computer's; its order is fixed here.
  auto computer = std::make_unique<TScriptedSide>(TOrder::Move({1, 2}, {5, 2}));
  auto person = std::make_unique<TWatchingSide>();
  TScriptedSide& script = *computer;
  TWatchingSide& watcher = *person;
  App().Match.SetSides(std::move(computer), std::move(person));
  const TUnit* mover = StackAt(1, 2);
  ASSERT_NE(mover, nullptr);

  int shownFrames = 0;
  bool selected = false;
  for (int frame = 0; frame < 200 && TurnCounter == 0; ++frame) {
    // The person tries "Пропустить Ход." and everything on the map, where
    // their pointer stays while the computer plays.
    ClickButton(SideMenu(), L"Пропустить Ход.");
    Harness.Key(VK_RETURN);
    EXPECT_EQ(TurnCounter, 0) << "the person passed the computer's turn";
    ClickCell(8, 2);
    RightClickCell(5, 2);
    HoverCell(6, 5);
    ClickCell(6, 5);
    if (Map()->HasSelection) {
      selected = true;
      EXPECT_EQ(Map()->SelectedCell, Map()->CellWindow(1, 2));
      if (!Map()->Route.empty()) {
        EXPECT_EQ(Map()->Route.back(), std::make_pair(5, 2)) << "the person's pointer moved the route";
        ++shownFrames;
      }
    }
    Harness.Tick();
  }
  EXPECT_TRUE(selected);
  EXPECT_GE(shownFrames, TOrderHand::kShowFrames - 1) << "the route shows for a moment before the walk";
  ASSERT_TRUE(TickUntil([] { return TOrderHand::Ready(); }));
  EXPECT_EQ(TurnCounter, 1);
  EXPECT_EQ(StackAt(5, 2), mover);
  EXPECT_EQ(StackAt(1, 2), nullptr);
  EXPECT_EQ(script.Plays, 1);
  ASSERT_EQ(watcher.Seen.size(), 1u);
  EXPECT_EQ(watcher.Seen[0], TOrder::Move({1, 2}, {5, 2}));

  // Now it is the person's turn, and the same clicks work.
  ClickCell(8, 2);
  EXPECT_TRUE(Map()->HasSelection);
  RightClickCell(8, 2);
  EXPECT_FALSE(Map()->HasSelection);
  ClickButton(SideMenu(), L"Пропустить Ход.");
  EXPECT_EQ(TurnCounter, 2);
  ASSERT_EQ(watcher.Seen.size(), 2u);
  EXPECT_TRUE(watcher.Seen[1].Pass);
  // The turn box names the computer's player: the computer closes it and plays.
  ASSERT_NE(OpenBox(L"Переход хода"), nullptr);
  ASSERT_TRUE(TickUntil([&] { return script.Plays == 2; }, TOrderHand::kShowFrames + 5));
  EXPECT_EQ(LiveOf<TWinBox>().size(), 0u);
}

TEST_F(VersusProgramTest, TheSideMenuWorksOnTheComputersTurnAndTheComputerWaitsForItsMenus) {
  StartVersus();
  StartGameOn("duel.map", true, TStrength::Easy);
  auto computer = std::make_unique<TScriptedSide>(TOrder::Move({1, 2}, {5, 2}));
  TScriptedSide& script = *computer;
  App().Match.SetSides(std::move(computer), nullptr);
  // With the focus on "Пропустить Ход.", as a new game screen has it, Enter
  // does not pass the computer's turn.
  TOrderHand::PassButton()->TakeFocus();
  Harness.Key(VK_RETURN);
  EXPECT_EQ(TurnCounter, 0);
  EXPECT_EQ(LiveOf<TWinBox>().size(), 0u);
  // "Главное меню." opens the in-game main menu before the computer's first step.
  ClickButton(SideMenu(), L"Главное меню.");
  TGameMainMenu* menu = OnlyLive<TGameMainMenu>();
  ASSERT_NE(menu, nullptr);
  Harness.Tick(30);
  EXPECT_FALSE(Map()->HasSelection) << "the computer played under an open menu";
  EXPECT_EQ(TurnCounter, 0);
  // Saving on the computer's turn works.
  ClickButton(menu, L"Сохранить игру");
  Harness.Tick();
  TSaveMenu* save = OnlyLive<TSaveMenu>();
  ASSERT_NE(save, nullptr);
  ClickButton(save, L"Сохранить");
  Harness.Tick();
  EXPECT_TRUE(std::filesystem::exists(Harness.WorkDir() / "Save01.map"));
  // Once the menus are closed, the computer plays.
  ASSERT_TRUE(TickUntil([] { return TurnCounter == 1 && TOrderHand::Ready(); }));
  EXPECT_EQ(script.Plays, 1);
  EXPECT_NE(StackAt(5, 2), nullptr);
}

TEST_F(VersusProgramTest, TheComputerBeginsItsOrderOnlyOnceTheLastBlowsAnimationIsOver) {
  StartVersus();
  StartGameOn("duel.map", true, TStrength::Easy);
  // The computer's order, given only when the board rests (what the network
  // game's digest is taken at): no stack still in the pose of a blow.
  class TRestChecker : public TScriptedSide {
   public:
    using TScriptedSide::TScriptedSide;
    void Play(TOrderHand& in_hand) override {
      RestedAtPlay = BoardAtRest(*TOrderHand::GameMap());
      TScriptedSide::Play(in_hand);
    }
    bool RestedAtPlay = false;
  };
  auto computer = std::make_unique<TRestChecker>(TOrder::Move({1, 2}, {5, 2}));
  TRestChecker& script = *computer;
  App().Match.SetSides(std::move(computer), nullptr);
  // A stack in the last frame of a blow, as after a strike: its animation
  // ends with the next frame, which leaves it in the blow's pose for one more.
  TUnit* striker = MapCells[8][2]->Unit;
  ASSERT_NE(striker, nullptr);
  striker->CurrentAnimation = striker->Animation(kAttack);
  ASSERT_NE(striker->CurrentAnimation, nullptr);
  striker->Animating = true;
  striker->FrameIndex = std::max<int32_t>(static_cast<int32_t>(striker->CurrentAnimation->Rows) - 1, 0);
  Map()->Wake(Map()->CellWindow(8, 2));
  ASSERT_TRUE(TickUntil([&] { return script.Plays > 0; }, 20));
  EXPECT_TRUE(script.RestedAtPlay) << "the order began while a stack still showed its blow";
}

TEST_F(VersusProgramTest, AnOrderFartherApartThanTheWindowShowsIsStillGivenThroughTheMap) {
  StartVersus();
  StartGameOn("forest.map", true, TStrength::Easy);
  // A window too small for the order's two cells at once, as when the other
  // copy of a network game gave it in a larger one.
  SetClientSize(640, 480);
  Harness.Tick();
  // The first stack of the side to move that is not its queen, and the
  // farthest free cell it has a route to.
  const TBoard board = TBoard::FromWorld();
  std::optional<TCellPos> start;
  for (int column = 0; column < MapColumns && !start; ++column)
    for (int row = 0; row < MapRows && !start; ++row)
      if (const TUnit* unit = StackAt(column, row); unit && unit->Owner == PlayerToMove() && unit->Type != 8)
        start = TCellPos{column, row};
  ASSERT_TRUE(start.has_value());
  const TCellPos from = *start;
  std::optional<TCellPos> target;
  const TRoutes routes(board, from);
  for (int column = 0; column < MapColumns; ++column)
    for (int row = 0; row < MapRows; ++row) {
      const TCellPos cell{column, row};
      if (StackAt(column, row) || MapCells[column][row]->Place || routes.DistanceTo(cell) == TRoutes::kNone) continue;
      if (!target || std::abs(column - from.Column) > std::abs(target->Column - from.Column)) target = cell;
    }
  ASSERT_TRUE(target.has_value());
  const TCellPos to = *target;
  ASSERT_FALSE(TOrderHand::Span().Fits(from, to)) << "the window shows both cells: the test shows nothing";
  const TUnit* mover = StackAt(from.Column, from.Row);
  auto computer = std::make_unique<TScriptedSide>(TOrder::Move(from, to));
  TScriptedSide& script = *computer;
  App().Match.SetSides(std::move(computer), nullptr);
  ASSERT_TRUE(TickUntil([&] { return TurnCounter == 1 && TOrderHand::Ready(); }, 3000));
  EXPECT_EQ(script.Plays, 1);
  EXPECT_EQ(StackAt(to.Column, to.Row), mover);
  EXPECT_EQ(StackAt(from.Column, from.Row), nullptr);
}

TEST_F(VersusProgramTest, AHostCommandLineWhoseMapCannotBeOpenedSaysSoOverTheStartMenu) {
  TLaunchOptions options;
  options.Role = TLaunchRole::Host;
  options.MapPath = "missing.map";
  StartApplication(std::make_unique<TVersusApp>(options), 800, 600);
  Harness.Tick();
  EXPECT_TRUE(App().Launch.Over());
  EXPECT_EQ(App().Launch.ExitCode(), TLaunchedGame::kExitFiles);
  // A person typed it: the game's box over the start menu, and the program stays.
  ASSERT_EQ(LiveOf<TWinBox>().size(), 1u);
  EXPECT_EQ(LiveOf<TWinBox>()[0]->Text, L"Не удалось открыть карту.\nmissing.map");
  EXPECT_NE(StartMenu(), nullptr);
  Harness.Tick(5);
  EXPECT_TRUE(IsWindow(Harness.Window()));
  EXPECT_EQ(App().Net.Session(), nullptr) << "nothing listens";
}

TEST_F(VersusProgramTest, AnUnattendedRunWhoseMapCannotBeOpenedClosesTheProgram) {
  TLaunchOptions options;
  options.Role = TLaunchRole::Host;
  options.MapPath = "missing.map";
  options.Computer = true;
  StartApplication(std::make_unique<TVersusApp>(options), 800, 600);
  Harness.Tick(3);
  EXPECT_FALSE(IsWindow(Harness.Window()));
}

TEST_F(VersusProgramTest, AComputerWithoutALegalOrderPasses) {
  StartVersus();
  // The computer's one stack (player 1, to move) is walled in by trees.
  WriteFile("walled.map", "1\r\n\"Red Baron\"\r\n\"Blue Duke\"\r\n[4 3]\r\n"
                          "<[0 0]NU0[8 10 1 2 3]>\r\n<[0 0]NN>\r\n<[0 0]P(2 0)N>\r\n<[0 0]P(2 0)N>\r\n\r\n"
                          "<[0 0]NN>\r\n<[0 0]NN>\r\n<[0 0]P(2 0)N>\r\n<[0 0]NU1[8 10 1 6 3]>\r\n\r\n"
                          "<[0 0]NN>\r\n<[0 0]NN>\r\n<[0 0]P(2 0)N>\r\n<[0 0]P(2 0)N>\r\n\r\n");
  StartGameOn("walled.map", true, TStrength::Easy);
  ASSERT_TRUE(TickUntil([] { return TurnCounter == 2; }, 100));
  TWinBox* box = OpenBox(L"Переход хода");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Text, L"Играет Игрок:\nRed Baron");
  // The box announces the person: it stays for them to close.
  Harness.Tick(TOrderHand::kShowFrames * 3);
  EXPECT_NE(OnlyLive<TWinBox>(), nullptr);
}

TEST_F(VersusProgramTest, AWholeGameAgainstTheComputerEndsOnTheFinishScreenAndItsSaveOpensInTheHotSeatGame) {
  StartVersus();
  StartGameOn("duel.map", false, TStrength::Easy);
  ASSERT_TRUE(App().Match.Side(0)->IsLocal());
  ASSERT_FALSE(App().Match.Side(1)->IsLocal());
  // The person passes every turn; the computer's turns come by themselves.
  bool saved = false;
  TBoard atSave(0, 0);
  for (int step = 0; step < 400 && !OnlyLive<TFinishDesktop>(); ++step) {
    if (TOrderHand::Ready() && PlayerToMove() == 0) {
      if (!saved && TurnCounter >= 2) {
        atSave = TBoard::FromWorld();
        ClickButton(SideMenu(), L"Главное меню.");
        ClickButton(OnlyLive<TGameMainMenu>(), L"Сохранить игру");
        Harness.Tick();
        ClickButton(OnlyLive<TSaveMenu>(), L"Сохранить");
        saved = true;
      } else {
        ClickButton(SideMenu(), L"Пропустить Ход.");
        CloseTurnBox();
      }
    }
    Harness.Tick();
  }
  ASSERT_NE(OnlyLive<TFinishDesktop>(), nullptr) << "the computer did not win against a person who passes";
  TWinBox* box = OpenBox(L"Ураа!!!");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Text, L"Выйграл Игрок:\nBlue Duke");
  ClickButton(box, L"Ok");
  Harness.Tick(3);
  EXPECT_NE(OnlyLive<TVersusMenuDesktop>(), nullptr);
  EXPECT_NE(StartMenu(), nullptr);
  ASSERT_TRUE(saved);
  ClickButton(StartMenu(), L"Выйти");
  ClickButton(OpenBox<TWinBoxAsk>(L"???"), L"Да");
  Harness.Tick();
  EXPECT_FALSE(IsWindow(Harness.Window()));
  EXPECT_TRUE(ErrorLogEntries().empty());
  EXPECT_TRUE(LiveWindows.empty());

  // The hot-seat game, started in the same folder, opens the save as it was.
  StartApplication(std::make_unique<TGame>(), 800, 600);
  ClickButton(OnlyLive<TMainMenu>(), L"Загрузить игру");
  Harness.Tick();
  LoadRow(L"./Save01.map");
  Harness.Tick();
  ASSERT_NE(Map(), nullptr);
  EXPECT_TRUE(TBoard::FromWorld() == atSave);
  EXPECT_EQ(PlayerToMove(), 0);
}

TEST_F(VersusProgramTest, AHotSeatSaveOpensHereWithTheSidesChosenAgainAndTheComputerPlaysItsTurn) {
  // The hot-seat game: player 0 passes, then the game is saved on player 1's turn.
  StartApplication(std::make_unique<TGame>(), 800, 600);
  CopySampleMap("duel.map");
  ClickButton(OnlyLive<TMainMenu>(), L"Загрузить игру");
  Harness.Tick();
  LoadRow(L"./duel.map");
  Harness.Tick();
  ASSERT_NE(Map(), nullptr);
  ClickButton(SideMenu(), L"Пропустить Ход.");
  CloseTurnBox();
  ASSERT_EQ(PlayerToMove(), 1);
  const TBoard atSave = TBoard::FromWorld();
  ClickButton(SideMenu(), L"Главное меню.");
  ClickButton(OnlyLive<TGameMainMenu>(), L"Сохранить игру");
  Harness.Tick();
  ClickButton(OnlyLive<TSaveMenu>(), L"Сохранить");
  Harness.Tick();
  ASSERT_TRUE(std::filesystem::exists(Harness.WorkDir() / "Save01.map"));

  // Here the computer takes the side to move in the save, as "первым" says.
  StartVersus();
  StartGameOn("Save01.map", true, TStrength::Easy);
  EXPECT_TRUE(TBoard::FromWorld() == atSave);
  EXPECT_EQ(PlayerToMove(), 1);
  EXPECT_FALSE(App().Match.Side(1)->IsLocal());
  EXPECT_TRUE(App().Match.Side(0)->IsLocal());
  ASSERT_TRUE(TickUntil([&] { return TurnCounter == atSave.Turn + 1 || OnlyLive<TFinishDesktop>() != nullptr; }, 500))
      << "the computer did not play its turn of the loaded game";
  if (!OnlyLive<TFinishDesktop>()) {
    EXPECT_FALSE(atSave.Differences(TBoard::FromWorld()).empty()) << "the computer gave no order";
    EXPECT_EQ(PlayerToMove(), 0);
  }
  EXPECT_TRUE(ErrorLogEntries().empty());
}

TEST_F(VersusProgramTest, TheComputerThinksInSlicesBetweenFramesAndClosingTheWindowMeanwhileEndsTheRunCleanly) {
  StartVersus();
  StartGameOn("battle.map", true, TStrength::Strong);
  int slices = 0;
  App().Match.SetSides(std::make_unique<TComputerSide>(std::make_unique<TEndlessThinker>(slices)), nullptr);
  // One slice after each frame, and the frames go on.
  Harness.Tick(5);
  EXPECT_EQ(slices, 5);
  EXPECT_FALSE(Map()->HasSelection);
  EXPECT_EQ(TurnCounter, 0);
  Harness.Close();
  EXPECT_FALSE(IsWindow(Harness.Window()));
  EXPECT_TRUE(ErrorLogEntries().empty());
  EXPECT_TRUE(LiveWindows.empty());
}

TEST_F(VersusProgramTest, TheStrongComputerPlaysItsTurnsThroughTheMapToo) {
  StartVersus();
  StartGameOn("duel.map", false, TStrength::Strong);
  const TBoard before = TBoard::FromWorld();
  ClickButton(SideMenu(), L"Пропустить Ход.");
  CloseTurnBox();
  ASSERT_TRUE(TickUntil([] { return TurnCounter == 2 || OnlyLive<TFinishDesktop>() != nullptr; }, 500));
  if (TurnCounter == 2) {
    EXPECT_FALSE(before.Differences(TBoard::FromWorld()).empty()) << "the computer gave no order";
  }
  EXPECT_TRUE(ErrorLogEntries().empty());
}
