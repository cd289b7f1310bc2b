#include "screens/TFinishDesktop.h"

#include "support/ScreenFixture.h"
#include "screens/TMenuDesktop.h"
#include "screens/WinnerText.h"
#include "toolkit/TWinBox.h"

namespace {

using FinishScreenTest = ScreenTest;

TEST_F(FinishScreenTest, WinnerBoxClosesIntoTheMenuScreenTwoFramesLater) {
  StartGame();
  const uint32_t menuBackground = Harness.ScreenPixel(5, 5);
  // Places that neither the main menu nor the winner's box covers.
  const std::vector<TPoint> edges{{5, 5}, {795, 5}, {5, 595}, {795, 595}, {400, 20}, {20, 300}, {780, 300}};
  std::vector<uint32_t> menuEdges;
  for (const TPoint& p : edges) menuEdges.push_back(Harness.ScreenPixel(p.x, p.y));
  // The stretched picture, not a plain fill: the desktop's own white, or one
  // colour everywhere, would mean no picture was drawn.
  EXPECT_NE(std::count(menuEdges.begin(), menuEdges.end(), menuEdges.front()),
            static_cast<ptrdiff_t>(menuEdges.size()));
  EXPECT_EQ(std::count(menuEdges.begin(), menuEdges.end(), 0xFFFFFFFFu), 0);
  WinnerText = L"Выйграл Игрок:\nRed Baron";
  RequestScreen(2);
  Harness.Tick();
  auto* finish = dynamic_cast<TFinishDesktop*>(RootWindow);
  ASSERT_NE(finish, nullptr);
  EXPECT_EQ(InputRoot, finish);
  ASSERT_EQ(finish->Children.size(), 1u);
  auto* box = dynamic_cast<TWinBox*>(finish->Children.front());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Title, L"Ураа!!!");
  EXPECT_EQ(box->Text, L"Выйграл Игрок:\nRed Baron");
  EXPECT_EQ(Place(box), (TWindowPlace{300, 250, 200, 100}));
  EXPECT_EQ(Harness.ScreenPixel(5, 5), menuBackground) << "the same stretched background";
  for (size_t i = 0; i < edges.size(); ++i) EXPECT_EQ(Harness.ScreenPixel(edges[i].x, edges[i].y), menuEdges[i]);

  ClickButton(box, L"Ok");
  Harness.Tick();
  EXPECT_EQ(RootWindow, finish);
  EXPECT_TRUE(finish->Children.empty());
  Harness.Tick();
  EXPECT_EQ(RootWindow, finish) << "the empty finish screen shows for one frame";
  EXPECT_TRUE(ScreenRequestPending);
  Harness.Tick();
  EXPECT_NE(dynamic_cast<TMenuDesktop*>(RootWindow), nullptr);
  EXPECT_EQ(Harness.ScreenPixel(5, 5), menuBackground);
  WinnerText.clear();
}

TEST_F(FinishScreenTest, EscapeClosesTheWinnerBoxToo) {
  StartGame();
  WinnerText = L"Выйграл Игрок:\nBlue Duke";
  RequestScreen(2);
  Harness.Tick();
  // The box is not modal: the key reaches it through the focus path.
  Harness.Key(VK_ESCAPE);
  Harness.Tick(3);
  EXPECT_NE(dynamic_cast<TMenuDesktop*>(RootWindow), nullptr);
  WinnerText.clear();
}

}  // namespace
