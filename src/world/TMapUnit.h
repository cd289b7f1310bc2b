#pragma once
// The visible side of a stack: its six animation sheets, the animation being
// played, its owner and its information text.

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "graphics/TSprite.h"

// The animation states of a unit type, in the order their sheets are given.
enum TAnimationState { kAttack, kBeenHit, kOver, kPaused, kRunning, kStopped, kAnimationStateCount };

// Paths of the six sheets, in TAnimationState order.
using TAnimationPaths = std::array<std::wstring, kAnimationStateCount>;

// "res/Unit/" + folder + "/" + state + ".tif" for the six states. Made once
// per folder: every stack of a type asks for the same six.
const TAnimationPaths& UnitAnimationPaths(const std::wstring& in_folder);

class TMapUnit {
 public:
  // Looks up all six sheets first (a path that is not registered throws there,
  // with nothing acquired), then acquires them in order. The stack starts idle
  // on frame 0 of the paused animation.
  explicit TMapUnit(const TAnimationPaths& in_paths);
  TMapUnit(const TMapUnit&) = delete;
  TMapUnit& operator=(const TMapUnit&) = delete;
  // Releases the six sheets in the reverse order.
  virtual ~TMapUnit();

  // Appends the information text; the unit types override it.
  virtual void Describe(std::wostream& out) const;

  // The sheet of a state.
  TUnitSprite* Animation(TAnimationState in_state) const { return Sheets_[in_state]; }

  bool Animating = false;
  // The frame column of the current animation.
  int32_t FrameIndex = 0;
  // One of the six sheets: the animation drawn.
  TUnitSprite* CurrentAnimation = nullptr;
  // Index of the owning player, 0 or 1.
  int32_t Owner = 0;

 private:
  std::array<TUnitSprite*, kAnimationStateCount> Sheets_;
};
