#include "toolkit/TWinBox.h"

#include <algorithm>

#include "toolkit/TWinBoxAsk.h"
#include "toolkit/TWinButton.h"
#include "toolkit/WidgetFixture.h"

namespace {

class TWinBoxTest : public WidgetTest {
 protected:
  TWinBox* OpenBox() {
    auto* box = new TWinBox(TRect{100, 100, 200, 200}, L"Сообщение", L"Ход переходит к игроку 2.");
    InputRoot = box;
    return box;
  }
  TWinBoxAsk* Ask() { return new TWinBoxAsk(TRect{320, 250, 160, 100}, L"Вопрос", L"Выйти из игры?"); }
  static TWinButton* ButtonOf(TWindow* box, size_t index) {
    return static_cast<TWinButton*>(box->Children.at(index));
  }
  static void ExpectButton(TWinButton* button, const wchar_t* text, int32_t id, int32_t x, int32_t y) {
    EXPECT_EQ(button->Text, text);
    EXPECT_EQ(button->Id, id);
    EXPECT_EQ(button->X, x);
    EXPECT_EQ(button->Y, y);
    EXPECT_EQ(button->Width, 60);
    EXPECT_EQ(button->Height, 20);
  }
};

TEST_F(TWinBoxTest, MessageBoxClosesOnceByItsButtonOrEscape) {
  auto* box = OpenBox();
  ASSERT_EQ(box->Children.size(), 1u);
  ExpectButton(ButtonOf(box, 0), L"Ok", 0, 70, 160);
  EXPECT_EQ(FocusPath.back(), ButtonOf(box, 0));
  Harness.Tick();
  Harness.LeftClick(100 + 75, 100 + 165);
  EXPECT_TRUE(IsLive(box)) << "closes at the end of the frame";
  Harness.Tick();
  EXPECT_FALSE(IsLive(box));
  EXPECT_EQ(InputRoot, Desktop);

  box = OpenBox();
  Harness.Key(VK_ESCAPE);
  Harness.Tick();
  EXPECT_FALSE(IsLive(box));

  // Enter on its button and Escape in the same frame: deleted once.
  const size_t live = LiveWindows.size();
  box = OpenBox();
  Harness.Key(VK_RETURN);
  Harness.Key(VK_ESCAPE);
  EXPECT_EQ(std::count(DeleteQueue.begin(), DeleteQueue.end(), box), 1);
  Harness.Tick();
  EXPECT_EQ(LiveWindows.size(), live);
  EXPECT_TRUE(Desktop->Notes.empty());
}

TEST_F(TWinBoxTest, QuestionBoxAnswersItsDesktopExactlyOnce) {
  auto* ask = Ask();
  EXPECT_EQ(InputRoot, ask);
  ASSERT_EQ(ask->Children.size(), 2u);
  ExpectButton(ButtonOf(ask, 0), L"Да", 1, 17, 60);
  ExpectButton(ButtonOf(ask, 1), L"Нет", 0, 83, 60);
  ask->Id = 9;
  Harness.Tick();
  Harness.Key(VK_ESCAPE);
  Harness.Tick();
  ASSERT_TRUE(IsLive(ask)) << "Escape does not close a question";

  Harness.Key(VK_RETURN);
  Harness.LeftClick(320 + 20, 250 + 65);  // a second answer in the same frame
  ASSERT_EQ(Desktop->Notes.size(), 1u);
  EXPECT_EQ(Desktop->Notes[0].Sender, ask);
  EXPECT_EQ(Desktop->Notes[0].Code, kNotifyAnswer);
  EXPECT_EQ(Desktop->Notes[0].P1, 9);
  EXPECT_EQ(Desktop->Notes[0].P2, 0) << "a bare Enter answers no";
  Harness.Tick();
  EXPECT_FALSE(IsLive(ask));

  ask = Ask();
  Harness.Tick();
  Harness.LeftClick(320 + 20, 250 + 65);
  ASSERT_EQ(Desktop->Notes.size(), 2u);
  EXPECT_EQ(Desktop->Notes[1].P2, 1);
  Harness.Tick();
  ask = Ask();
  ask->OnNotify(nullptr, ask, kNotifyClick, 2, 0);
  Harness.Tick();
  EXPECT_TRUE(IsLive(ask)) << "only p1 0 or 1 answers";
  EXPECT_EQ(Desktop->Notes.size(), 2u);
}

TEST_F(TWinBoxTest, AQuestionOpenedByAnEnterIsNotAnsweredByItsRelease) {
  Harness.KeyDown(VK_RETURN);
  auto* ask = Ask();
  Harness.KeyUp(VK_RETURN);
  Harness.Tick();
  EXPECT_TRUE(IsLive(ask));
  EXPECT_TRUE(Desktop->Notes.empty());
  // The player's own Enter answers it.
  Harness.Key(VK_RETURN);
  ASSERT_EQ(Desktop->Notes.size(), 1u);
  EXPECT_EQ(Desktop->Notes[0].P2, 0);
}

TEST_F(TWinBoxTest, ModalBoxKeepsClicksAndTabInside) {
  auto* outside = new TWinButton(Desktop, Desktop, TRect{20, 20, 120, 30}, L"Снаружи", 5);
  auto* ask = Ask();
  Harness.Tick();
  const std::vector<TWindow*> path = FocusPath;
  Harness.LeftClick(40, 30);
  EXPECT_TRUE(Desktop->Notes.empty());
  EXPECT_EQ(FocusPath, path);
  Harness.Key(VK_TAB);
  EXPECT_EQ(FocusPath.back(), ButtonOf(ask, 0));

  ask->OnNotify(nullptr, ask, kNotifyClick, 0, 0);
  Harness.Tick();
  Desktop->Notes.clear();
  Harness.LeftClick(40, 30);
  ASSERT_EQ(Desktop->Notes.size(), 1u) << "the desktop hears clicks again";
  EXPECT_EQ(Desktop->Notes[0].Sender, outside);
}

TEST_F(TWinBoxTest, DraggingMovesTheBoxWithItsButton) {
  auto* box = OpenBox();
  Harness.Tick();
  const uint32_t frame = Harness.ScreenPixel(100 + 100, 100 + 3);
  EXPECT_NE(frame, kWhitePixel);
  Harness.LeftDown(110, 130);
  Harness.MouseMove(130, 140);
  Harness.MouseMove(145, 150);
  Harness.LeftUp(145, 150);
  EXPECT_EQ(box->X, 135);
  EXPECT_EQ(box->Y, 120);
  Harness.Tick();
  EXPECT_EQ(Harness.ScreenPixel(135 + 100, 120 + 3), frame);
  EXPECT_EQ(Harness.ScreenPixel(100 + 5, 100 + 5), kWhitePixel);

  Harness.LeftClick(100 + 75, 100 + 165);  // where the button was: now the box itself
  Harness.Tick();
  ASSERT_TRUE(IsLive(box));
  Harness.LeftClick(135 + 75, 120 + 165);
  Harness.Tick();
  EXPECT_FALSE(IsLive(box));
}

}  // namespace
