#include "editor/TEditorDesktop.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "editor/EditorNotify.h"
#include "editor/MapCheck.h"
#include "editor/TEditorFileMenu.h"
#include "editor/TEditorMap.h"
#include "editor/TEditorOverview.h"
#include "editor/TEditorPanel.h"
#include "editor/TEditorSaveMenu.h"
#include "editor/TNewMapMenu.h"
#include "editor/TResizeMenu.h"
#include "screens/ScreenActions.h"
#include "screens/TFailureBox.h"
#include "screens/TNewGameMenu.h"
#include "shell/TTimer.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinBox.h"
#include "toolkit/TWinBoxAsk.h"
#include "toolkit/TWinList.h"
#include "toolkit/WindowTree.h"
#include "world/MapFile.h"
#include "world/NumberText.h"
#include "world/TCell.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"

namespace {

constexpr const wchar_t* kListTitle = L"Открыть карту";
// The name the save-as menu offers for a map never saved.
constexpr const wchar_t* kFirstName = L"Map01.map";

// The path as the save-as menu shows it: without the "./" the map list puts first.
std::wstring ShownName(const std::wstring& in_path) {
  return in_path.rfind(L"./", 0) == 0 ? in_path.substr(2) : in_path;
}

}  // namespace

TEditorDesktop::TEditorDesktop() {
  CreateBlankWorld(kStartColumns, kStartRows);
  Document.Reset(L"");
  Map = new TEditorMap(TEditorPanel::kWidth, &Document, &Tools);
  Panel = new TEditorPanel(&Document, &Tools);
  Overview = new TEditorOverview(&Document);
  Overview->Map = Map;
  ShownRevision_ = Document.Revision() - 1;
  ShownGrid_ = Document.GridRevision();
}

TEditorDesktop::~TEditorDesktop() {
  // The windows go before the document and the tools they point to.
  while (!Children.empty()) delete Children.back();
}

void TEditorDesktop::Update() {
  if (Document.Revision() != ShownRevision_) {
    ShownRevision_ = Document.Revision();
    CheckShown_ = false;
    if (Panel) Panel->Refresh();
  }
  if (!CheckShown_ && !Document.InStroke()) {
    CheckShown_ = true;
    if (Panel) Panel->ShowWarnings(CheckMap());
  }
}

bool TEditorDesktop::OnKeyDown() {
  if (!Application) return TDesktop::OnKeyDown();
  if (GetKeyState(VK_CONTROL) < 0) {
    switch (Application->WParam) {
      case 'Z':
        Undo();
        return true;
      case 'Y':
        Redo();
        return true;
      case 'S':
        Save();
        return true;
      case 'C':
        Copy();
        return true;
      case 'X':
        Cut();
        return true;
      case 'V':
        Paste();
        return true;
      default:
        break;
    }
  }
  switch (Application->WParam) {
    case VK_DELETE:
      DeleteSelection();
      return true;
    case VK_ESCAPE:
      if (Map && Map->Floating())
        Map->CancelFloating();
      else if (Map)
        Map->Select(TGridRect{});
      return true;
    default:
      return TDesktop::OnKeyDown();
  }
}

