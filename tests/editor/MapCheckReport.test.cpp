// The mapcheck command: its lines, its exit status and its options.
#include "editor/MapCheckReport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/WorldTestSupport.h"
#include "world/Utf8Text.h"

namespace {

class MapCheckReportTest : public TWorldTest {
 protected:
  // Writes the bytes into the working directory; the name to pass.
  std::string Put(const std::string& in_name, const std::string& in_bytes) {
    std::ofstream(Harness.WorkDir() / in_name, std::ios::binary) << in_bytes;
    return in_name;
  }

  int Run(const std::vector<std::string>& in_arguments) {
    Output.clear();
    return RunMapCheck(in_arguments, Output);
  }

  std::string Output;
};

std::string U8(const std::wstring& in_text) { return Utf8Text(in_text); }

const std::string kGood = GridMapText(0, 3, 1, {{0, 0, "<[0 0]NU0[8 10 1 4 3]>"}, {2, 0, "<[0 0]NU1[8 10 1 4 3]>"}});

}  // namespace

TEST_F(MapCheckReportTest, GoodMapsPassAndWarningsFailOnlyWhenStrict) {
  const std::string good = Put("good.map", kGood);
  const std::string lonely = Put("lonely.map", GridMapText(0, 3, 1, {{0, 0, "<[0 0]NU0[8 10 1 4 3]>"}}));
  EXPECT_EQ(Run({"--strict", good}), 0);
  EXPECT_EQ(Output, U8(L"Файлов: 1, ошибок: 0, предупреждений: 0\n"));

  EXPECT_EQ(Run({good, lonely}), 0);
  EXPECT_EQ(Output, U8(L"lonely.map: предупреждение: Игрок 2: нет королевы.\n"
                       L"lonely.map: предупреждение: Игрок 2: нет ни одного отряда.\n"
                       L"Файлов: 2, ошибок: 0, предупреждений: 2\n"));
  EXPECT_EQ(Run({good, "--strict", lonely}), 1);
}

TEST_F(MapCheckReportTest, AFileTheReaderWouldNotReadWholeIsAnErrorAtItsFirstBadToken) {
  std::string broken = kGood;
  broken.replace(broken.find("[8 10 1 4 3]"), 12, "[8 10 x 4 3]");
  const std::string name = Put("broken.map", broken);
  EXPECT_EQ(Run({name}), 1);
  // The read stops there: the warnings are those of what it read.
  EXPECT_EQ(Output, U8(L"broken.map:5:16: клетка (0, 0): ожидалось: число созданий в отряде, найдено: «x»\n"
                       L"broken.map: предупреждение: Игрок 1: нет королевы.\n"
                       L"broken.map: предупреждение: Игрок 1: нет ни одного отряда.\n"
                       L"broken.map: предупреждение: Игрок 2: нет королевы.\n"
                       L"broken.map: предупреждение: Игрок 2: нет ни одного отряда.\n"
                       L"Файлов: 1, ошибок: 1, предупреждений: 4\n"));

  EXPECT_EQ(Run({"missing.map"}), 1);
  EXPECT_EQ(Output, U8(L"missing.map: не удалось открыть файл\nФайлов: 1, ошибок: 1, предупреждений: 0\n"));
  std::filesystem::create_directory(Harness.WorkDir() / "folder.map");
  EXPECT_EQ(Run({"folder.map"}), 1);
  EXPECT_NE(Output.find(U8(L"folder.map: не удалось открыть файл")), std::string::npos);
  // A file without cells has its size for an error, and no warnings.
  EXPECT_EQ(Run({Put("empty.map", "0 \"a\" \"b\" [0 0]")}), 1);
  EXPECT_EQ(Output.find(U8(L"предупреждение")), std::string::npos);
}

TEST_F(MapCheckReportTest, ACommandLineWithoutFilesOrWithAnUnknownOptionIsMisuse) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({"--strict"}), 2);
  EXPECT_EQ(Run({"--fast", "x.map"}), 2);
  EXPECT_NE(Output.find("--fast"), std::string::npos);
  // After "--" a name that looks like an option is a file.
  EXPECT_EQ(Run({"--", "-odd.map"}), 1);
  EXPECT_NE(Output.find(U8(L"-odd.map: не удалось открыть файл")), std::string::npos);
}
