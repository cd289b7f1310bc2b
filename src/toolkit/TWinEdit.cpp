#include "toolkit/TWinEdit.h"

#include "graphics/DrawingObjects.h"
#include "shell/TTimer.h"
#include "toolkit/Notify.h"

namespace {

// The width of one character of the fixed-pitch font, in pixels.
constexpr float kCharWidth = 8.2f;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsLatinLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

TWinEdit::TWinEdit(const TRect& rect, TWindow* parent, TWindow* owner, const std::wstring& text)
    : TWindow(parent), Owner(owner), Text(text) {
  X = rect.x;
  Y = rect.y;
  Width = rect.width;
  Height = 18;
}

void TWinEdit::Update() {
  if (Focused) {
    BlinkCounter = (BlinkCounter + 1) % 8;
    if (BlinkCounter % 4 == 0) Draw();
  } else {
    BlinkCounter = 4;
  }
}

void TWinEdit::GotFocus() {
  TWindow::GotFocus();
  BlinkCounter = 0;
  Draw();
}

void TWinEdit::LostFocus() {
  TWindow::LostFocus();
  BlinkCounter = 4;
  Draw();
}

void TWinEdit::ClampCaret() {
  if (Caret < 0) Caret = 0;
  if (static_cast<size_t>(Caret) > Text.size()) Caret = static_cast<int32_t>(Text.size());
}

void TWinEdit::Draw() {
  ClampCaret();
  TGraphics* surface = Surface();
  if (!surface) return;
  const bool caret = CaretShown();
  surface->FillRectangle(BrushHandle(PaletteBrushes[kVeryLightRed]), X, Y, Width, Height);
  surface->DrawRectangle(PenHandle(PalettePens[caret ? kRed : kBlack]), X, Y, Width, Height);
  const RectF origin(static_cast<REAL>(X + 2), static_cast<REAL>(Y + 2), 0.0f, 0.0f);
  surface->DrawString(Text, FontHandle(FontCourier10), origin, nullptr, BrushHandle(PaletteBrushes[kBlack]));
  if (caret) {
    surface->FillRectangle(BrushHandle(PaletteBrushes[kBlack]),
                           static_cast<float>(X) + 4.0f + static_cast<float>(Caret) * kCharWidth,
                           static_cast<float>(Y + 5), 1.0f, 10.0f);
  }
}

void TWinEdit::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code == kNotifyReport) {
    if (sender) sender->OnNotify(this, sender, kNotifyEditText, reinterpret_cast<intptr_t>(&Text), 0);
  } else if (code == kNotifySetValue) {
    if (const auto* text = reinterpret_cast<const std::wstring*>(p1)) Text = *text;
  }
}

bool TWinEdit::OnKeyDown() {
  if (!Application) return false;
  ClampCaret();
  switch (Application->WParam) {
    case VK_BACK:
      if (Caret > 0) {
        --Caret;
        Text.erase(static_cast<size_t>(Caret), 1);
        Draw();
      }
      return true;
    case VK_RETURN:
      if (Owner) Owner->OnNotify(this, Owner, kNotifyEditText, reinterpret_cast<intptr_t>(&Text), 0);
      return true;
    case VK_LEFT:
      if (Caret > 0) --Caret;
      return true;
    case VK_RIGHT:
      if (static_cast<size_t>(Caret) < Text.size()) ++Caret;
      return true;
    case VK_DELETE:
      if (static_cast<size_t>(Caret) < Text.size()) Text.erase(static_cast<size_t>(Caret), 1);
      Draw();
      return false;
    default:
      return false;
  }
}

wchar_t TWinEdit::MessageCharacter() {
  return Application ? static_cast<wchar_t>(Application->WParam & 0xFFFF) : L'\0';
}

bool TWinEdit::Insert(wchar_t character) {
  ClampCaret();
  if (static_cast<float>(Text.size() + 2) >= static_cast<float>(Width) / kCharWidth) return false;
  Text.insert(static_cast<size_t>(Caret), 1, character);
  ++Caret;
  Draw();
  return true;
}

bool TWinEdit::OnChar() {
  const wchar_t character = MessageCharacter();
  return IsDigit(character) && Insert(character);
}

bool TWinEditLette::OnChar() {
  const wchar_t character = MessageCharacter();
  return (IsDigit(character) || IsLatinLetter(character)) && Insert(character);
}
