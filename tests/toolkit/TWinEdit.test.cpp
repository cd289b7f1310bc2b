#include "toolkit/TWinEdit.h"

#include "toolkit/WidgetFixture.h"

namespace {

class TWinEditTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    Menu = OpenMenu();
  }
  void Type(const std::wstring& text) {
    for (wchar_t c : text) Harness.Char(c);
  }
  void Send(TWinEdit* edit, int32_t code, const std::wstring* text) {
    edit->OnNotify(Menu, edit, code, reinterpret_cast<intptr_t>(text), 0);
  }
  TRecordingMenu* Menu = nullptr;
};

TEST_F(TWinEditTest, EachFieldTakesOnlyItsCharactersWhileThereIsRoom) {
  auto* digits = new TWinEdit(TRect{20, 40, 200, 40}, Menu, Menu, L"");
  EXPECT_EQ(digits->Height, 18);
  Type(L"7a");
  EXPECT_EQ(digits->Text, L"7");
  EXPECT_EQ(Menu->CharsReached, std::vector<wchar_t>{L'a'}) << "refused characters go on";
  Type(std::wstring(30, L'1'));
  EXPECT_EQ(digits->Text.size(), 23u) << "room for 23 characters at width 200";

  auto* letters = new TWinEditLette(TRect{20, 80, 200, 18}, Menu, Menu, L"");
  Menu->CharsReached.clear();
  Type(L"7aZя_ ");
  EXPECT_EQ(letters->Text, L"7aZ");
  EXPECT_EQ(Menu->CharsReached, (std::vector<wchar_t>{L'я', L'_', L' '}));
}

TEST_F(TWinEditTest, EditingKeysAtTheEdges) {
  auto* edit = new TWinEdit(TRect{20, 40, 200, 18}, Menu, Menu, L"123");
  Harness.Key(VK_BACK);
  Harness.Key(VK_LEFT);
  EXPECT_EQ(edit->Text, L"123");
  EXPECT_EQ(edit->Caret, 0);
  EXPECT_TRUE(Menu->KeysReached.empty()) << "handled at caret 0 too";

  Harness.Key(VK_RIGHT);
  Type(L"9");
  EXPECT_EQ(edit->Text, L"1923");
  Harness.Key(VK_BACK);
  Harness.Key(VK_DELETE);
  EXPECT_EQ(edit->Text, L"13");
  Harness.Key(VK_RIGHT);
  Harness.Key(VK_RIGHT);
  Harness.Key(VK_DELETE);
  EXPECT_EQ(edit->Text, L"13");
  EXPECT_EQ(Menu->KeysReached, (std::vector<int>{VK_DELETE, VK_DELETE})) << "Delete is passed on";
}

TEST_F(TWinEditTest, TextTravelsOnEnterAndOnRequest) {
  auto* edit = new TWinEdit(TRect{20, 40, 200, 18}, Menu, Menu, L"");
  Harness.Key(VK_RETURN);
  ASSERT_EQ(Menu->Notes.size(), 1u) << "even with an empty text";
  EXPECT_EQ(Menu->Notes[0].Sender, edit);
  EXPECT_EQ(Menu->Notes[0].Code, kNotifyEditText);
  EXPECT_EQ(Menu->Notes[0].Text, L"");

  const std::wstring year = L"2024";
  Send(edit, kNotifySetValue, &year);
  Send(edit, kNotifyReport, nullptr);
  ASSERT_EQ(Menu->Notes.size(), 2u);
  EXPECT_EQ(Menu->Notes[1].Text, L"2024");

  // A caret left beyond a shorter text is clamped before it is used.
  for (int i = 0; i < 4; ++i) Harness.Key(VK_RIGHT);
  const std::wstring five = L"5";
  Send(edit, kNotifySetValue, &five);
  Harness.Tick(8);
  Harness.Key(VK_DELETE);
  Type(L"6");
  EXPECT_EQ(edit->Text, L"56");
  for (int i = 0; i < 3; ++i) Harness.Key(VK_BACK);
  EXPECT_EQ(edit->Text, L"");
  EXPECT_EQ(edit->Caret, 0);

  // A set request without a text changes nothing and says nothing.
  Type(L"8");
  const size_t notes = Menu->Notes.size();
  Send(edit, kNotifySetValue, nullptr);
  EXPECT_EQ(edit->Text, L"8");
  EXPECT_EQ(Menu->Notes.size(), notes);
}

TEST_F(TWinEditTest, CaretBlinksEveryFourFramesWhileFocused) {
  auto* edit = new TWinEdit(TRect{20, 40, 200, 18}, Menu, Menu, L"");
  for (int frame = 1; frame <= 20; ++frame) {
    Harness.Tick();
    if (frame < 4) continue;
    const bool shown = (frame / 4) % 2 == 0;
    EXPECT_EQ(PixelAt(edit, 24, 49), shown ? kBlackPixel : kVeryLightRedPixel) << "frame " << frame;
    EXPECT_EQ(PixelAt(edit, 20, 49), shown ? kRedPixel : kBlackPixel) << "outline, frame " << frame;
  }
  // Unfocused, the caret stays off.
  new TWinEdit(TRect{20, 80, 200, 18}, Menu, Menu, L"");
  Harness.Tick();
  for (int frame = 0; frame < 12; ++frame) {
    Harness.Tick();
    EXPECT_EQ(PixelAt(edit, 24, 49), kVeryLightRedPixel);
  }
}

TEST_F(TWinEditTest, LosingOrGainingTheFocusRepaintsTheFieldAtOnce) {
  auto* first = new TWinEditLette(TRect{20, 40, 200, 18}, Menu, Menu, L"");
  auto* second = new TWinEditLette(TRect{20, 80, 200, 18}, Menu, Menu, L"");
  Menu->Dirty = true;
  ClickAt(first, 100, 49);
  Harness.Tick(8);
  ASSERT_EQ(PixelAt(first, 20, 49), kRedPixel) << "caret shown on the eighth frame";

  // A click on the other field: the first one is black and caret-less in the
  // very next picture, the second shows its caret and red outline at once.
  ClickAt(second, 100, 89);
  Harness.Tick();
  EXPECT_EQ(PixelAt(first, 20, 49), kBlackPixel);
  EXPECT_EQ(PixelAt(first, 24, 49), kVeryLightRedPixel);
  EXPECT_EQ(PixelAt(second, 20, 89), kRedPixel);
  EXPECT_EQ(PixelAt(second, 24, 89), kBlackPixel);
  // Tab away from the second one: the same.
  Harness.Key(VK_TAB);
  Harness.Tick();
  EXPECT_NE(FocusPath.back(), second);
  EXPECT_EQ(PixelAt(second, 20, 89), kBlackPixel);
  EXPECT_EQ(PixelAt(second, 24, 89), kVeryLightRedPixel);
}

}  // namespace
