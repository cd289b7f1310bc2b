#include "editor/TEditorSaveMenu.h"

#include "editor/EditorNotify.h"
#include "editor/TEditorField.h"
#include "screens/TSaveMenu.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/WindowTree.h"

namespace {
// The longest file name the field takes.
constexpr int32_t kMaxFileName = 200;
}  // namespace

TEditorSaveMenu::TEditorSaveMenu(const std::wstring& in_name) : TWinMenu(L"Сохранить карту", 330, 120) {
  Name = new TEditorField(TRect{30, 30, 270, 18}, this, this, in_name, TEditorField::TRule::kFileName, kMaxFileName);
  new TWinButton(this, this, TRect{30, 60, 130, 40}, L"Сохранить", 1);
  new TWinButton(this, this, TRect{170, 60, 130, 40}, L"Отмена", 0);
  Name->Caret = static_cast<int32_t>(Name->Text.size());
  Name->TakeFocus();
}

void TEditorSaveMenu::Save() {
  if (Name->Text.empty()) return;
  const std::wstring name = TSaveMenu::SaveFileName(Name->Text);
  if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifySaveAsClosed, 1, reinterpret_cast<intptr_t>(&name));
  QueueForDeletion(this);
}

void TEditorSaveMenu::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code == kNotifyEditText) {
    Save();
  } else if (code == kNotifyClick) {
    if (p1 == 1) {
      Save();
    } else if (p1 == 0) {
      if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifySaveAsClosed, 0, 0);
      QueueForDeletion(this);
    }
  }
}
