#include "autoplay/THands.h"

#include <algorithm>
#include <cstdlib>

#include "autoplay/AutoplayFailure.h"
#include "headless/GameHarness.h"
#include "headless/WindowQuery.h"
#include "opponent/TMapView.h"
#include "platform/PlatformTest.h"
#include "shell/TTimer.h"
#include "toolkit/TWinButton.h"
#include "world/TMap.h"
#include "world/TWinCell.h"
#include "world/Utf8Text.h"

namespace {

// The longest single drag of the map, well inside the signed 16-bit mouse coordinates.
constexpr int32_t kLongestDrag = 10000;

}  // namespace

THands::THands(TGameHarness& in_harness, uint32_t in_seed, int32_t in_drawEvery, int32_t in_frameBound)
    : Harness_(in_harness), DrawChoice_(in_seed), DrawEvery_(in_drawEvery), FrameBound_(in_frameBound) {}

void THands::Tick(int32_t in_frames) {
  for (int32_t i = 0; i < in_frames; ++i) {
    const bool draw = DrawEvery_ == 1 || (DrawEvery_ > 1 && DrawChoice_() % static_cast<uint32_t>(DrawEvery_) == 0);
    PlatformTest::DiscardDrawing(!draw);
    // Screens are only built, and the program only closed, at the start of a frame that was asked for it.
    if (ScreenRequestPending || (Application && Application->CloseRequested)) MapKnown_ = false;
    Harness_.Tick();
    ++Frames_;
  }
}

void THands::TickUntil(const std::function<bool()>& in_done, const std::string& in_what) {
  for (int32_t i = 0; !in_done(); ++i) {
    if (i >= FrameBound_)
      throw TAutoplayFailure("soft-lock: " + in_what + " did not happen within " + std::to_string(FrameBound_) +
                             " frames");
    Tick();
  }
}

void THands::Move(TPoint in_point) { Harness_.MouseMove(in_point.x, in_point.y); }

void THands::Click(TPoint in_point) { Harness_.LeftClick(in_point.x, in_point.y); }

void THands::RightClick(TPoint in_point) {
  Harness_.RightDown(in_point.x, in_point.y);
  Harness_.RightUp(in_point.x, in_point.y);
}

void THands::Key(int in_virtualKey) { Harness_.Key(in_virtualKey); }

void THands::Type(wchar_t in_character) {
  const int key = (in_character >= L'a' && in_character <= L'z') ? in_character - L'a' + 'A' : in_character;
  Harness_.KeyDown(key);
  Harness_.Char(in_character);
  Harness_.KeyUp(key);
}

void THands::ClickWindow(const TWindow* in_window, const std::string& in_what) {
  if (!in_window || !IsLive(in_window)) throw TAutoplayFailure("no " + in_what + " to click");
  Click(MiddleOf(in_window));
}

void THands::ClickButton(const TWindow* in_window, const std::wstring& in_caption) {
  const TWinButton* button = ButtonOf(in_window, in_caption);
  if (!button) throw TAutoplayFailure("no button \"" + Utf8Text(in_caption) + "\" where expected");
  ClickWindow(button, "button");
}

TMap* THands::Map() const {
  if (!MapKnown_) {
    Map_ = OnlyLive<TMap>();
    MapKnown_ = true;
  }
  return Map_;
}

TWinCell* THands::CellWindow(TCellPos in_cell) const {
  const TMap* map = Map();
  return map ? map->CellWindow(in_cell.Column, in_cell.Row) : nullptr;
}

TViewSpan THands::Span() const {
  const TMap* map = Map();
  return map ? TMapView(*map).Span() : TViewSpan{};
}

void THands::Show(TCellPos in_a, TCellPos in_b) {
  TMap* map = Map();
  const TWinCell* origin = CellWindow({0, 0});
  if (!map || !CellWindow(in_a) || !CellWindow(in_b) || !origin)
    throw TAutoplayFailure("no map window with the cells " + CellText(in_a) + " and " + CellText(in_b));
  const TMapView view(*map);
  const TPoint drag = view.DragToShow(in_a, in_b);
  const int32_t wantX = origin->X + drag.x;
  const int32_t wantY = origin->Y + drag.y;
  const TPoint grab = view.Middle();
  while (origin->X != wantX || origin->Y != wantY) {
    const int32_t dx = std::clamp(wantX - origin->X, -kLongestDrag, kLongestDrag);
    const int32_t dy = std::clamp(wantY - origin->Y, -kLongestDrag, kLongestDrag);
    const int32_t beforeX = origin->X;
    const int32_t beforeY = origin->Y;
    Harness_.RightDown(grab.x, grab.y);
    Harness_.MouseMove(grab.x + dx, grab.y + dy);
    Harness_.RightUp(grab.x + dx, grab.y + dy);
    if (origin->X != beforeX + dx || origin->Y != beforeY + dy)
      throw TAutoplayFailure("dragging the map with the right button by (" + std::to_string(dx) + ", " +
                             std::to_string(dy) + ") moved it by (" + std::to_string(origin->X - beforeX) + ", " +
                             std::to_string(origin->Y - beforeY) + ")");
  }
}

TPoint THands::PointOn(TCellPos in_cell) const {
  const TMap* map = Map();
  const std::optional<TPoint> point = map ? TMapView(*map).PointOn(in_cell) : std::nullopt;
  if (!point) {
    if (!CellWindow(in_cell)) throw TAutoplayFailure("no cell window for " + CellText(in_cell));
    throw TAutoplayFailure("the cell " + CellText(in_cell) + " is not in view");
  }
  return *point;
}
