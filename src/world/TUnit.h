#pragma once
// A stack: the stored numbers and the visible side together. Cells own their
// stacks and delete them through the virtual destructor.

#include <cstdint>
#include <ostream>

#include "graphics/Geometry.h"
#include "graphics/TGraphics.h"
#include "world/TMapUnit.h"
#include "world/TUnitAccount.h"

class TUnit : public TUnitAccount, public TMapUnit {
 public:
  explicit TUnit(const TAnimationPaths& in_paths);

  // Draws frame column FrameIndex, frame row Direction of the current animation
  // with its anchor on (in_x, in_y): the top-left corner of the stack's cell plus
  // the cell's drawing offsets. A frame outside the sheet draws nothing.
  virtual void Draw(TGraphics& in_graphics, int32_t in_x, int32_t in_y) const;

  // The rectangle Draw covers when given (in_x, in_y); empty without an animation.
  TRect DrawBounds(int32_t in_x, int32_t in_y) const;

 protected:
  // The part of the information text every type shares, after its type line:
  // lives, count and moves, one per line, then "Принадлежит Игроку:" and the
  // owner's name, without a final line break.
  void DescribeNumbers(std::wostream& out) const;
};
