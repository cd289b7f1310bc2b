#pragma once
// The map being edited and its history. The map itself is the world state
// (the grid, the names, the turn counter), so that the game's reader, writer,
// drawing and route search work on it unchanged; the document changes it only
// through edits, which it keeps for undo and redo.
//
// An edit is one step of the history: a stroke of the mouse (every cell it
// changed), a name typed (the keystrokes into one name run together until
// something else is edited), or the side that moves first.

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "editor/CellContent.h"

class TEditorDocument {
 public:
  // How many edits undo can go back.
  static constexpr size_t kHistoryLimit = 100;

  TEditorDocument() = default;
  TEditorDocument(const TEditorDocument&) = delete;
  TEditorDocument& operator=(const TEditorDocument&) = delete;

  // Starts a stroke: the cell changes until EndStroke make one edit.
  void BeginStroke();
  // Makes the cell hold in_content. Outside a stroke the change is an edit of
  // its own. A cell outside the grid, or one that already holds it, is left.
  void SetCell(int32_t in_column, int32_t in_row, const TCellContent& in_content);
  // Ends the stroke; it becomes an edit when it changed any cell.
  void EndStroke();
  bool InStroke() const { return InStroke_; }

  // Sets a player's name (0 or 1). Right after another change of the same
  // name, it joins that edit; a name typed back to what it was before undoes it.
  void SetName(int32_t in_player, const std::wstring& in_name);
  // Sets the turn counter: which side moves first is its parity.
  void SetTurnCounter(int32_t in_turn);

  // Takes back the last edit, or makes the last one taken back again. Each
  // answers whether there was one. A stroke in progress ends first.
  bool Undo();
  bool Redo();
  bool CanUndo() const { return !Undo_.empty(); }
  bool CanRedo() const { return !Redo_.empty(); }

  // Whether the map differs from what was last saved or opened.
  bool Modified() const;
  // The map as it stands is what the file named holds now.
  void MarkSaved(const std::wstring& in_fileName);
  // Forgets the history after the world was replaced (a new or opened map);
  // the map counts as saved under in_fileName (empty for a map never saved).
  void Reset(const std::wstring& in_fileName);

  // The file the map was opened from or last saved to; empty for a new map.
  // Kept in one form whichever way it was named: folders joined by "/", with
  // "." and "folder/.." taken out, relative to the working directory unless
  // it was given from the root ("highlands.map", "maps/river.map").
  const std::wstring& FileName() const { return FileName_; }
  // Grows with every change of the world, whether from an edit, undo or redo.
  uint64_t Revision() const { return Revision_; }

 private:
  struct TCellChange {
    int32_t Column;
    int32_t Row;
    TCellContent Before;
    TCellContent After;
  };
  enum class TKind { kCells, kName0, kName1, kTurn };
  struct TEdit {
    uint64_t Id = 0;
    TKind Kind = TKind::kCells;
    std::vector<TCellChange> Cells;
    std::wstring NameBefore;
    std::wstring NameAfter;
    int32_t TurnBefore = 0;
    int32_t TurnAfter = 0;
  };

  // Puts the edit on the history and forgets what could be redone.
  void Push(TEdit in_edit);
  // Makes the world hold the edit's state after (in_forward) or before it.
  void Apply(const TEdit& in_edit, bool in_forward);
  // The id of the edit the world now ends with; the history's base without one.
  uint64_t CurrentId() const { return Undo_.empty() ? BaseId_ : Undo_.back().Id; }

  std::deque<TEdit> Undo_;
  std::vector<TEdit> Redo_;
  uint64_t NextId_ = 1;
  // The id of the newest edit that fell off the history: the state undo stops at.
  uint64_t BaseId_ = 0;
  uint64_t SavedId_ = 0;
  uint64_t Revision_ = 0;
  std::wstring FileName_;

  bool InStroke_ = false;
  // A stack of the stroke came, went or was replaced: the lists are made again at its end.
  bool StrokeMovedStacks_ = false;
  TEdit Stroke_;
  // Where each cell of the stroke is in Stroke_.Cells, by row * columns + column.
  std::unordered_map<int64_t, size_t> StrokeCells_;
};
