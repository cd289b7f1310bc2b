#pragma once
// Notification codes of the editor's own widgets, beyond the toolkit's (see
// toolkit/Notify.h).

#include <cstdint>

enum TEditorNotify : int32_t {
  // An editor field's text changed; p1 points to the new text (valid during the call).
  kNotifyFieldChanged = 100,
  // A palette item was chosen; p1 is its index.
  kNotifyPaletteChoice = 101,
  // The new-map menu closing: p1 1 with the size (p2 points to a TMapSize), 0 cancelled.
  kNotifyNewMapClosed = 102,
  // The save-as menu closing: p1 1 with the file name (p2 points to a
  // std::wstring, valid during the call), 0 cancelled.
  kNotifySaveAsClosed = 103,
  // The map window asks to take a cell into the tools: p1 its column, p2 its row.
  kNotifyPickCell = 104,
  // The resize menu closing: p1 1 with the plan (p2 points to a TResizePlan,
  // valid during the call), 0 cancelled.
  kNotifyResizeClosed = 105,
  // The file menu closing: p1 is what to do (a TFileAction), p2 points to
  // the path (a std::wstring, valid during the call) unless cancelled.
  kNotifyFileMenuClosed = 106,
};

// What the file menu was closed for.
enum TFileAction : int32_t { kFileCancelled = 0, kFileOpen = 1, kFileSave = 2 };

// The size the new-map menu asks for.
struct TMapSize {
  int32_t Columns = 0;
  int32_t Rows = 0;
};
