// The map window updates only the cells that have work. Played twice with the
// same input and the same dice, once as the game runs and once with every cell
// updated in every frame, a game must look the same frame by frame: the same
// pictures and the same state in every cell.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/PlatformTest.h"
#include "shell/RandomNumber.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/TUnit.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"
#include "support/WorldTestSupport.h"

namespace {

constexpr int kColumns = 9;
constexpr int kRows = 7;

// Stacks of both sides, most of them weak enough to die in a few strikes, and
// trees to walk around; no queen, so that the game never ends.
std::string Battlefield() {
  return GridMapText(0, kColumns, kRows,
                     {{1, 1, "<[0 0]NU0[0 6 2 0 3]>"}, {2, 3, "<[0 0]NU0[2 3 1 0 3]>"}, {1, 5, "<[0 0]NU0[4 12 1 0 3]>"},
                      {3, 0, "<[0 0]NU0[1 2 1 0 3]>"}, {7, 1, "<[0 0]NU1[2 5 1 0 7]>"}, {6, 3, "<[0 0]NU1[0 4 2 0 7]>"},
                      {7, 5, "<[0 0]NU1[3 9 1 0 7]>"}, {5, 6, "<[0 0]NU1[5 1 1 0 7]>"}, {4, 2, "<[0 0]P(2 2)N>"},
                      {4, 4, "<[0 0]P(3 1)N>"}, {5, 2, "<[0 0]P(2 0)N>"}});
}

// Which of the six animations the stack shows.
int AnimationOf(const TUnit& in_unit) {
  for (int state = 0; state < kAnimationStateCount; ++state)
    if (in_unit.CurrentAnimation == in_unit.Animation(static_cast<TAnimationState>(state))) return state;
  return -1;
}

// Everything a frame leaves in the map and its cells, as text.
std::string MapState(const TMap& in_map) {
  std::ostringstream state;
  state << "turn " << TurnCounter << " moving " << in_map.Moving << " selected " << in_map.HasSelection << " route";
  for (const auto& [column, row] : in_map.Route) state << " " << column << "," << row;
  state << "\n";
  for (int r = 0; r < in_map.Rows(); ++r)
    for (int c = 0; c < in_map.Columns(); ++c) {
      const TWinCell* window = in_map.CellWindow(c, r);
      state << c << "," << r << ": offsets " << window->OffsetX << " " << window->OffsetY << " steps " << window->StepX
            << " " << window->StepY << " hover " << window->Hovered << " route " << window->OnRoute;
      if (const TUnit* unit = window->Cell ? window->Cell->Unit : nullptr)
        state << " stack " << unit->Owner << " " << unit->Type << " lives " << unit->Lives << " count " << unit->Count
              << " facing " << unit->Direction << " animation " << AnimationOf(*unit) << " frame " << unit->FrameIndex
              << " animating " << unit->Animating;
      state << "\n";
    }
  return state.str();
}

uint64_t Fnv1a(const std::vector<uint32_t>& in_pixels) {
  uint64_t hash = 1469598103934665603ull;
  for (const uint32_t pixel : in_pixels) {
    hash ^= pixel;
    hash *= 1099511628211ull;
  }
  return hash;
}

// The first line where the two texts differ, from both.
std::string FirstDifference(const std::string& in_a, const std::string& in_b) {
  std::istringstream a(in_a), b(in_b);
  std::string lineA, lineB;
  while (true) {
    const bool moreA = static_cast<bool>(std::getline(a, lineA));
    const bool moreB = static_cast<bool>(std::getline(b, lineB));
    if (!moreA && !moreB) return "";
    if (!moreA || !moreB || lineA != lineB) return "cells with work: " + lineA + "\nevery cell: " + lineB;
  }
}

struct TFrame {
  std::string State;
  uint64_t Picture = 0;
};

class MapCellUpdatesTest : public TMapPlayTest {
 protected:
  // Plays the same seeded stream of mouse input and frames: clicks (selecting,
  // giving orders, and ignored ones during walks), hovering anywhere, right
  // clicks that stop walks, skipped turns. With in_everyCell, every cell of the
  // map is woken before every frame, so that every one is updated.
  std::vector<TFrame> Play(bool in_everyCell, uint32_t in_seed, int in_frames) {
    std::vector<TFrame> frames;
    TMap* map = Show(Battlefield());
    if (!map) return frames;
    SeedRandomNumber(in_seed);
    std::mt19937 input(in_seed);
    const auto any = [&](int limit) { return static_cast<int>(input() % static_cast<uint32_t>(limit)); };
    const auto frame = [&] {
      if (in_everyCell)
        for (int r = 0; r < kRows; ++r)
          for (int c = 0; c < kColumns; ++c) map->Wake(map->CellWindow(c, r));
      Harness.Tick();
      std::vector<uint32_t> pixels;
      int width = 0, height = 0;
      PlatformTest::ReadWindowPixels(Harness.Window(), pixels, width, height);
      frames.push_back(TFrame{MapState(*map), Fnv1a(pixels)});
    };
    const auto stacksOf = [&](bool in_own) {
      std::vector<std::pair<int, int>> cells;
      for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c)
          if (const TUnit* unit = StackAt(c, r); unit && (unit->Owner == TurnCounter % 2) == in_own) cells.push_back({c, r});
      return cells;
    };
    const auto oneOf = [&](const std::vector<std::pair<int, int>>& in_cells) {
      return in_cells.empty() ? std::pair(any(kColumns), any(kRows))
                              : in_cells[static_cast<size_t>(any(static_cast<int>(in_cells.size())))];
    };
    while (static_cast<int>(frames.size()) < in_frames && Map() == map) {
      // An order: one of the mover's stacks, a look elsewhere, then a click on
      // an enemy (a strike) or on any cell (a walk, or none without a route).
      const auto [fromColumn, fromRow] = oneOf(stacksOf(true));
      Click(fromColumn, fromRow);
      for (int i = any(3); i > 0; --i) Hover(any(kColumns), any(kRows));
      const auto [toColumn, toRow] = any(2) == 0 ? oneOf(stacksOf(false)) : std::pair(any(kColumns), any(kRows));
      Hover(toColumn, toRow);
      Click(toColumn, toRow);
      // Frames, with the pointer wandering, clicks that must be ignored, a
      // right click now and then that stops the walk, a skipped turn.
      for (int i = any(40); i > 0 && Map() == map; --i) {
        const int roll = any(100);
        if (roll < 20) {
          Hover(any(kColumns), any(kRows));
        } else if (roll < 25) {
          Click(any(kColumns), any(kRows));
        } else if (roll < 27) {
          RightClick(any(kColumns), any(kRows));
          Harness.MouseMove(map->Width + 10, 10);
        } else if (roll < 28) {
          SkipTurn();
          Harness.Key(VK_ESCAPE);
        }
        frame();
      }
    }
    return frames;
  }
};

}  // namespace

TEST_F(MapCellUpdatesTest, UpdatingOnlyCellsWithWorkShowsWhatUpdatingEveryCellShows) {
  for (const uint32_t seed : {3u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::vector<TFrame> some = Play(false, seed, 600);
    const std::vector<TFrame> every = Play(true, seed, 600);
    ASSERT_EQ(some.size(), every.size());
    // The play must have done what the optimisation has to get right.
    int strikes = 0, deaths = 0, steps = 0;
    for (size_t i = 0; i < some.size(); ++i) {
      ASSERT_EQ(FirstDifference(some[i].State, every[i].State), "") << "frame " << i;
      ASSERT_EQ(some[i].Picture, every[i].Picture) << "frame " << i;
      strikes += some[i].State.find("animation 1") != std::string::npos;
      deaths += some[i].State.find("animation 2") != std::string::npos;
      steps += some[i].State.find("animation 4") != std::string::npos;
    }
    EXPECT_GT(strikes, 0);
    EXPECT_GT(deaths, 0);
    EXPECT_GT(steps, 0);
  }
}
