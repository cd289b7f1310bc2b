#include "editor/TEditorDocument.h"

#include <filesystem>
#include <utility>

#include "world/TCell.h"
#include "world/WorldState.h"

namespace {

TCell* CellAt(int32_t in_column, int32_t in_row) {
  if (!MapCells || in_column < 0 || in_row < 0 || in_column >= MapColumns || in_row >= MapRows) return nullptr;
  return MapCells[in_column] ? MapCells[in_column][in_row] : nullptr;
}

// The one form a file name is kept in: "./highlands.map" from the map list
// and "highlands.map" typed into the save-as menu name the same file, and
// are shown and compared the same.
std::wstring OneForm(const std::wstring& in_fileName) {
  if (in_fileName.empty()) return in_fileName;
  return std::filesystem::path(in_fileName).lexically_normal().generic_wstring();
}

}  // namespace

void TEditorDocument::BeginStroke() {
  EndStroke();
  InStroke_ = true;
  StrokeMovedStacks_ = false;
  Stroke_ = TEdit{};
  StrokeCells_.clear();
}

void TEditorDocument::SetCell(int32_t in_column, int32_t in_row, const TCellContent& in_content) {
  TCell* cell = CellAt(in_column, in_row);
  if (!cell) return;
  const TCellContent before = ContentOf(*cell);
  if (before == in_content) return;
  ApplyContent(*cell, in_content);
  ++Revision_;
  // The players' lists hold the stacks themselves: they are made again when a
  // stack came, went or was replaced, at the end of a stroke for a stroke.
  const bool sameStack = before.HasStack == in_content.HasStack &&
                         (!before.HasStack || (before.StackType == in_content.StackType && before.Owner == in_content.Owner));
  if (!sameStack) {
    if (InStroke_)
      StrokeMovedStacks_ = true;
    else
      RebuildStackLists();
  }
  // What the cell holds now: a type code without a class leaves no stack.
  const TCellContent after = ContentOf(*cell);

  if (!InStroke_) {
    TEdit edit;
    edit.Cells.push_back(TCellChange{in_column, in_row, before, after});
    Push(std::move(edit));
    return;
  }
  const int64_t key = int64_t{in_row} * MapColumns + in_column;
  const auto found = StrokeCells_.find(key);
  if (found == StrokeCells_.end()) {
    StrokeCells_.emplace(key, Stroke_.Cells.size());
    Stroke_.Cells.push_back(TCellChange{in_column, in_row, before, after});
  } else {
    Stroke_.Cells[found->second].After = after;
  }
}

void TEditorDocument::EndStroke() {
  if (!InStroke_) return;
  InStroke_ = false;
  if (std::exchange(StrokeMovedStacks_, false)) RebuildStackLists();
  TEdit edit = std::move(Stroke_);
  Stroke_ = TEdit{};
  StrokeCells_.clear();
  // A cell painted and painted back within the stroke is no change.
  std::vector<TCellChange> changed;
  for (TCellChange& change : edit.Cells)
    if (!(change.Before == change.After)) changed.push_back(std::move(change));
  if (changed.empty()) return;
  edit.Cells = std::move(changed);
  Push(std::move(edit));
}

void TEditorDocument::SetName(int32_t in_player, const std::wstring& in_name) {
  if (in_player != 0 && in_player != 1) return;
  EndStroke();
  std::wstring& name = Players[in_player].Name;
  if (name == in_name) return;
  const TKind kind = in_player == 0 ? TKind::kName0 : TKind::kName1;
  if (!Undo_.empty() && Undo_.back().Kind == kind && CurrentId() != SavedId_) {
    // The same name typed on: one edit for the whole typing.
    TEdit& last = Undo_.back();
    last.NameAfter = in_name;
    name = in_name;
    ++Revision_;
    if (last.NameAfter == last.NameBefore) Undo_.pop_back();
    return;
  }
  TEdit edit;
  edit.Kind = kind;
  edit.NameBefore = name;
  edit.NameAfter = in_name;
  name = in_name;
  ++Revision_;
  Push(std::move(edit));
}

void TEditorDocument::SetTurnCounter(int32_t in_turn) {
  EndStroke();
  if (TurnCounter == in_turn) return;
  TEdit edit;
  edit.Kind = TKind::kTurn;
  edit.TurnBefore = TurnCounter;
  edit.TurnAfter = in_turn;
  TurnCounter = in_turn;
  ++Revision_;
  Push(std::move(edit));
}

void TEditorDocument::Push(TEdit in_edit) {
  in_edit.Id = NextId_++;
  Undo_.push_back(std::move(in_edit));
  Redo_.clear();
  while (Undo_.size() > kHistoryLimit) {
    BaseId_ = Undo_.front().Id;
    Undo_.pop_front();
  }
}

void TEditorDocument::Apply(const TEdit& in_edit, bool in_forward) {
  switch (in_edit.Kind) {
    case TKind::kCells:
      // Backwards in reverse order, so that each cell ends as it was first.
      if (in_forward) {
        for (const TCellChange& change : in_edit.Cells)
          if (TCell* cell = CellAt(change.Column, change.Row)) ApplyContent(*cell, change.After);
      } else {
        for (auto it = in_edit.Cells.rbegin(); it != in_edit.Cells.rend(); ++it)
          if (TCell* cell = CellAt(it->Column, it->Row)) ApplyContent(*cell, it->Before);
      }
      RebuildStackLists();
      break;
    case TKind::kName0:
    case TKind::kName1:
      Players[in_edit.Kind == TKind::kName0 ? 0 : 1].Name = in_forward ? in_edit.NameAfter : in_edit.NameBefore;
      break;
    case TKind::kTurn:
      TurnCounter = in_forward ? in_edit.TurnAfter : in_edit.TurnBefore;
      break;
  }
  ++Revision_;
}

bool TEditorDocument::Undo() {
  EndStroke();
  if (Undo_.empty()) return false;
  TEdit edit = std::move(Undo_.back());
  Undo_.pop_back();
  Apply(edit, false);
  Redo_.push_back(std::move(edit));
  return true;
}

bool TEditorDocument::Redo() {
  EndStroke();
  if (Redo_.empty()) return false;
  TEdit edit = std::move(Redo_.back());
  Redo_.pop_back();
  Apply(edit, true);
  Undo_.push_back(std::move(edit));
  return true;
}

bool TEditorDocument::Modified() const {
  return CurrentId() != SavedId_ || (InStroke_ && !Stroke_.Cells.empty());
}

void TEditorDocument::MarkSaved(const std::wstring& in_fileName) {
  EndStroke();
  SavedId_ = CurrentId();
  FileName_ = OneForm(in_fileName);
}

void TEditorDocument::Reset(const std::wstring& in_fileName) {
  InStroke_ = false;
  StrokeMovedStacks_ = false;
  Stroke_ = TEdit{};
  StrokeCells_.clear();
  Undo_.clear();
  Redo_.clear();
  BaseId_ = NextId_++;
  SavedId_ = BaseId_;
  FileName_ = OneForm(in_fileName);
  ++Revision_;
}
