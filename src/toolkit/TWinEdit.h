#pragma once
// Single-line edit fields in the fixed-pitch font: TWinEdit takes digits only,
// TWinEditLette digits and Latin letters. The caret blinks while the field has
// the focus (shown 4 frames, hidden 4) and the outline is red while it shows.
//
// Text exchanged through OnNotify travels as a pointer to a std::wstring in p1:
// code 3 (Enter, or the answer to code 0) points at the field's own text and is
// valid only during the call; code 1 sent to the field points at the new text.

#include <cstdint>
#include <string>

#include "toolkit/TWindow.h"

class TWinEdit : public TWindow {
 public:
  // Always 18 pixels high, whatever the rectangle says; the caret starts at 0.
  TWinEdit(const TRect& rect, TWindow* parent, TWindow* owner, const std::wstring& text);
  ~TWinEdit() override = default;

  // Counts focused frames and repaints every fourth; unfocused, parks the
  // counter where the caret is hidden.
  void Update() override;
  void Draw() override;
  // Gaining the focus shows the caret and the red outline at once; losing it
  // hides them at once. Both repaint the field.
  void GotFocus() override;
  void LostFocus() override;
  // Edit fields keep their size.
  void SetSize(int32_t, int32_t) override {}
  // Code 0: answers the sender with code 3 and the text. Code 1: takes a copy of
  // the text p1 points to (the caret stays; it is clamped when next used).
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  // Backspace, Enter (tells the owner code 3), Left and Right are handled;
  // Delete edits and still goes on up the focus path; other keys are not handled.
  bool OnKeyDown() override;
  // Inserts a digit at the caret while there is room.
  bool OnChar() override;

  // Whether the caret is visible now.
  bool CaretShown() const { return BlinkCounter % 8 < 4; }

  TWindow* Owner;
  std::wstring Text;
  // Focused frames counted modulo 8: the caret shows while it is below 4.
  int32_t BlinkCounter = 0;
  // Insertion position in characters.
  int32_t Caret = 0;

 protected:
  // Inserts the character at the caret when the field has room for it:
  // (length + 2) < width / 8.2. Answers whether it did.
  bool Insert(wchar_t character);
  // Keeps the caret inside the text.
  void ClampCaret();
  // The character of the message being handled.
  static wchar_t MessageCharacter();
};

// An edit field that also takes the Latin letters A to Z and a to z.
class TWinEditLette : public TWinEdit {
 public:
  using TWinEdit::TWinEdit;
  bool OnChar() override;
};
