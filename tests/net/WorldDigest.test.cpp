// The world's digest two copies of a game compare: the same for the same
// position and dice, different as soon as any cell's tree or stack, the turn
// counter, a name or the dice differ.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "net/WorldDigest.h"
#include "shell/RandomNumber.h"
#include "support/WorldTestSupport.h"
#include "world/MapFile.h"

using WorldDigestTest = TWorldTest;

TEST_F(WorldDigestTest, SamePositionSameDigestAnyDifferenceAnother) {
  const char* const queen = "<[1 0]NU0[8 10 1 4 2.5]>";
  const std::string base = GridMapText(4, 3, 2, {{0, 0, "<[0 0]P(2 5)N>"}, {2, 1, queen}});
  SeedRandomNumber(99);
  ReadMapFromBytes(base);
  const uint64_t digest = NNet::WorldDigest();
  // Read again from the same bytes, with the same dice: the same position.
  ReadMapFromBytes(base);
  EXPECT_EQ(NNet::WorldDigest(), digest);

  const std::string others[] = {
      GridMapText(5, 3, 2, {{0, 0, "<[0 0]P(2 5)N>"}, {2, 1, queen}}),                    // the turn
      GridMapText(4, 3, 2, {{0, 0, "<[0 0]P(3 5)N>"}, {2, 1, queen}}),                    // a tree's type
      GridMapText(4, 3, 2, {{0, 0, "<[0 0]P(2 6)N>"}, {2, 1, queen}}),                    // a tree's frame
      GridMapText(4, 3, 2, {{1, 0, "<[0 0]P(2 5)N>"}, {2, 1, queen}}),                    // a tree's cell
      GridMapText(4, 3, 2, {{0, 0, "<[0 0]P(2 5)N>"}, {2, 1, "<[1 0]NU0[8 9 1 4 2.5]>"}}),  // lives
      GridMapText(4, 3, 2, {{0, 0, "<[0 0]P(2 5)N>"}, {2, 1, "<[1 0]NU1[8 10 1 4 2.5]>"}}),  // the owner
      GridMapText(4, 3, 2, {{0, 0, "<[0 0]P(2 5)N>"}, {2, 1, "<[1 0]NU0[8 10 1 3 2.5]>"}}),  // the direction
      GridMapText(4, 3, 2, {{0, 0, "<[0 0]P(2 5)N>"}, {2, 1, "<[1 0]NU0[8 10 1 4 1.5]>"}}),  // moves left
      GridMapText(4, 3, 2, {{0, 0, "<[0 0]P(2 5)N>"}, {1, 1, queen}}),                    // the stack's cell
  };
  std::set<uint64_t> seen = {digest};
  for (const std::string& other : others) {
    ReadMapFromBytes(other);
    EXPECT_TRUE(seen.insert(NNet::WorldDigest()).second) << other;
  }

  // The same position with the dice elsewhere in their sequence: the copies
  // would roll differently from now on.
  ReadMapFromBytes(base);
  RandomNumber();
  EXPECT_NE(NNet::WorldDigest(), digest);
}
