// What the network game shows and keeps: the join code as shown and typed,
// the box after a fault, and the position saved beside the other maps
// without overwriting any.
#include <gtest/gtest.h>

#include <filesystem>

#include "net/NetTexts.h"
#include "support/FileBytes.h"
#include "support/WorldTestSupport.h"
#include "world/MapFile.h"

TEST(NetTexts, TheJoinCodeIsSixDigitsShownAndTypedAlike) {
  for (int i = 0; i < 50; ++i) {
    const uint32_t code = NNet::NewJoinCode();
    const std::wstring text = NNet::JoinCodeText(code);
    ASSERT_EQ(text.size(), 6u);
    EXPECT_NE(text[0], L'0');
    uint32_t typed = 0;
    ASSERT_TRUE(NNet::ParseJoinCode(text, typed));
    EXPECT_EQ(typed, code);
  }
  uint32_t typed = 0;
  ASSERT_TRUE(NNet::ParseJoinCode(L" 482 913 ", typed));
  EXPECT_EQ(typed, 482913u);
  for (const wchar_t* wrong : {L"", L"48291", L"4829130", L"48291x", L"-48291", L"４８２９１３"})
    EXPECT_FALSE(NNet::ParseJoinCode(wrong, typed)) << static_cast<int>(wrong[0]);
}

using NetSaveTest = TWorldTest;

TEST_F(NetSaveTest, ThePositionGoesToAFreeNameAndTheBoxNamesIt) {
  ReadMapFromBytes(GridMapText(9, 2, 1, {{1, 0, "<[1 0]NU1[8 10 1 4 2.5]>"}}));
  const std::string position = WriteMapToBytes();
  std::filesystem::remove(MapFilePath(L"Сеть01.map"));
  std::filesystem::remove(MapFilePath(L"Сеть02.map"));
  PutFile(MapFilePath(L"Сеть01.map"), "an earlier game");

  const std::wstring name = NNet::SaveNetworkPosition();
  EXPECT_EQ(name, L"Сеть02.map");
  EXPECT_EQ(FileBytes(MapFilePath(name)), position);
  EXPECT_EQ(FileBytes(MapFilePath(L"Сеть01.map")), "an earlier game");

  const NNet::TNetSession session(nullptr, WM_USER);
  EXPECT_EQ(NNet::FaultText(session, name, false), L"Сетевая игра окончена.\nПозиция сохранена в файл «Сеть02.map».");
  EXPECT_EQ(NNet::FaultText(session, L"", true), L"Сетевая игра окончена.\nПозицию сохранить не удалось.");
  std::filesystem::remove(MapFilePath(L"Сеть01.map"));
  std::filesystem::remove(MapFilePath(L"Сеть02.map"));
}
