#include "editor/TEditorDesktop.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "editor/EditorNotify.h"
#include "editor/MapCheck.h"
#include "editor/TEditorMap.h"
#include "editor/TEditorPanel.h"
#include "editor/TEditorSaveMenu.h"
#include "editor/TNewMapMenu.h"
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
  ShownRevision_ = Document.Revision() - 1;
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
  if (Application && GetKeyState(VK_CONTROL) < 0) {
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
      default:
        break;
    }
  }
  return TDesktop::OnKeyDown();
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
        OpenFile(std::wstring(*reinterpret_cast<const std::wstring*>(p2)), list && list->List ? list->List->First : 0);
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
      if (p1 == 1 && p2) {
        const std::wstring name = *reinterpret_cast<const std::wstring*>(p2);
        std::error_code error;
        if (name != Document.FileName() && std::filesystem::exists(MapFilePath(name), error)) {
          PendingSave_ = name;
          ModalBeforeQuestion_ = InputRoot;
          auto* box = new TWinBoxAsk(CentredOn(this, 300, 120), L"Сохранить карту",
                                     L"Файл «" + name + L"» уже есть. Заменить его?");
          box->Id = kAskOverwrite;
        } else {
          SaveTo(name);
        }
      }
      break;
    default:
      break;
  }
}

void TEditorDesktop::AskIfModified(TQuestion in_question) {
  if (!Document.Modified()) {
    Answered(in_question);
    return;
  }
  const wchar_t* question = in_question == kAskNew    ? L"Начать новую карту без сохранения?"
                            : in_question == kAskOpen ? L"Открыть другую карту без сохранения?"
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
      SaveTo(PendingSave_);
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

void TEditorDesktop::Undo() { Document.Undo(); }

void TEditorDesktop::Redo() { Document.Redo(); }

void TEditorDesktop::AskBeforeClosing() {
  if (Asking_) return;
  Asking_ = true;
  AskIfModified(kAskClose);
}

bool TEditorDesktop::SaveTo(const std::wstring& in_name) {
  Document.EndStroke();
  if (WriteMapFile(in_name)) {
    Document.MarkSaved(in_name);
    MapFileName = in_name;
    return true;
  }
  // The previous file is as it was; another name can be tried at once.
  auto* menu = new TEditorSaveMenu(ShownName(in_name));
  new TFailureBox(L"Не удалось сохранить карту.\n" + in_name, menu);
  return false;
}

bool TEditorDesktop::OpenFile(const std::wstring& in_path, int32_t in_listFirst) {
  TMapReadProblem problem;
  if (!ReadMapFile(in_path, &problem)) {
    auto* list = new TNewGameMenu(kListTitle);
    list->ShowAsLeft(in_path, in_listFirst);
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

void TEditorDesktop::ReplaceMap() {
  if (Map) DeleteChild(Map);
  Map = new TEditorMap(TEditorPanel::kWidth, &Document, &Tools);
}
