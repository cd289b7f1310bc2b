#include "shell/ErrorLog.h"

#include <gtest/gtest.h>

#include <string>

class ErrorLogTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearErrorLogForTests(); }
  void TearDown() override { ClearErrorLogForTests(); }
};

TEST_F(ErrorLogTest, ReportListsEntriesNewestFirstEachFollowedByLineFeedCarriageReturn) {
  LogError("A");
  LogError("B");
  LogError("C");
  EXPECT_EQ(BuildErrorReport(), "C\n\rB\n\rA\n\r");
  EXPECT_EQ(BuildErrorReport(), BuildErrorReport()) << "building the report must not change the log";
}

TEST_F(ErrorLogTest, FormatsNarrowWideAndIntegerArgumentsWideOnesInCp1251) {
  LogError("CreateWindow [%s] - FAILED", "Крамбол.");
  LogError("нет текстуры [%S]", L"res/map/grund_iso.tif");
  LogError("Не верное удалние текстуры, еще есть %d элементов", -1);
  LogError("%S", L"Ёлка");
  ASSERT_EQ(ErrorLogEntries().size(), 4u);
  EXPECT_EQ(ErrorLogEntries()[0], "CreateWindow [Крамбол.] - FAILED");
  EXPECT_EQ(ErrorLogEntries()[1], "нет текстуры [res/map/grund_iso.tif]");
  EXPECT_EQ(ErrorLogEntries()[2], "Не верное удалние текстуры, еще есть -1 элементов");
  // Compiled as CP1251, the narrow literal holds the same bytes the conversion makes.
  EXPECT_EQ(ErrorLogEntries()[3], "Ёлка");
  EXPECT_EQ(ErrorLogEntries()[3], "\xA8\xEB\xEA\xE0");
}

TEST_F(ErrorLogTest, LongMessagesAreCutToTheBufferWithALineFeedAtTheEnd) {
  const std::string exact(2045, 'x');
  LogError("%s", exact.c_str());
  EXPECT_EQ(ErrorLogEntries().back(), exact);

  const std::string just_over(2046, 'y');
  LogError("%s", just_over.c_str());
  EXPECT_EQ(ErrorLogEntries().back(), just_over + "\n");

  const std::string long_one(3000, 'z');
  LogError("%s", long_one.c_str());
  EXPECT_EQ(ErrorLogEntries().back(), std::string(2046, 'z') + "\n");

  // The shared buffer is reused: a short message after a long one is not polluted.
  LogError("short %d", 7);
  EXPECT_EQ(ErrorLogEntries().back(), "short 7");
}