void TEditorDesktop::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t p2) {
  switch (code) {
    case kNotifyClick:
      switch (p1) {
        case TEditorPanel::kNew:
          NewMap();
          break;
        case TEditorPanel::kOpen:
          Open();
          break;
        case TEditorPanel::kSave:
          Save();
          break;
        case TEditorPanel::kSaveAs:
          SaveAs();
          break;
        case TEditorPanel::kUndo:
          Undo();
          break;
        case TEditorPanel::kRedo:
          Redo();
          break;
        case TEditorPanel::kResize:
          Resize();
          break;
        case TEditorPanel::kFiles:
          Files();
          break;
        default:
          break;
      }
      break;
    case kNotifyAnswer:
      // A question asked over a menu leaves the menu modal again, as it was.
      if (ModalBeforeQuestion_ && std::find(LiveWindows.begin(), LiveWindows.end(), ModalBeforeQuestion_) != LiveWindows.end())
        InputRoot = ModalBeforeQuestion_;
      ModalBeforeQuestion_ = nullptr;
      if (p1 == kAskClose) Asking_ = false;
      if (p2 == 1) Answered(static_cast<TQuestion>(p1));
      break;
    case kNotifyMapListClosed:
      // The path belongs to the sender: copied before anything else runs.
      if (p1 == 1 && p2) {
        const auto* list = dynamic_cast<const TNewGameMenu*>(sender);
        OpenFile(std::wstring(*reinterpret_cast<const std::wstring*>(p2)), TReturnTo::kMapList, list && list->List ? list->List->First : 0);
      }
      break;
    case kNotifyNewMapClosed:
      if (p1 == 1 && p2) {
        const TMapSize size = *reinterpret_cast<const TMapSize*>(p2);
        if (CreateBlankWorld(size.Columns, size.Rows)) {
          Document.Reset(L"");
          ReplaceMap();
        }
      }
      break;
    case kNotifySaveAsClosed:
      if (p1 == 1 && p2) SaveChosen(std::wstring(*reinterpret_cast<const std::wstring*>(p2)), TReturnTo::kSaveAsMenu);
      break;
    case kNotifyFileMenuClosed:
      if (!p2) break;
      if (p1 == kFileSave) {
        SaveChosen(std::wstring(*reinterpret_cast<const std::wstring*>(p2)), TReturnTo::kFileMenu);
      } else if (p1 == kFileOpen) {
        PendingOpen_ = *reinterpret_cast<const std::wstring*>(p2);
        AskIfModified(kAskOpenFile);
      }
      break;
    case kNotifyResizeClosed:
      if (p1 == 1 && p2) {
        PendingResize_ = *reinterpret_cast<const TResizePlan*>(p2);
        if (ResizeCutsObjects(PendingResize_)) {
          ModalBeforeQuestion_ = InputRoot;
          auto* box = new TWinBoxAsk(CentredOn(this, 320, 130), L"Размер карты",
                                     L"За новым краем карты останутся деревья\nили отряды: они пропадут. Изменить размер?");
          box->Id = kAskResize;
        } else {
          ApplyResize(PendingResize_);
        }
      }
      break;
    case kNotifyPickCell:
      Pick(static_cast<int32_t>(p1), static_cast<int32_t>(p2));
      break;
    default:
      break;
  }
}

void TEditorDesktop::SaveChosen(const std::wstring& in_name, TReturnTo in_back) {
  std::error_code error;
  if (in_name != Document.FileName() && std::filesystem::exists(MapFilePath(in_name), error)) {
    PendingSave_ = in_name;
    PendingSaveBack_ = in_back;
    ModalBeforeQuestion_ = InputRoot;
    auto* box = new TWinBoxAsk(CentredOn(this, 300, 120), L"Сохранить карту",
                               L"Файл «" + in_name + L"» уже есть. Заменить его?");
    box->Id = kAskOverwrite;
  } else {
    SaveTo(in_name, in_back);
  }
}

void TEditorDesktop::AskIfModified(TQuestion in_question) {
  if (!Document.Modified()) {
    Answered(in_question);
    return;
  }
  const wchar_t* question = in_question == kAskNew                                    ? L"Начать новую карту без сохранения?"
                            : in_question == kAskOpen || in_question == kAskOpenFile ? L"Открыть другую карту без сохранения?"
                                                                                     : L"Закрыть редактор без сохранения?";
  ModalBeforeQuestion_ = InputRoot;
  auto* box = new TWinBoxAsk(CentredOn(this, 300, 120), L"Карта не сохранена",
                             std::wstring(L"Изменения в карте не сохранены.\n") + question);
  box->Id = in_question;
}

void TEditorDesktop::Answered(TQuestion in_question) {
  switch (in_question) {
    case kAskNew:
      new TNewMapMenu(MapColumns, MapRows);
      break;
    case kAskOpen:
      new TNewGameMenu(kListTitle);
      break;
    case kAskClose:
      CloseConfirmed = true;
      PostCloseRequest();
      break;
    case kAskOverwrite:
      SaveTo(PendingSave_, PendingSaveBack_);
      break;
    case kAskResize:
      ApplyResize(PendingResize_);
      break;
    case kAskOpenFile:
      OpenFile(PendingOpen_, TReturnTo::kFileMenu);
      break;
  }
}

void TEditorDesktop::NewMap() { AskIfModified(kAskNew); }

void TEditorDesktop::Open() { AskIfModified(kAskOpen); }

void TEditorDesktop::Save() {
  if (Document.FileName().empty())
    SaveAs();
  else
    SaveTo(Document.FileName());
}

void TEditorDesktop::SaveAs() {
  new TEditorSaveMenu(Document.FileName().empty() ? std::wstring(kFirstName) : ShownName(Document.FileName()));
}

void TEditorDesktop::Undo() {
  Document.Undo();
  FollowGrid();
}

void TEditorDesktop::Redo() {
  Document.Redo();
  FollowGrid();
}

