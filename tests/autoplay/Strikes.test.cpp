#include "autoplay/Strikes.h"

#include <gtest/gtest.h>

#include "shell/RandomNumber.h"

TEST(Strikes, TheRollsBetweenTwoStatesAreTheGamesOwnRolls) {
  SeedRandomNumber(12345);
  const uint32_t before = RandomNumberState();
  const int first = RandomNumber();
  const int second = RandomNumber();
  const uint32_t after = RandomNumberState();
  EXPECT_EQ(RollsBetween(before, after, 2), (std::vector<int32_t>{first, second}));
  EXPECT_EQ(RollsBetween(before, before, 2), std::vector<int32_t>{});
  EXPECT_EQ(RollsBetween(before, after, 1), std::nullopt) << "more rolls than allowed";
  RandomNumber();
  EXPECT_EQ(RollsBetween(before, RandomNumberState(), 2), std::nullopt);
}

TEST(Strikes, TheFirstRollIsTheDamageAndASecondCreatureTakesTheSecond) {
  const TStackView target{1, 3, 7, 2};
  // 12 mod 10: two lives taken.
  const auto light = StrikeByTheDice(target, {12});
  ASSERT_TRUE(light);
  EXPECT_EQ(light->Damage, 2);
  EXPECT_EQ(light->After, (TStackView{1, 3, 5, 2}));
  EXPECT_EQ(light->Rolls, 1);
  // 29: nine, more than the top creature has; the next one takes the top with 33 mod 10 + 5.
  const auto heavy = StrikeByTheDice(target, {29, 33});
  ASSERT_TRUE(heavy);
  EXPECT_EQ(heavy->After, (TStackView{1, 3, 8, 1}));
  EXPECT_EQ(heavy->Rolls, 2);
  EXPECT_EQ(StrikeByTheDice(target, {29}), std::nullopt) << "the second roll is missing";
  // The last creature: the stack is left without lives, to be removed.
  const auto last = StrikeByTheDice(TStackView{0, 8, 4, 1}, {5});
  ASSERT_TRUE(last);
  EXPECT_EQ(last->After, (TStackView{0, 8, -1, 0}));
  EXPECT_EQ(last->Rolls, 1);
  // A roll of 0 is a strike too, and takes nothing.
  EXPECT_EQ(StrikeByTheDice(target, {30})->After, target);
  EXPECT_EQ(StrikeByTheDice(target, {}), std::nullopt);
}

TEST(Strikes, EveryDamageMustComeOverManyStrikes) {
  TDamageTally tally{};
  for (int i = 0; i < 400; ++i) ++tally[static_cast<size_t>(i % 10)];
  EXPECT_EQ(DamageSpreadFault(tally), std::nullopt);
  tally[7] = 0;
  EXPECT_EQ(DamageSpreadFault(tally), "over 360 strikes not one did 7 damage");
  // Too few strikes to tell.
  TDamageTally few{};
  few[3] = kStrikesForSpread - 1;
  EXPECT_EQ(DamageSpreadFault(few), std::nullopt);
}
