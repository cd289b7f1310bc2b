#include "editor/TEditorFileMenu.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "editor/EditorNotify.h"
#include "editor/TEditorField.h"
#include "screens/TSaveMenu.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinText.h"
#include "toolkit/TWinTextList.h"
#include "toolkit/WindowTree.h"
#include "world/MapFile.h"

namespace {

namespace fs = std::filesystem;

// The longest path either field takes.
constexpr int32_t kMaxPath = 1000;
constexpr const wchar_t* kUp = L"../";

// A list that also tells its owner which row was clicked (code 8, p1 the row).
class TFileList : public TWinList {
 public:
  using TWinList::TWinList;
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override {
    TWinList::OnNotify(sender, receiver, code, p1, p2);
    if (code == kNotifyRowClicked && Owner) Owner->OnNotify(this, Owner, kNotifyRowClicked, reinterpret_cast<intptr_t>(sender), 0);
  }
};

// The path whole and plain: no "." or "..", no separator at the end.
fs::path Whole(const fs::path& in_path) {
  std::error_code error;
  fs::path whole = fs::absolute(in_path, error);
  if (error) whole = in_path;
  whole = whole.lexically_normal();
  if (!whole.has_filename() && whole != whole.root_path()) whole = whole.parent_path();
  return whole;
}

bool IsMapFile(const fs::path& in_path) {
  std::wstring extension = MapFileNameOf(in_path.extension());
  for (wchar_t& c : extension)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return extension == L".map";
}

}  // namespace

TEditorFileMenu::TEditorFileMenu(const std::wstring& in_path) : TWinMenu(L"Файлы", 460, 430) {
  new TWinText(TRect{30, 30, 60, 18}, this, L"Папка");
  Folder = new TEditorField(TRect{90, 30, 340, 18}, this, this, L"", TEditorField::TRule::kPath, kMaxPath);
  List = nullptr;
  new TWinText(TRect{30, 336, 60, 18}, this, L"Файл");
  Name = new TEditorField(TRect{90, 336, 340, 18}, this, this, L"", TEditorField::TRule::kPath, kMaxPath);
  new TWinButton(this, this, TRect{30, 370, 128, 40}, L"Открыть", kFileOpen);
  new TWinButton(this, this, TRect{166, 370, 128, 40}, L"Сохранить", kFileSave);
  new TWinButton(this, this, TRect{302, 370, 128, 40}, L"Отмена", kFileCancelled);

  const fs::path start = MapFilePath(in_path.empty() ? std::wstring(L".") : in_path);
  std::error_code error;
  if (in_path.empty() || fs::is_directory(start, error)) {
    ShowFolder(MapFileNameOf(start));
  } else {
    const fs::path whole = Whole(start);
    ShowFolder(MapFileNameOf(whole.parent_path()));
    const std::wstring name = MapFileNameOf(whole.filename());
    Name->OnNotify(this, Name, kNotifySetValue, reinterpret_cast<intptr_t>(&name), 0);
  }
  Name->TakeFocus();
}

void TEditorFileMenu::ShowFolder(const std::wstring& in_folder) {
  const fs::path folder = Whole(MapFilePath(in_folder));
  FolderPath_ = MapFileNameOf(folder);
  Folder->OnNotify(this, Folder, kNotifySetValue, reinterpret_cast<intptr_t>(&FolderPath_), 0);

  std::vector<std::wstring> folders;
  std::vector<std::wstring> files;
  std::error_code error;
  fs::directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error);
  for (; !error && entry != fs::directory_iterator() && folders.size() + files.size() < kMaxEntries;
       entry.increment(error)) {
    std::error_code kind;
    const std::wstring name = MapFileNameOf(entry->path().filename());
    if (entry->is_directory(kind))
      folders.push_back(name + L"/");
    else if (entry->is_regular_file(kind) && IsMapFile(entry->path()))
      files.push_back(name);
  }
  std::sort(folders.begin(), folders.end());
  std::sort(files.begin(), files.end());
  Entries.assign(1, kUp);
  Entries.insert(Entries.end(), folders.begin(), folders.end());
  Entries.insert(Entries.end(), files.begin(), files.end());

  if (List) DeleteChild(List);
  List = new TFileList(TRect{30, 56, 400, 272}, this, this);
  for (const std::wstring& row : Entries) List->AddItem(row);
  Dirty = true;
}

std::wstring TEditorFileMenu::ChosenPath() const {
  const fs::path name = MapFilePath(Name->Text);
  if (name.is_absolute()) return Name->Text;
  return MapFileNameOf((MapFilePath(FolderPath_) / name).lexically_normal());
}

void TEditorFileMenu::Update() {
  if (PendingFolder_.empty()) return;
  ShowFolder(std::exchange(PendingFolder_, std::wstring()));
}

void TEditorFileMenu::Finish(int32_t in_action) {
  if (in_action != kFileCancelled && Name->Text.empty()) return;
  std::wstring path = ChosenPath();
  if (in_action == kFileSave) path = TSaveMenu::SaveFileName(path);
  if (RootWindow)
    RootWindow->OnNotify(this, RootWindow, kNotifyFileMenuClosed, in_action,
                         in_action == kFileCancelled ? 0 : reinterpret_cast<intptr_t>(&path));
  QueueForDeletion(this);
}

void TEditorFileMenu::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  switch (code) {
    case kNotifyRowClicked: {
      const auto* row = reinterpret_cast<const TWinTextList*>(p1);
      if (sender != List || !row) return;
      const std::wstring text = row->Text;
      if (!text.empty() && text.back() == L'/') {
        // The rows go with the list: the folder is shown once the click is over.
        PendingFolder_ = MapFileNameOf(MapFilePath(FolderPath_) / MapFilePath(text == kUp ? L".." : text));
      } else {
        Name->OnNotify(this, Name, kNotifySetValue, reinterpret_cast<intptr_t>(&text), 0);
      }
      break;
    }
    case kNotifyEditText:
      // Enter in the folder shows it; in the name, opens the file.
      if (sender == Folder)
        ShowFolder(Folder->Text);
      else if (sender == Name)
        Finish(kFileOpen);
      break;
    case kNotifyClick:
      if (p1 == kFileOpen || p1 == kFileSave || p1 == kFileCancelled) Finish(static_cast<int32_t>(p1));
      break;
    default:
      break;
  }
}
