// The overview over the map's corner: what its miniature shows, that it
// follows edits, that a click or a drag on it scrolls the map, folding it,
// and a map far wider than the miniature.
#include <string>

#include "editor/EditorFixture.h"
#include "editor/TEditorOverview.h"
#include "support/WorldTestSupport.h"
#include "world/WorldState.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

class OverviewTest : public EditorTest {
 protected:
  static TEditorOverview* Overview() { return Desktop()->Overview; }
  // What the screen shows at a point of the miniature.
  uint32_t PicturePixel(int in_x, int in_y) const {
    const TRect picture = Overview()->PictureRect();
    return Harness.ScreenPixel(picture.x + in_x, picture.y + in_y);
  }
  // The cell in the middle of the map window.
  static std::pair<int32_t, int32_t> MiddleCell() {
    int32_t column = -1, row = -1;
    Map()->CellAt(TPoint{Map()->X + Map()->Width / 2, Map()->Y + Map()->Height / 2}, column, row);
    return {column, row};
  }
};

}  // namespace

TEST_F(OverviewTest, TheMiniatureShowsGroundTreesAndStacksAndFollowsEdits) {
  StartEditor();
  // 40 x 30: water on the left half, a wood in the top-right corner, a stack of each side.
  OpenMap("view.map", GeneratedMapText(0, 40, 30, [](int c, int r) -> std::string {
            if (c == 30 && r == 20) return "<[0 0]NU0[8 12 1 4 3]>";
            if (c == 5 && r == 5) return "<[7 3]NU1[8 12 1 4 3]>";
            if (c >= 36 && r <= 3) return "<[0 0]P(3 0)N>";
            return c < 20 ? "<[7 3]NN>" : "";
          }));
  const TRect picture = Overview()->PictureRect();
  // 4.5 pixels a cell: 180 x 135, in the bottom-right corner of the map window.
  EXPECT_EQ(picture.width, 180);
  EXPECT_EQ(picture.height, 135);
  EXPECT_LT(picture.x + picture.width, Map()->X + Map()->Width);
  EXPECT_LT(picture.y + picture.height, Map()->Y + Map()->Height);

  const uint32_t water = Overview()->TileColours()[3 * 8 + 7];
  const uint32_t grass = Overview()->TileColours()[0];
  EXPECT_NE(water, grass);
  EXPECT_EQ(PicturePixel(40, 100), water);
  EXPECT_EQ(PicturePixel(120, 40), grass);
  const uint32_t wood = PicturePixel(170, 5);
  EXPECT_NE(wood, grass);
  EXPECT_EQ(PicturePixel(30 * 9 / 2 + 1, 20 * 9 / 2 + 1), kBlack);
  EXPECT_EQ(PicturePixel(5 * 9 / 2 + 1, 5 * 9 / 2 + 1), kWhite);

  // A cell painted shows in the next frame.
  ChooseTool(0);
  ChoosePaletteItem(31);
  Map()->CentreOn(30, 10);
  ClickCell(30, 10);
  Harness.Tick();
  EXPECT_EQ(PicturePixel(30 * 9 / 2 + 2, 10 * 9 / 2 + 2), water);
  CtrlKey('Z');
  Harness.Tick();
  EXPECT_EQ(PicturePixel(30 * 9 / 2 + 2, 10 * 9 / 2 + 2), grass);
}

TEST_F(OverviewTest, AClickOrADragOnTheMiniatureScrollsTheMapThereAndItsTitleFoldsIt) {
  StartEditor();
  OpenMap("big.map", GridMapText(0, 60, 60, {}));
  TRect picture = Overview()->PictureRect();
  ASSERT_EQ(picture.width, 180);  // 3 pixels a cell
  Harness.LeftClick(picture.x + 30 * 3 + 1, picture.y + 40 * 3 + 1);
  EXPECT_EQ(MiddleCell(), std::make_pair(30, 40));
  const TGridRect shown = Map()->VisibleCells();
  EXPECT_TRUE(shown.Contains(30, 40));
  EXPECT_FALSE(shown.Contains(0, 0));

  // The outline of the part shown follows it.
  Harness.Tick();
  EXPECT_EQ(PicturePixel(shown.Column * 3, shown.Row * 3 + 5), 0xFFFF0000);

  Harness.LeftDown(picture.x + 10 * 3 + 1, picture.y + 10 * 3 + 1);
  EXPECT_EQ(MiddleCell(), std::make_pair(10, 10));
  Harness.MouseMove(picture.x + 50 * 3 + 1, picture.y + 20 * 3 + 1);
  EXPECT_EQ(MiddleCell(), std::make_pair(50, 20));
  // Dragged off the miniature, the map stops at its edge.
  Harness.MouseMove(picture.x + picture.width + 40, picture.y + 20 * 3 + 1);
  EXPECT_EQ(MiddleCell(), std::make_pair(59, 20));
  Harness.LeftUp(picture.x + picture.width + 40, picture.y + 20 * 3 + 1);

  // The title folds the miniature away and brings it back; folded, the map shows there.
  const TPoint title{Overview()->X + Overview()->Width / 2, Overview()->Y + 4};
  Harness.LeftClick(title.x, title.y);
  EXPECT_TRUE(Overview()->Folded);
  EXPECT_EQ(Overview()->Height, TEditorOverview::kTitleHeight);
  Harness.Tick();
  EXPECT_EQ(RootWindow->HitTest(TPoint{picture.x + 5, picture.y + 60}), Map());
  Harness.LeftClick(Overview()->X + Overview()->Width / 2, Overview()->Y + 4);
  EXPECT_FALSE(Overview()->Folded);
  picture = Overview()->PictureRect();
  EXPECT_EQ(RootWindow->HitTest(TPoint{picture.x + 5, picture.y + 60}), Overview());
}

TEST_F(OverviewTest, AMapMuchWiderThanTheMiniatureStillShowsEveryStack) {
  StartEditor();
  OpenMap("wide.map", GridMapText(0, 4000, 3, {{3900, 1, "<[0 0]NU0[8 12 1 4 3]>"}}));
  const TRect picture = Overview()->PictureRect();
  EXPECT_EQ(picture.width, 180);
  EXPECT_EQ(picture.height, 1);
  Harness.Tick();
  EXPECT_EQ(PicturePixel(3900 * 180 / 4000, 0), kBlack);
}
