#include "shell/TSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

// Runs each test in an empty scratch directory, where "option.ini" lives.
class TSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    dir_ = std::filesystem::temp_directory_path() / ("krambol-settings-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(dir_);
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(dir_);
  }
  static void WriteFile(const std::string& bytes) { std::ofstream(kSettingsFileName, std::ios::binary) << bytes; }
  static std::string ReadFile() {
    std::ifstream file(kSettingsFileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  std::filesystem::path previous_;
  std::filesystem::path dir_;
};

}  // namespace

TEST_F(TSettingsTest, MissingFileKeepsDefaultsAndIsCreatedWithThemInCrLfLines) {
  TSettings settings;
  settings.Load();
  EXPECT_EQ(settings.FrameInterval, 66);
  EXPECT_FALSE(settings.FullScreen);
  EXPECT_EQ(ReadFile(), "66\r\n0\r\n");
}

TEST_F(TSettingsTest, ReadsValuesWhateverTheLineEndsAndOnlyIntervalsFromOneToTenThousand) {
  WriteFile("500\n1\n");
  TSettings settings;
  settings.Load();
  EXPECT_EQ(settings.FrameInterval, 500);
  EXPECT_TRUE(settings.FullScreen);

  for (const char* interval : {"1", "1000", "10000"}) {
    WriteFile(std::string(interval) + "\r\n1\r\n");
    TSettings other;
    other.Load();
    EXPECT_EQ(other.FrameInterval, std::stoi(interval)) << "beyond the options menu's range is still taken";
    EXPECT_TRUE(other.FullScreen);
  }
  // An interval that would stop the frames reads like one that cannot be read:
  // the record keeps its value and so does every value after it.
  for (const char* interval : {"0", "-5", "10001", "2147483647"}) {
    WriteFile(std::string(interval) + "\r\n1\r\n");
    TSettings other;
    other.Load();
    EXPECT_EQ(other.FrameInterval, 66) << interval;
    EXPECT_FALSE(other.FullScreen) << interval;
  }
}

TEST_F(TSettingsTest, MalformedValuesKeepWhatTheRecordHeld) {
  WriteFile("40\r\n2\r\n");
  TSettings second_line_two;
  second_line_two.Load();
  EXPECT_EQ(second_line_two.FrameInterval, 40);
  EXPECT_FALSE(second_line_two.FullScreen) << "only 0 and 1 are flags";

  WriteFile("fast\r\n1\r\n");
  TSettings not_a_number;
  not_a_number.Load();
  EXPECT_EQ(not_a_number.FrameInterval, 66);
  EXPECT_FALSE(not_a_number.FullScreen) << "every value after a failed one keeps its value";

  WriteFile("99999999999\r\n1\r\n");
  TSettings out_of_range;
  out_of_range.Load();
  EXPECT_EQ(out_of_range.FrameInterval, 66);

  WriteFile("");
  TSettings empty;
  empty.FrameInterval = 12;
  empty.Load();
  EXPECT_EQ(empty.FrameInterval, 12);
}

TEST_F(TSettingsTest, SaveWritesTheTwoLineForm) {
  TSettings settings;
  settings.FrameInterval = -3;
  settings.FullScreen = true;
  settings.Save();
  EXPECT_EQ(ReadFile(), "-3\r\n1\r\n");
}
