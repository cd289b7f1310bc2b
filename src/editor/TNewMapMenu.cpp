#include "editor/TNewMapMenu.h"

#include <algorithm>

#include "editor/CellContent.h"
#include "editor/EditorNotify.h"
#include "editor/TEditorField.h"
#include "screens/TFailureBox.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinText.h"
#include "toolkit/WindowTree.h"
#include "world/MapFile.h"
#include "world/NumberText.h"

namespace {

// The number in a digits field, held below 10^9 (far beyond any allowed size).
int64_t FieldNumber(const std::wstring& in_text) {
  int64_t value = 0;
  for (wchar_t c : in_text) value = std::min<int64_t>(value * 10 + (c - L'0'), 999999999);
  return value;
}

}  // namespace

TNewMapMenu::TNewMapMenu(int32_t in_columns, int32_t in_rows) : TWinMenu(L"Новая карта", 300, 150) {
  new TWinText(TRect{30, 30, 110, 18}, this, L"Столбцов");
  Columns = new TEditorField(TRect{150, 30, 120, 18}, this, this, DecimalText(in_columns),
                             TEditorField::TRule::kDigits, 4);
  new TWinText(TRect{30, 54, 110, 18}, this, L"Строк");
  Rows = new TEditorField(TRect{150, 54, 120, 18}, this, this, DecimalText(in_rows), TEditorField::TRule::kDigits, 4);
  new TWinButton(this, this, TRect{30, 90, 115, 36}, L"Создать", 1);
  new TWinButton(this, this, TRect{155, 90, 115, 36}, L"Отмена", 0);
  Columns->Caret = static_cast<int32_t>(Columns->Text.size());
  Columns->TakeFocus();
}

void TNewMapMenu::Create() {
  const int64_t columns = FieldNumber(Columns->Text);
  const int64_t rows = FieldNumber(Rows->Text);
  if (!MapSizeAllowed(columns, rows)) {
    new TFailureBox(L"Столбцов и строк — от 1 до " + DecimalText(kMaxMapColumns) + L", клеток — не больше " +
                        DecimalText(static_cast<int32_t>(kMaxMapCells)) + L".",
                    this);
    return;
  }
  TMapSize size{static_cast<int32_t>(columns), static_cast<int32_t>(rows)};
  if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyNewMapClosed, 1, reinterpret_cast<intptr_t>(&size));
  QueueForDeletion(this);
}

void TNewMapMenu::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code == kNotifyEditText) {
    Create();
  } else if (code == kNotifyClick) {
    if (p1 == 1) {
      Create();
    } else if (p1 == 0) {
      if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyNewMapClosed, 0, 0);
      QueueForDeletion(this);
    }
  }
}
