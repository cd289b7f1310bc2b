#include "shell/ErrorLog.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cwchar>
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

TEST_F(ErrorLogTest, EveryConversionTakesItsOwnArgumentSoTheNextOneReadsTheRightOne) {
  int target = 5;
  LogError("%p|%s", static_cast<void*>(&target), "after pointer");
  LogError("%.2f|%s|%e", 2.5, "after double", 1.0);
  LogError("%Lg|%s", 0.25L, "after long double");
  LogError("%lld|%llu|%s", -9000000000LL, 18000000000ULL, "after long long");
  LogError("%hhd|%hd|%ld|%zu|%td|%jd|%s", 300, 70000, -7L, size_t{12}, ptrdiff_t{-3}, intmax_t{4}, "after sizes");
  LogError("[%*d|%-*d|%.*s|%.*d]|%s", 5, 42, 4, 7, 3, "abcdef", -1, 9, "after stars");
  LogError("%o|%#x|%X|%c|%lc|%ls|%%|%s", 8u, 255u, 171u, 'k', static_cast<wint_t>(L'Ж'), L"Ёж", "after chars");
  ASSERT_EQ(ErrorLogEntries().size(), 7u);
  EXPECT_NE(ErrorLogEntries()[0].find("|after pointer"), std::string::npos) << ErrorLogEntries()[0];
  EXPECT_EQ(ErrorLogEntries()[0].rfind("(nil)", 0), std::string::npos);
  EXPECT_EQ(ErrorLogEntries()[1], "2.50|after double|1.000000e+00");
  EXPECT_EQ(ErrorLogEntries()[2], "0.25|after long double");
  EXPECT_EQ(ErrorLogEntries()[3], "-9000000000|18000000000|after long long");
  EXPECT_EQ(ErrorLogEntries()[4], "44|4464|-7|12|-3|4|after sizes");
  EXPECT_EQ(ErrorLogEntries()[5], "[   42|7   |abc|9]|after stars");
  EXPECT_EQ(ErrorLogEntries()[6], "10|0xff|AB|k|Ж|Ёж|%|after chars");

  // %n is taken and stores nothing.
  int written = -1;
  const char* counting = "ab%n|%s";
  LogError(counting, &written, "after count");
  EXPECT_EQ(ErrorLogEntries().back(), "ab|after count");
  EXPECT_EQ(written, -1);

  // A conversion the C library does not have ends the formatting: the rest
  // stands as written and no later argument is read in its place.
  const char* unknown = "%d %y %s %d";
  LogError(unknown, 3, "never read", 4);
  EXPECT_EQ(ErrorLogEntries().back(), "3 %y %s %d");
  const char* cutOff = "tail %-";
  LogError(cutOff, 1);
  EXPECT_EQ(ErrorLogEntries().back(), "tail %-");
}
