// The editor panel's sliders, brush 1 to 9 and facing 0 to 7, dragged and
// pressed as a player does: the whole track spans the whole range.
#include "editor/EditorFixture.h"
#include "toolkit/TWinScroll.h"

namespace {

// The middle of the slider's thumb on the screen.
TPoint ThumbMiddle(const TWinScroll* in_slider) {
  const TRect& thumb = in_slider->ThumbRect;
  return ScreenPointOf(in_slider, thumb.x + thumb.width / 2, thumb.y + thumb.height / 2);
}

}  // namespace

TEST_F(EditorTest, ASliderDraggedOverItsWholeTrackGoesOverItsWholeRange) {
  StartEditor();
  ChooseTool(0);
  TWinScroll* brush = Panel()->Brush;
  ASSERT_NE(brush, nullptr);
  ASSERT_EQ(brush->Value, 1);

  // A drag of a few pixels is a small part of the track: the value stays.
  TPoint at = ThumbMiddle(brush);
  Harness.LeftDown(at.x, at.y);
  Harness.MouseMove(at.x + 3, at.y);
  Harness.LeftUp(at.x + 3, at.y);
  EXPECT_EQ(Desktop()->Tools.BrushSize, 1);

  // Half the track is half the range, the end of it the maximum, and beyond
  // the end the value stays there.
  at = ThumbMiddle(brush);
  Harness.LeftDown(at.x, at.y);
  Harness.MouseMove(at.x + brush->Track / 2, at.y);
  EXPECT_EQ(Desktop()->Tools.BrushSize, 5);
  Harness.MouseMove(at.x + brush->Track, at.y);
  EXPECT_EQ(Desktop()->Tools.BrushSize, 9);
  Harness.MouseMove(at.x + brush->Track + 40, at.y);
  Harness.LeftUp(at.x + brush->Track + 40, at.y);
  EXPECT_EQ(Desktop()->Tools.BrushSize, 9);
  EXPECT_EQ(brush->Value, 9);

  // A press on the free track puts the thumb under the pointer; the arrows step by one.
  const TPoint start = ScreenPointOf(brush, brush->DecreaseRect.x + brush->DecreaseRect.width, at.y - brush->Y);
  Harness.LeftClick(start.x + brush->ThumbRect.width / 2 + brush->Track / 4, ThumbMiddle(brush).y);
  EXPECT_EQ(Desktop()->Tools.BrushSize, 3);
  const TPoint increase = ScreenPointOf(brush, brush->IncreaseRect.x + 5, brush->IncreaseRect.y + 5);
  Harness.LeftClick(increase.x, increase.y);
  EXPECT_EQ(Desktop()->Tools.BrushSize, 4);

  // The stacks' facing, 0 to 7, the same way.
  ChooseTool(2);
  TWinScroll* facing = Panel()->Facing;
  ASSERT_NE(facing, nullptr);
  at = ThumbMiddle(facing);
  Harness.LeftDown(at.x, at.y);
  Harness.MouseMove(at.x + facing->Track, at.y);
  Harness.LeftUp(at.x + facing->Track, at.y);
  EXPECT_EQ(Desktop()->Tools.Direction, 7);
  at = ThumbMiddle(facing);
  Harness.LeftDown(at.x, at.y);
  Harness.MouseMove(at.x - facing->Track, at.y);
  Harness.LeftUp(at.x - facing->Track, at.y);
  EXPECT_EQ(Desktop()->Tools.Direction, 0);
}
