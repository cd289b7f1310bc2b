#include "autoplay/TReplay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

class TReplayTest : public ::testing::Test {
 protected:
  TReplayTest() : Path_(std::filesystem::temp_directory_path() / ("autoplay-" + std::to_string(std::random_device()()) + ".replay")) {}
  ~TReplayTest() override {
    std::error_code ignored;
    std::filesystem::remove(Path_, ignored);
  }
  void Write(const std::string& in_text) { std::ofstream(Path_, std::ios::binary) << in_text; }
  std::string ReadError() {
    TReplay replay;
    std::string error;
    EXPECT_FALSE(ReadReplay(Path_, replay, error));
    return error;
  }

  std::filesystem::path Path_;
};

}  // namespace

namespace {

TAction Action(TActionKind in_kind, TCellPos in_from = {}, TCellPos in_to = {}) {
  TAction action;
  action.Kind = in_kind;
  action.From = in_from;
  action.To = in_to;
  return action;
}

}  // namespace

TEST(TAction, EveryKindReadsBackAsWritten) {
  std::vector<TAction> actions;
  actions.push_back(Action(TActionKind::Order, {0, 3}, {9, 4}));
  actions.push_back(Action(TActionKind::Cut, {1, 2}, {5, 7}));
  actions.back().Frames = 13;
  actions.back().Via = TCellPos{2, 2};
  actions.push_back(Action(TActionKind::Probe, {}, {4, 4}));
  actions.back().Hasty = true;
  actions.push_back(Action(TActionKind::Pass));
  actions.push_back(Action(TActionKind::Save));
  actions.back().Name = "Ab3z";
  actions.push_back(Action(TActionKind::Menu));
  actions.push_back(Action(TActionKind::Order, {1, 1}, {2, 2}));
  actions.back().Via = TCellPos{1, 2};
  actions.back().Hasty = true;
  actions.push_back(Action(TActionKind::Try, {3, 1}, {4, 2}));
  actions.push_back(Action(TActionKind::Try, {0, 0}, {0, 1}));
  actions.back().Clicked = true;
  actions.push_back(Action(TActionKind::Order, {5, 5}, {7, 7}));
  actions.back().Via = TCellPos{6, 6};
  actions.back().Poke = TPoke{9, {6, 5}};
  actions.back().Hasty = true;
  for (const TAction& action : actions) {
    const auto read = ParseAction(ActionText(action));
    ASSERT_TRUE(read.has_value()) << ActionText(action);
    EXPECT_EQ(*read, action) << ActionText(action);
  }
  EXPECT_EQ(ActionText(actions[1]), "cut 1 2 5 7 13 via 2 2");
  EXPECT_EQ(ActionText(actions[6]), "order 1 1 2 2 via 1 2 hasty");
  EXPECT_EQ(ActionText(actions[8]), "try 0 0 0 1 click");
  EXPECT_EQ(ActionText(actions[9]), "order 5 5 7 7 via 6 6 poke 9 6 5 hasty");
  for (const char* bad : {"order 1 2 3", "order 1 2 3 4 5", "cut 1 2 3 4", "cut 1 2 3 4 -1", "save a.map",
                          "save", "pass now", "jump 1 1", "", "probe 1 1 via 2 2", "save Ab hasty",
                          "order 1 1 2 2 hasty hasty", "order 1 1 2 2 via 3", "try 1 1 2", "try 1 1 2 2 hasty",
                          "try 1 1 2 2 click click", "order 1 1 2 2 click", "cut 1 1 2 2 3 poke 1 1 1",
                          "order 1 1 2 2 poke -1 1 1", "order 1 1 2 2 poke 1 1", "order 1 1 2 2 poke 1 1 1 via 1 1"})
    EXPECT_FALSE(ParseAction(bad).has_value()) << bad;
}

TEST_F(TReplayTest, AFileWrittenAsASessionGoesReadsBackWithItsMapsByteForByte) {
  TReplay header;
  header.Seed = 4000000000u;
  header.Policies[0] = "greedy";
  header.Swap = true;
  header.Turns = 300;
  header.DrawEvery = 16;
  // Line breaks of both kinds, a blank name and bytes above 127 stay as they are.
  header.Maps = {{"duel.map", "0\r\n\"Red \xE9\"\r\n\n"}, {"b.map", "1\r\n"}};
  {
    TReplayWriter writer(Path_, header);
    ASSERT_TRUE(writer.Good());
    writer.Game("duel.map");
    writer.Action(Action(TActionKind::Order, {0, 3}, {9, 4}));
    writer.Comment("turn 1");
    writer.Action(Action(TActionKind::Pass));
    writer.Result("win 1 turns 2");
    writer.Game("b.map");
    TAction save = Action(TActionKind::Save);
    save.Name = "Q1";
    writer.Action(save);
    writer.Quit();
    writer.Failure("soft-lock:\nthe order did not end");
  }
  TReplay read;
  std::string error;
  ASSERT_TRUE(ReadReplay(Path_, read, error)) << error;
  EXPECT_EQ(read.Seed, 4000000000u);
  EXPECT_EQ(read.Policies[0], "greedy");
  EXPECT_EQ(read.Policies[1], "random");
  EXPECT_TRUE(read.Swap);
  EXPECT_EQ(read.Turns, 300);
  EXPECT_EQ(read.DrawEvery, 16);
  ASSERT_EQ(read.Maps.size(), 2u);
  EXPECT_EQ(read.Maps[0].Name, "duel.map");
  EXPECT_EQ(read.Maps[0].Bytes, header.Maps[0].Bytes);
  EXPECT_EQ(read.Maps[1].Bytes, "1\r\n");
  ASSERT_EQ(read.Games.size(), 2u);
  EXPECT_EQ(read.Games[0].Map, "duel.map");
  ASSERT_EQ(read.Games[0].Actions.size(), 2u);
  EXPECT_EQ(read.Games[0].Actions[1].Kind, TActionKind::Pass);
  EXPECT_EQ(read.Games[0].Result, "win 1 turns 2");
  ASSERT_EQ(read.Games[1].Actions.size(), 1u);
  EXPECT_EQ(read.Games[1].Actions[0].Name, "Q1");
  EXPECT_EQ(read.Games[1].Result, "");
  EXPECT_TRUE(read.Quit);
  EXPECT_EQ(read.Failure, "soft-lock: / the order did not end");
}

TEST_F(TReplayTest, WhatIsNotAReplayIsRefusedWithItsLine) {
  Write("seed 1\n");
  EXPECT_NE(ReadError().find("not a replay"), std::string::npos);
  Write("krambol-autoplay-replay 1\norder 0 0 1 1\n");
  EXPECT_NE(ReadError().find(":2:"), std::string::npos);
  Write("krambol-autoplay-replay 1\nmap a.map 100\nshort\n");
  EXPECT_NE(ReadError().find("end early"), std::string::npos);
  Write("krambol-autoplay-replay 1\npolicies random clever\n");
  EXPECT_NE(ReadError().find("policies"), std::string::npos);
  Write("krambol-autoplay-replay 1\ngame a.map\nfly 1 2\n");
  EXPECT_NE(ReadError().find("unknown line"), std::string::npos);
  TReplay replay;
  std::string error;
  EXPECT_FALSE(ReadReplay(Path_.string() + ".missing", replay, error));
}
