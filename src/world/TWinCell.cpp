#include "world/TWinCell.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "graphics/TSprite.h"
#include "shell/ErrorLog.h"
#include "shell/RandomNumber.h"
#include "shell/TTimer.h"
#include "world/CellInfo.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/TMapUnit.h"
#include "world/TUnit.h"
#include "world/WorldState.h"

namespace {

// The type code of the queen, whose loss loses the game.
constexpr int32_t kQueenType = 8;

// Half a cell: how far an attacker lunges toward its target.
constexpr double kLungeX = TWinCell::kWidth / 2;
constexpr double kLungeY = TWinCell::kHeight / 2;

int32_t Sign(int32_t in_value) { return (in_value > 0) - (in_value < 0); }

// The facing 0 to 7 (up, up-right, ..., up-left) of a step by the signs
// (in_dx, in_dy), rows growing downward; 0 for no step.
int32_t Facing(int32_t in_dx, int32_t in_dy) {
  static constexpr int32_t kFacings[3][3] = {
      {7, 6, 5},  // column left: row above, same row, row below
      {0, 0, 4},  // same column
      {1, 2, 3},  // column right
  };
  return kFacings[in_dx + 1][in_dy + 1];
}

// The length in frames of an animation: the row count of its sheet, at least
// one so that the per-frame steps stay finite.
int32_t AnimationLength(const TUnitSprite* in_sheet) {
  if (!in_sheet) return 1;
  return static_cast<int32_t>(std::clamp<uint32_t>(in_sheet->Rows, 1, std::numeric_limits<int32_t>::max()));
}

bool BelongsToPlayerToMove(const TUnit& in_unit) { return ((in_unit.Owner % 2) + 2) % 2 == PlayerToMove(); }

// in_value - in_amount, held at the smallest int32_t instead of overflowing.
int32_t SaturatingSubtract(int32_t in_value, int32_t in_amount) {
  return static_cast<int32_t>(
      std::max<int64_t>(int64_t{in_value} - in_amount, std::numeric_limits<int32_t>::min()));
}

}  // namespace

TWinCell::TWinCell(TMap* in_map, int32_t in_column, int32_t in_row, TCell* in_cell)
    : TWindow(in_map, TOneOfMany{}), Column(in_column), Row(in_row), Cell(in_cell), Map_(in_map) {
  X = kWidth * in_column;
  Y = kHeight * in_row;
  Width = kWidth;
  Height = kHeight;
}

bool TWinCell::HasWork() const {
  if (!Cell || !Cell->Unit) return false;
  const TUnit& unit = *Cell->Unit;
  return unit.Animating || unit.Lives <= 0 || unit.CurrentAnimation != unit.Animation(kPaused) || OffsetX != 0.0 ||
         OffsetY != 0.0;
}

void TWinCell::Update() {
  if (!Cell || !Cell->Unit || !Map_->IsPlayed()) return;
  TUnit& unit = *Cell->Unit;
  if (unit.Animating) {
    ++unit.FrameIndex;
    if (unit.FrameIndex >= AnimationLength(unit.CurrentAnimation)) {
      unit.FrameIndex = 0;
      unit.Animating = false;
    }
    OffsetX += StepX;
    OffsetY += StepY;
  } else {
    if (unit.Lives > 0) unit.CurrentAnimation = unit.Animation(kPaused);
    OffsetX = 0.0;
    OffsetY = 0.0;
  }
  if (unit.Lives <= 0 && !unit.Animating) RemoveStack();
}

void TWinCell::OnLButtonDown() {
  if (Map_->Moving || Map_->SelectedCell == this) return;
  if (Map_->HasSelection) {
    Map_->Moving = true;
    Map_->HasSelection = false;
    return;
  }
  // A stack without lives is dying: it goes when its animation ends.
  if (Cell && Cell->Unit && Cell->Unit->Lives > 0 && BelongsToPlayerToMove(*Cell->Unit)) {
    Map_->SelectedCell = this;
    Map_->HasSelection = true;
  }
}

void TWinCell::OnRButtonDown() {
  if (InfoTextTarget) DescribeCell(Cell, *InfoTextTarget);
  Map_->CancelSelection();
}

void TWinCell::OnRButtonUp() {
  if (InfoTextTarget) InfoTextTarget->clear();
}