void TEditorDesktop::FollowGrid() {
  if (Document.GridRevision() != ShownGrid_) ReplaceMap(true);
}

void TEditorDesktop::Resize() { new TResizeMenu(MapColumns, MapRows, Tools.TileColumn, Tools.TileRow); }

void TEditorDesktop::Files() { new TEditorFileMenu(Document.FileName()); }

bool TEditorDesktop::ApplyResize(const TResizePlan& in_plan) {
  if (!Document.Resize(in_plan)) return false;
  ReplaceMap(true, TPoint{in_plan.OffsetColumn, in_plan.OffsetRow});
  return true;
}

void TEditorDesktop::Copy() {
  if (Map && !Map->Selection().Empty()) Clipboard = TMapBlock::Take(Map->Selection());
}

void TEditorDesktop::Cut() {
  if (!Map || Map->Selection().Empty()) return;
  Copy();
  DeleteSelection();
}

void TEditorDesktop::DeleteSelection() {
  if (Map && !Map->Selection().Empty()) Document.SetCells(ClearArea(Map->Selection(), Tools.Background()));
}

void TEditorDesktop::Paste() {
  if (Map && !Clipboard.Empty()) Map->Float(Clipboard);
}

void TEditorDesktop::Pick(int32_t in_column, int32_t in_row) {
  if (!MapCells || in_column < 0 || in_row < 0 || in_column >= MapColumns || in_row >= MapRows) return;
  Tools.Pick(ContentOf(*MapCells[in_column][in_row]));
  if (Panel) Panel->ChooseTool(static_cast<int32_t>(Tools.Tool));
}

void TEditorDesktop::AskBeforeClosing() {
  if (Asking_) return;
  Asking_ = true;
  AskIfModified(kAskClose);
}

bool TEditorDesktop::SaveTo(const std::wstring& in_name, TReturnTo in_back) {
  Document.EndStroke();
  if (WriteMapFile(in_name)) {
    Document.MarkSaved(in_name);
    MapFileName = in_name;
    return true;
  }
  // The previous file is as it was; another name can be tried at once.
  TWindow* menu = in_back == TReturnTo::kFileMenu ? static_cast<TWindow*>(new TEditorFileMenu(in_name))
                                                  : new TEditorSaveMenu(ShownName(in_name));
  new TFailureBox(L"Не удалось сохранить карту.\n" + in_name, menu);
  return false;
}

bool TEditorDesktop::OpenFile(const std::wstring& in_path, TReturnTo in_back, int32_t in_listFirst) {
  TMapReadProblem problem;
  if (!ReadMapFile(in_path, &problem)) {
    TWindow* list = nullptr;
    if (in_back == TReturnTo::kFileMenu) {
      list = new TEditorFileMenu(in_path);
    } else {
      auto* mapList = new TNewGameMenu(kListTitle);
      mapList->ShowAsLeft(in_path, in_listFirst);
      list = mapList;
    }
    new TFailureBox(L"Не удалось открыть карту.\n" + in_path, list);
    return false;
  }
  Document.Reset(in_path);
  ReplaceMap();
  if (problem.Exists()) {
    std::wstring text = L"Карта прочитана не целиком.\nСтрока " + DecimalText(problem.Line) + L", столбец " +
                        DecimalText(problem.Column) + (problem.Where.empty() ? L"" : L", " + problem.Where) +
                        L":\nожидалось: " + problem.Expected + L",\nнайдено: " + problem.Found +
                        L".\nСохранение запишет карту заново.";
    auto* box = new TWinBox(CentredOn(this, 400, 200), L"Внимание", text);
    InputRoot = box;
  }
  return true;
}

void TEditorDesktop::ReplaceMap(bool in_keepView, TPoint in_shift) {
  TPoint view{0, 0};
  if (Map && !Map->Children.empty()) view = TPoint{Map->Children.front()->X, Map->Children.front()->Y};
  if (Map) DeleteChild(Map);
  Map = new TEditorMap(TEditorPanel::kWidth, &Document, &Tools);
  ShownGrid_ = Document.GridRevision();
  if (in_keepView)
    Map->ScrollBy(view.x - in_shift.x * TWinCell::kWidth, view.y - in_shift.y * TWinCell::kHeight);
  if (Overview) {
    Overview->Map = Map;
    // The new map goes where the old one was among the windows: under the overview and any menu.
    const auto overview = std::find(Children.begin(), Children.end(), Overview);
    const auto map = std::find(Children.begin(), Children.end(), Map);
    if (overview < map && map != Children.end()) std::rotate(overview, map, map + 1);
  }
}
