#include "editor/TEditorField.h"

#include <algorithm>

#include "editor/EditorNotify.h"
#include "graphics/DrawingObjects.h"
#include "screens/TFailureBox.h"
#include "shell/TTimer.h"
#include "toolkit/Notify.h"
#include "toolkit/WindowTree.h"

namespace {

// The width of one character of the fixed-pitch font, in pixels.
constexpr float kCharWidth = 8.2f;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsLatinLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
// Control characters come with keys (Backspace, Enter, Ctrl with a letter):
// never text, and not worth a word.
bool IsControl(wchar_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

}  // namespace

TEditorField::TEditorField(const TRect& rect, TWindow* parent, TWindow* owner, const std::wstring& text,
                           TRule in_rule, int32_t in_maxLength)
    : TWinEdit(rect, parent, owner, text), Rule(in_rule), MaxLength(in_maxLength) {}

int32_t TEditorField::VisibleLength() const {
  return std::max(1, static_cast<int32_t>(static_cast<float>(Width - 6) / kCharWidth));
}

void TEditorField::Draw() {
  ClampCaret();
  const int32_t visible = VisibleLength();
  // The caret stays in view while the field has the focus; without it, and
  // for a text that fits, the text is shown from its start.
  if (!Focused) FirstShown_ = 0;
  if (Caret < FirstShown_) FirstShown_ = Caret;
  if (Focused && Caret > FirstShown_ + visible - 1) FirstShown_ = Caret - visible + 1;
  FirstShown_ = std::clamp(FirstShown_, 0, std::max(0, static_cast<int32_t>(Text.size()) - visible + 1));
  if (static_cast<int32_t>(Text.size()) < visible) FirstShown_ = 0;

  TGraphics* surface = Surface();
  if (!surface) return;
  const bool caret = CaretShown();
  surface->FillRectangle(BrushHandle(PaletteBrushes[kVeryLightRed]), X, Y, Width, Height);
  surface->DrawRectangle(PenHandle(PalettePens[caret ? kRed : kBlack]), X, Y, Width, Height);
  const std::wstring shown = Text.substr(static_cast<size_t>(FirstShown_), static_cast<size_t>(visible));
  const RectF origin(static_cast<REAL>(X + 2), static_cast<REAL>(Y + 2), 0.0f, 0.0f);
  surface->DrawString(shown, FontHandle(FontCourier10), origin, nullptr, BrushHandle(PaletteBrushes[kBlack]));
  if (caret) {
    surface->FillRectangle(BrushHandle(PaletteBrushes[kBlack]),
                           static_cast<float>(X) + 4.0f + static_cast<float>(Caret - FirstShown_) * kCharWidth,
                           static_cast<float>(Y + 5), 1.0f, 10.0f);
  }
}

bool TEditorField::OnKeyDown() {
  if (!Application) return false;
  ClampCaret();
  if (Application->WParam == VK_HOME || Application->WParam == VK_END) {
    Caret = Application->WParam == VK_HOME ? 0 : static_cast<int32_t>(Text.size());
    Draw();
    return true;
  }
  const std::wstring before = Text;
  const bool handled = TWinEdit::OnKeyDown();
  if (Text != before) NotifyChanged();
  return handled;
}

bool TEditorField::Takes(wchar_t in_character) const {
  switch (Rule) {
    case TRule::kDigits:
      return IsDigit(in_character);
    case TRule::kDecimal:
      return IsDigit(in_character) || (in_character == L'.' && Text.find(L'.') == std::wstring::npos);
    case TRule::kName:
      return !IsControl(in_character) && in_character <= 0xFF && in_character != L'"';
    case TRule::kFileName:
      return IsDigit(in_character) || IsLatinLetter(in_character) || in_character == L'.' || in_character == L'_' ||
             in_character == L'-' || in_character == L'/';
  }
  return false;
}

bool TEditorField::OnChar() {
  const wchar_t character = MessageCharacter();
  if (!Takes(character)) {
    if ((Rule == TRule::kName || Rule == TRule::kFileName) && !IsControl(character)) {
      Refuse(character);
      return true;
    }
    return false;
  }
  ClampCaret();
  if (static_cast<int32_t>(Text.size()) >= MaxLength) return false;
  Text.insert(static_cast<size_t>(Caret), 1, character);
  ++Caret;
  Draw();
  NotifyChanged();
  return true;
}

void TEditorField::OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) {
  TWinEdit::OnNotify(sender, receiver, code, p1, p2);
  if (code == kNotifySetValue && p1) {
    Caret = static_cast<int32_t>(Text.size());
    Draw();
  }
}

void TEditorField::NotifyChanged() {
  if (Owner) Owner->OnNotify(this, Owner, kNotifyFieldChanged, reinterpret_cast<intptr_t>(&Text), 0);
}

void TEditorField::Refuse(wchar_t in_character) {
  // A character of two UTF-16 units shows as itself only when both are kept.
  const bool half = in_character >= 0xD800 && in_character <= 0xDFFF;
  const std::wstring shown = half ? std::wstring(L"этот знак") : L"знак «" + std::wstring(1, in_character) + L"»";
  std::wstring text;
  if (Rule == TRule::kFileName) {
    text = L"В имени файла могут быть только латинские буквы, цифры и знаки «.», «_», «-» и «/» (между папками): " +
           shown + L" сюда не подходит.";
  } else if (in_character == L'"') {
    text = L"Кавычка закончила бы имя в файле карты: в имени её быть не может.";
  } else {
    text = L"В имени игрока могут быть латинские буквы (и é, ü, ñ), цифры, пробел и знаки препинания: " + shown +
           L" сюда не подходит.";
  }
  new TFailureBox(text, InputRoot);
}