void TWinCell::OnMouseLeave() { Hovered = false; }

void TWinCell::OnMouseMove() {
  if (!Map_->Moving && Map_->HasSelection && Cell) {
    const bool free = !Cell->Unit && !Cell->Place;
    const bool enemy = Cell->Unit && !BelongsToPlayerToMove(*Cell->Unit);
    if (free || enemy) {
      Map_->TargetCell = this;
      Map_->ComputeRoute();
    }
  }
  if (Application && Application->RButtonDown) Map_->ScrollBy(Application->MouseDX, Application->MouseDY);
  Hovered = true;
}

void TWinCell::Swap(TWinCell* in_other) {
  if (in_other == this || !in_other || !Cell || !in_other->Cell || !in_other->Cell->Unit || Cell->Unit) {
    LogError("void TWinCell::Swap(TWinCell* in_other)");
    throw 0;
  }
  TUnit& unit = *in_other->Cell->Unit;
  Cell->Unit = &unit;
  in_other->Cell->Unit = nullptr;

  const int32_t dx = Sign(Column - in_other->Column);
  const int32_t dy = Sign(Row - in_other->Row);
  unit.Direction = Facing(dx, dy);
  // The stack is drawn at the source first: a cell back along the step.
  if (dx != 0) OffsetX = -dx * kWidth;
  if (dy != 0) OffsetY = -dy * kHeight;
  const int32_t frames = AnimationLength(unit.Animation(kRunning));
  StepX = -OffsetX / frames;
  StepY = -OffsetY / frames;
  unit.CurrentAnimation = unit.Animation(kRunning);
  unit.Animating = true;
  Map_->Wake(this);
  Map_->CellChanged(this);
  in_other->Map()->CellChanged(in_other);
}

void TWinCell::Attacke(TWinCell* in_other) {
  if (in_other == this || !in_other || !Cell || !Cell->Unit || !in_other->Cell || !in_other->Cell->Unit) {
    LogError("void TWinCell::Attacke(TWinCell* in_other)");
    throw 0;
  }
  TUnit& attacker = *Cell->Unit;
  TUnit& target = *in_other->Cell->Unit;

  const int32_t dx = Sign(in_other->Column - Column);
  const int32_t dy = Sign(in_other->Row - Row);
  attacker.Direction = Facing(dx, dy);
  target.Direction = (attacker.Direction + 4) % 8;
  // Along an axis without a step the lunge keeps the attacker's present offset.
  const double lungeX = dx != 0 ? dx * kLungeX : OffsetX;
  const double lungeY = dy != 0 ? dy * kLungeY : OffsetY;
  const int32_t frames = AnimationLength(attacker.Animation(kAttack));
  StepX = lungeX / frames;
  StepY = lungeY / frames;
  OffsetX = 0.0;
  OffsetY = 0.0;
  in_other->StepX = 0.0;
  in_other->StepY = 0.0;

  target.Lives = SaturatingSubtract(target.Lives, RandomNumber() % 10);
  if (target.Lives <= 0) {
    // The top creature dies; what is left of the blow is lost.
    target.Count = SaturatingSubtract(target.Count, 1);
    if (target.Count > 0) target.Lives = RandomNumber() % 10 + 5;
  }

  attacker.CurrentAnimation = attacker.Animation(kAttack);
  attacker.Animating = true;
  target.CurrentAnimation = target.Animation(target.Lives <= 0 ? kOver : kBeenHit);
  target.Animating = true;
  Map_->Wake(this);
  in_other->Map()->Wake(in_other);
}

void TWinCell::RemoveStack() {
  TUnit* unit = Cell ? Cell->Unit : nullptr;
  if (!unit) return;
  const int32_t type = unit->Type;
  const int32_t owner = unit->Owner;
  if (owner == 0 || owner == 1) {
    std::vector<TUnit*>& units = Players[owner].Units;
    const auto entry = std::find(units.begin(), units.end(), unit);
    if (entry != units.end()) units.erase(entry);
  }
  // The cell owns its stack, so it goes even when no player lists it.
  Cell->Unit = nullptr;
  delete unit;
  Map_->CellChanged(this);
  if (type == kQueenType) {
    WinnerText = L"Выйграл Игрок:\n" + Players[(owner % 2 + 3) % 2].Name;
    RequestScreen(2);
  }
}
