// Two copies of the versus program, each in a process of its own with its own
// working folder, started with the command line of an unattended network
// game over 127.0.0.1 or ::1: the computer plays the host's side in one and
// the guest's side in the other, and every move crosses the network. A whole
// game ends with both copies agreeing and the same final position in both
// result files; a copy whose dice go their own way stops both copies with
// the mismatch, each with its position saved, and the host's save, hosted
// again, plays on to the end; a game stopped at the turn cap ends as a draw
// with the same position in both.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "headless/GameHarness.h"
#include "net/NetTexts.h"
#include "net/TNetSession.h"
#include "screens/TFinishDesktop.h"
#include "shell/RandomNumber.h"
#include "support/ChildProcess.h"
#include "support/FileBytes.h"
#include "toolkit/WindowTree.h"
#include "versus/TVersusApp.h"
#include "world/MapFile.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "versus/TOrderHand.h"
#include "world/TUnit.h"
#include "world/Utf8Text.h"
#include "world/WorldState.h"

namespace {

namespace fs = std::filesystem;

// Frames of 1 ms: a whole game takes seconds, not minutes.
constexpr int kFrameInterval = 1;
// More frames than a game on the forest map takes (about 8,000).
constexpr int kMostFrames = 60000;
// Seconds either copy may take.
constexpr unsigned kChildSeconds = 240;

// What a copy does between its frames (something a test makes go wrong), and
// what it checks once its run is over, while its program and folder are there.
using TBetweenFrames = std::function<void(TVersusApp&)>;
using TAfterRun = std::function<void(TVersusApp&, int in_exitCode)>;

// Runs one copy of the program in this (child) process: a harness of its own,
// frames of kFrameInterval, the clock never ahead of the real one (so that the
// other copy's keep-alives and time-outs keep their meaning), until the run
// is over or the program closed. Answers the run's exit code, or -1 when it
// never ended.
int RunCopy(const TLaunchOptions& in_options, const fs::path& in_map, const TBetweenFrames& in_between = {},
            const TAfterRun& in_after = {}) {
  TGameHarness harness;
  {
    std::ofstream settings(harness.WorkDir() / "option.ini", std::ios::binary);
    settings << kFrameInterval << "\r\n0\r\n";
  }
  if (!in_map.empty()) fs::copy_file(in_map, harness.WorkDir() / in_map.filename());
  auto& app = static_cast<TVersusApp&>(harness.Start(std::make_unique<TVersusApp>(in_options)));
  harness.SetClientSize(800, 600);
  const auto started = std::chrono::steady_clock::now();
  for (int frame = 0; frame < kMostFrames && IsWindow(harness.Window()) && !app.Launch.Over(); ++frame) {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) DispatchMessageA(&msg);
    // The window's own timer may have run a frame among those messages.
    if (app.Launch.Over()) break;
    const auto due = started + std::chrono::milliseconds(frame * kFrameInterval);
    std::this_thread::sleep_until(due);
    harness.Tick();
    if (in_between && IsWindow(harness.Window())) in_between(app);
  }
  const int code = app.Launch.Over() ? app.Launch.ExitCode() : -1;
  if (in_after) in_after(app, code);
  return code;
}

