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
};

// The size the new-map menu asks for.
struct TMapSize {
  int32_t Columns = 0;
  int32_t Rows = 0;
};
