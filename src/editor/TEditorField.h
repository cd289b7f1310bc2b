#pragma once
// An edit field of the editor: the game's edit field with a rule for the
// characters it takes, a length limit instead of the width limit (the text
// scrolls sideways to keep the caret in view), Home and End, and a word to its
// owner after every change (code kNotifyFieldChanged), besides code 3 on Enter.

#include <cstdint>
#include <string>

#include "toolkit/TWinEdit.h"

class TEditorField : public TWinEdit {
 public:
  enum class TRule {
    // The digits 0 to 9.
    kDigits,
    // Digits and one decimal point.
    kDecimal,
    // A player's name: any ISO 8859-1 character that prints. A character
    // outside it, or the double quote (which would end the name in the map
    // file), is refused with a message box.
    kName,
    // A file name: Latin letters, digits and . _ - / (the same bytes in every
    // code page, so both builds type, list and open them alike). Any other
    // character that prints is refused with a message box saying so.
    kFileName,
  };

  TEditorField(const TRect& rect, TWindow* parent, TWindow* owner, const std::wstring& text, TRule in_rule,
               int32_t in_maxLength);
  ~TEditorField() override = default;

  // Shows the part of the text around the caret.
  void Draw() override;
  // The toolkit's keys, plus Home and End; tells the owner when the text changed.
  bool OnKeyDown() override;
  // Inserts a character the rule takes while the text is shorter than the limit.
  bool OnChar() override;
  // Code 1 replaces the text without telling the owner; the caret goes to its end.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  // Whether the rule takes the character into the text at the caret.
  bool Takes(wchar_t in_character) const;

  TRule Rule;
  int32_t MaxLength;

 private:
  // Opens the box that says which characters the field takes.
  void Refuse(wchar_t in_character);
  void NotifyChanged();
  // How many characters fit in the field.
  int32_t VisibleLength() const;

  // The first character shown.
  int32_t FirstShown_ = 0;
};