// Waits up to in_seconds for the host's announce file; its port and code.
bool ReadAnnounce(const fs::path& in_file, int in_seconds, uint16_t& out_port, std::string& out_code) {
  for (int i = 0; i < in_seconds * 100; ++i) {
    std::ifstream file(in_file);
    unsigned port = 0;
    if (file >> port >> out_code && port > 0 && port < 65536) {
      out_port = static_cast<uint16_t>(port);
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// The bytes of a file; empty when there is none.
std::string BytesOf(const fs::path& in_file) {
  std::ifstream file(in_file, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

}  // namespace

class VersusTwoPrograms : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/krambol-two-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    Folder = folder;
    Map = fs::path(KRAMBOL_MAPS_DIR) / "forest.map";
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(Folder, error);
  }

  // The host's options, for in_map copied into its folder.
  TLaunchOptions HostOptions(TStrength in_strength, const fs::path& in_map) const {
    TLaunchOptions options;
    options.Role = TLaunchRole::Host;
    options.MapPath = in_map.filename().string();
    options.Port = 0;
    options.LoopbackOnly = true;
    options.AnnouncePath = (Folder / "announce").string();
    options.Computer = true;
    options.Strength = in_strength;
    options.ResultPath = (Folder / "host.map").string();
    return options;
  }

  // The guest's options once the host has announced its port and code.
  TLaunchOptions GuestOptions(TStrength in_strength) const {
    TLaunchOptions options;
    options.Role = TLaunchRole::Join;
    options.Address = GetParam();
    std::string code;
    EXPECT_TRUE(ReadAnnounce(Folder / "announce", 30, options.JoinPort, code)) << "the host never announced";
    std::wstring wide(code.begin(), code.end());
    EXPECT_TRUE(NNet::ParseJoinCode(wide, options.Code)) << code;
    options.Computer = true;
    options.Strength = in_strength;
    options.ResultPath = (Folder / "guest.map").string();
    return options;
  }

  // Plays a whole game from the map in_map between a strong host and an
  // easy guest; both must end agreeing, the host on the finish screen with a
  // queen fallen. Answers the final position, the same in both result files.
  std::string PlayToTheEnd(const fs::path& in_map) {
    auto expectWon = [](TVersusApp&, int in_code) {
      EXPECT_EQ(in_code, TLaunchedGame::kExitFinished);
      EXPECT_NE(dynamic_cast<TFinishDesktop*>(RootWindow), nullptr);
      EXPECT_FALSE(WinnerText.empty());
      int queens[2] = {0, 0};
      for (int column = 0; column < MapColumns; ++column)
        for (int row = 0; row < MapRows; ++row)
          if (const TUnit* unit = MapCells[column][row]->Unit; unit && unit->Type == 8) ++queens[unit->Owner & 1];
      EXPECT_TRUE(queens[0] == 0 || queens[1] == 0) << "no queen fell: " << queens[0] << " " << queens[1];
    };
    const TChildChecks host = StartChildChecks(
        [&] { RunCopy(HostOptions(TStrength::Strong, in_map), in_map, {}, expectWon); }, TChildUser::Same, kChildSeconds);
    const TChildChecks guest = StartChildChecks(
        [&] { EXPECT_EQ(RunCopy(GuestOptions(TStrength::Easy), {}), TLaunchedGame::kExitFinished); },
        TChildUser::Same, kChildSeconds);
    EXPECT_EQ(ChildFailures(host), "") << "the host";
    EXPECT_EQ(ChildFailures(guest), "") << "the guest";
    const std::string hosted = BytesOf(Folder / "host.map");
    EXPECT_FALSE(hosted.empty());
    EXPECT_EQ(hosted, BytesOf(Folder / "guest.map")) << "the final positions differ";
    return hosted.empty() ? "0" : hosted;
  }

  fs::path Folder;
  fs::path Map;
};

TEST_P(VersusTwoPrograms, AWholeGameEndsWithTheSameFinalPositionInBoth) {
  const std::string final = PlayToTheEnd(Map);
  EXPECT_NE(final, BytesOf(Map));
  EXPECT_FALSE(fs::exists(Folder / "host.map.tmp")) << "the result is written whole, its temporary file gone";
}

TEST_P(VersusTwoPrograms, AGameAtTheTurnCapStopsInBothCopiesWithTheSamePosition) {
  constexpr int32_t kCap = 12;
  auto expectStopped = [&](TVersusApp&, int in_code) {
    EXPECT_EQ(in_code, TLaunchedGame::kExitFinished);
    EXPECT_EQ(TurnCounter, kCap);
    EXPECT_EQ(dynamic_cast<TFinishDesktop*>(RootWindow), nullptr) << "the game did not end by itself";
  };
  TLaunchOptions hostOptions = HostOptions(TStrength::Strong, Map);
  hostOptions.TurnCap = kCap;
  const TChildChecks host = StartChildChecks([&] { RunCopy(hostOptions, Map, {}, expectStopped); },
                                             TChildUser::Same, kChildSeconds);
  const TChildChecks guest = StartChildChecks(
      [&] {
        TLaunchOptions guestOptions = GuestOptions(TStrength::Easy);
        guestOptions.TurnCap = kCap;
        RunCopy(guestOptions, {}, {}, expectStopped);
      },
      TChildUser::Same, kChildSeconds);
  EXPECT_EQ(ChildFailures(host), "") << "the host";
  EXPECT_EQ(ChildFailures(guest), "") << "the guest";
  const std::string hosted = BytesOf(Folder / "host.map");
  EXPECT_EQ(hosted.substr(0, hosted.find('\r')), std::to_string(kCap));
  EXPECT_EQ(hosted, BytesOf(Folder / "guest.map")) << "the positions at the cap differ";
}

TEST_P(VersusTwoPrograms, ACopyWhoseDiceGoAstrayStopsBothAndTheSavedPositionPlaysOnAsANewGame) {
  // Each copy checks, in its own folder, the box's text and the saved
  // position; the host keeps its save for the next game.
  const fs::path saved = Folder / MapFilePath(L"Сеть01.map");
  auto expectMismatch = [&](TVersusApp& in_app, int in_code) {
    EXPECT_EQ(in_code, TLaunchedGame::kExitFault);
    EXPECT_EQ(in_app.Net.LastFaultText().rfind(L"Позиции у игроков разошлись.", 0), 0u)
        << Utf8Text(in_app.Net.LastFaultText());
    EXPECT_TRUE(fs::exists(MapFilePath(L"Сеть01.map")));
  };
  const TChildChecks host = StartChildChecks(
      [&] {
        RunCopy(HostOptions(TStrength::Easy, Map), Map, {}, [&](TVersusApp& in_app, int in_code) {
          expectMismatch(in_app, in_code);
          fs::copy_file(MapFilePath(L"Сеть01.map"), saved);
        });
      },
      TChildUser::Same, kChildSeconds);
  const TChildChecks guest = StartChildChecks(
      [&] {
        bool reseeded = false;
        RunCopy(
            GuestOptions(TStrength::Easy), {},
            [&](TVersusApp& in_app) {
              if (!reseeded && in_app.Net.Playing() && TurnCounter >= 4) {
                SeedRandomNumber(RandomNumberState() ^ 0x5A5A5A5Au);
                reseeded = true;
              }
            },
            expectMismatch);
        EXPECT_TRUE(reseeded);
      },
      TChildUser::Same, kChildSeconds);
  EXPECT_EQ(ChildFailures(host), "") << "the host";
  EXPECT_EQ(ChildFailures(guest), "") << "the guest";
  EXPECT_FALSE(fs::exists(Folder / "host.map"));
  EXPECT_FALSE(fs::exists(Folder / "guest.map"));

  // The host loads the save and hosts it: the game goes on from the saved
  // turn to its end, the same on both copies.
  const std::string position = BytesOf(saved);
  ASSERT_FALSE(position.empty());
  const int savedTurn = std::stoi(position);
  EXPECT_GE(savedTurn, 4);
  fs::remove(Folder / "announce");
  const std::string final = PlayToTheEnd(saved);
  EXPECT_GT(std::stoi(final), savedTurn);
}

INSTANTIATE_TEST_SUITE_P(Loopback, VersusTwoPrograms, ::testing::Values("127.0.0.1", "::1"),
                         [](const ::testing::TestParamInfo<const char*>& in_info) {
                           return std::strchr(in_info.param, ':') ? std::string("IPv6") : std::string("IPv4");
                         });
