#include "screens/TSaveMenu.h"

#include <string>

#include "screens/TFailureBox.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinEdit.h"
#include "toolkit/WindowTree.h"
#include "world/MapFile.h"

TSaveMenu::TSaveMenu() : TWinMenu(L"Сохранить игру", 330, 120) {
  Edit = new TWinEditLette(TRect{30, 30, 280, 18}, this, this, L"Save01.map");
  new TWinButton(this, this, TRect{30, 60, 130, 40}, L"Сохранить", 1);
  new TWinButton(this, this, TRect{180, 60, 130, 40}, L"Назад", 0);
}

std::wstring TSaveMenu::SaveFileName(const std::wstring& in_typed) {
  static const std::wstring kExtension = L".map";
  const bool hasExtension = in_typed.size() >= kExtension.size() &&
                            in_typed.compare(in_typed.size() - kExtension.size(), kExtension.size(), kExtension) == 0;
  return hasExtension ? in_typed : in_typed + kExtension;
}

bool TSaveMenu::IsListedName(const std::wstring& in_file) {
  return !in_file.empty() && in_file.front() != L'.';
}

void TSaveMenu::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code == kNotifyClick) {
    if (p1 == 0) {
      QueueForDeletion(this);
    } else if (p1 == 1) {
      // The field answers at once with code 3.
      Edit->OnNotify(this, Edit, kNotifyReport, 0, 0);
    }
  } else if (code == kNotifyEditText) {
    if (!p1) return;
    const std::wstring name = SaveFileName(*reinterpret_cast<const std::wstring*>(p1));
    // A save the map list would not show is lost to the player, and it could
    // silently replace an earlier one of the same hidden name.
    if (IsListedName(name) && WriteMapFile(name)) {
      QueueForDeletion(this);
      return;
    }
    // The menu stays with the typed name, so another one can be tried; the
    // previous file under this name is still as it was.
    new TFailureBox(L"Не удалось сохранить игру.\n" + name, this);
  }
}
