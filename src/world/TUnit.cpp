#include "world/TUnit.h"

#include "world/NumberText.h"
#include "world/WorldState.h"

TUnit::TUnit(const TAnimationPaths& in_paths) : TMapUnit(in_paths) {}

void TUnit::Draw(TGraphics& in_graphics, int32_t in_x, int32_t in_y) const {
  const TUnitSprite* sheet = CurrentAnimation;
  // A facing or frame from a map file may lie outside the sheet; such a frame
  // is skipped rather than addressed, as its source rectangle could overflow.
  if (!sheet || FrameIndex < 0 || Direction < 0 || static_cast<uint32_t>(FrameIndex) >= sheet->Columns ||
      static_cast<uint32_t>(Direction) >= sheet->Rows)
    return;
  sheet->DrawAt(in_graphics, FrameIndex, Direction, in_x, in_y);
}

TRect TUnit::DrawBounds(int32_t in_x, int32_t in_y) const {
  const TUnitSprite* sheet = CurrentAnimation;
  if (!sheet) return TRect{in_x, in_y, 0, 0};
  return TRect{in_x - sheet->AnchorX, in_y - sheet->AnchorY, sheet->FrameWidth, sheet->FrameHeight};
}

void TUnit::DescribeNumbers(std::wostream& out) const {
  out << L"Жизней: " << DecimalText(Lives) << L'\n';
  out << L"Количество: " << DecimalText(Count) << L'\n';
  out << L"Передвижений: " << FloatText(Moves) << L'\n';
  out << L"Принадлежит Игроку:\n";
  if (Owner == 0 || Owner == 1) out << Players[Owner].Name;
}
