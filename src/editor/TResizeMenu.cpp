#include "editor/TResizeMenu.h"

#include <cstdlib>

#include "editor/CellContent.h"
#include "editor/EditorNotify.h"
#include "editor/EditorTools.h"
#include "editor/TEditorField.h"
#include "editor/TEditorPalette.h"
#include "screens/TFailureBox.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinCheckButton.h"
#include "toolkit/TWinText.h"
#include "toolkit/WindowTree.h"
#include "world/MapFile.h"
#include "world/NumberText.h"

TResizeMenu::TResizeMenu(int32_t in_columns, int32_t in_rows, int32_t in_tileColumn, int32_t in_tileRow)
    : TWinMenu(L"Размер карты", 420, 316),
      OldColumns_(in_columns),
      OldRows_(in_rows),
      TileColumn_(in_tileColumn),
      TileRow_(in_tileRow) {
  new TWinText(TRect{30, 30, 100, 18}, this, L"Столбцов");
  Columns = new TEditorField(TRect{136, 30, 70, 18}, this, this, DecimalText(in_columns), TEditorField::TRule::kDigits, 4);
  new TWinText(TRect{30, 54, 100, 18}, this, L"Строк");
  Rows = new TEditorField(TRect{136, 54, 70, 18}, this, this, DecimalText(in_rows), TEditorField::TRule::kDigits, 4);
  new TWinText(TRect{30, 84, 176, 18}, this, L"Сдвиг старой карты:");
  new TWinText(TRect{30, 106, 100, 18}, this, L"по столбцам");
  OffsetColumns = new TEditorField(TRect{136, 106, 70, 18}, this, this, L"0", TEditorField::TRule::kInteger, 6);
  new TWinText(TRect{30, 130, 100, 18}, this, L"по строкам");
  OffsetRows = new TEditorField(TRect{136, 130, 70, 18}, this, this, L"0", TEditorField::TRule::kInteger, 6);

  new TWinText(TRect{240, 30, 160, 18}, this, L"Где старая карта");
  for (int32_t anchor = 0; anchor < 9; ++anchor)
    Anchors[anchor] = new TWinCheckButton(this, this, TRect{270 + 30 * (anchor % 3), 54 + 28 * (anchor / 3), 26, 24},
                                          L"", anchor == 0);

  new TWinText(TRect{30, 160, 360, 18}, this, L"Земля новых клеток");
  Tiles = TEditorPalette::GroundTiles(this, this, TPoint{30, 180}, in_tileRow * TEditorTools::kTileColumns + in_tileColumn);

  new TWinButton(this, this, TRect{30, 266, 175, 36}, L"Изменить", 1);
  new TWinButton(this, this, TRect{215, 266, 175, 36}, L"Отмена", 0);
  Columns->Caret = static_cast<int32_t>(Columns->Text.size());
  Columns->TakeFocus();
}

TResizePlan TResizeMenu::Plan() const {
  TResizePlan plan;
  plan.Columns = static_cast<int32_t>(Columns->Number());
  plan.Rows = static_cast<int32_t>(Rows->Number());
  plan.OffsetColumn = static_cast<int32_t>(OffsetColumns->Number());
  plan.OffsetRow = static_cast<int32_t>(OffsetRows->Number());
  plan.TileColumn = TileColumn_;
  plan.TileRow = TileRow_;
  return plan;
}

void TResizeMenu::ChooseAnchor(int32_t in_anchor) {
  Anchor = in_anchor >= 0 && in_anchor < 9 ? in_anchor : -1;
  for (int32_t anchor = 0; anchor < 9; ++anchor)
    Anchors[anchor]->OnNotify(this, Anchors[anchor], kNotifySetValue, anchor == Anchor ? 1 : 0, 0);
  if (Anchor < 0) return;
  const TResizePlan plan = Plan();
  const std::wstring columns = DecimalText(AnchorOffset(Anchor % 3, OldColumns_, plan.Columns));
  const std::wstring rows = DecimalText(AnchorOffset(Anchor / 3, OldRows_, plan.Rows));
  OffsetColumns->OnNotify(this, OffsetColumns, kNotifySetValue, reinterpret_cast<intptr_t>(&columns), 0);
  OffsetRows->OnNotify(this, OffsetRows, kNotifySetValue, reinterpret_cast<intptr_t>(&rows), 0);
}

void TResizeMenu::Resize() {
  const TResizePlan plan = Plan();
  if (!MapSizeAllowed(plan.Columns, plan.Rows)) {
    new TFailureBox(L"Столбцов и строк — от 1 до " + DecimalText(kMaxMapColumns) + L", клеток — не больше " +
                        DecimalText(static_cast<int32_t>(kMaxMapCells)) + L".",
                    this);
    return;
  }
  if (std::abs(plan.OffsetColumn) > kMaxMapColumns || std::abs(plan.OffsetRow) > kMaxMapRows) {
    new TFailureBox(L"Сдвиг — от -" + DecimalText(kMaxMapColumns) + L" до " + DecimalText(kMaxMapColumns) + L".",
                    this);
    return;
  }
  if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyResizeClosed, 1, reinterpret_cast<intptr_t>(&plan));
  QueueForDeletion(this);
}

void TResizeMenu::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  switch (code) {
    case kNotifyEditText:
      Resize();
      break;
    case kNotifyFieldChanged:
      // A new size moves the old map with the anchor; an offset typed in is an
      // anchor of its own. (The menu's own writes into the fields tell nobody.)
      if (sender == Columns || sender == Rows) {
        if (Anchor >= 0) ChooseAnchor(Anchor);
      } else if (sender == OffsetColumns || sender == OffsetRows) {
        ChooseAnchor(-1);
      }
      break;
    case kNotifyPaletteChoice:
      TileColumn_ = static_cast<int32_t>(p1) % TEditorTools::kTileColumns;
      TileRow_ = static_cast<int32_t>(p1) / TEditorTools::kTileColumns;
      break;
    case kNotifyClick:
      for (int32_t anchor = 0; anchor < 9; ++anchor)
        if (sender == Anchors[anchor]) {
          ChooseAnchor(anchor);
          return;
        }
      if (p1 == 1) {
        Resize();
      } else if (p1 == 0) {
        if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyResizeClosed, 0, 0);
        QueueForDeletion(this);
      }
      break;
    default:
      break;
  }
}
