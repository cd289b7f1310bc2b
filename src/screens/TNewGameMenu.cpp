#include "screens/TNewGameMenu.h"

#include <string>
#include <vector>

#include "screens/TFileSearch.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinTextList.h"
#include "toolkit/WindowTree.h"

TNewGameMenu::TNewGameMenu(const std::wstring& in_title) : TWinMenu(in_title, 360, 400) {
  List = new TWinList(TRect{30, 30, 300, 300}, this, this);
  new TWinButton(this, this, TRect{30, 340, 150, 40}, L"Загрузить", 1);
  new TWinButton(this, this, TRect{180, 340, 150, 40}, L"Назад", 0);
  const TFileSearch search(L"./*", std::vector<std::wstring>{L"map"});
  for (const std::wstring& file : search.Files) List->AddItem(file);
}

void TNewGameMenu::ShowAsLeft(const std::wstring& in_path, int32_t in_first) {
  // The bar keeps the position within its range and scrolls the rows to it.
  if (List->ScrollBar) List->ScrollBar->OnNotify(this, List->ScrollBar, kNotifySetValue, in_first, 0);
  for (TWindow* child : List->Children) {
    auto* row = dynamic_cast<TWinTextList*>(child);
    if (row && row->Text == in_path) {
      row->TakeFocus();
      return;
    }
  }
}

void TNewGameMenu::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code != kNotifyClick) return;
  if (p1 == 1) {
    if (!List->Selected) return;
    // The screen copies the path before this menu goes.
    const std::wstring path = List->Selected->Text;
    if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyMapListClosed, 1, reinterpret_cast<intptr_t>(&path));
    QueueForDeletion(this);
  } else if (p1 == 0) {
    if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyMapListClosed, 0, 0);
    QueueForDeletion(this);
  }
}
