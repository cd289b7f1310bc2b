#pragma once
// The autoplay's hands on the headless game: mouse moves, clicks, right clicks
// and keys sent to the window as a player gives them, and frames run by moving
// the test clock. They find what to click by reading the window tree, as a
// player reads the screen, and never change a window or the world themselves.
// Whatever does not come out as a player would see it throws TAutoplayFailure.

#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "graphics/Geometry.h"
#include "opponent/TBoard.h"
#include "opponent/TViewSpan.h"

class TGameHarness;
class TMap;
class TWindow;
class TWinCell;

class THands {
 public:
  // in_drawEvery: one frame in that many (chosen at random) is drawn for real,
  // the others discard their drawing; 1 draws every frame, 0 none.
  // in_frameBound: how many frames an awaited change may take (a soft-lock beyond).
  THands(TGameHarness& in_harness, uint32_t in_seed, int32_t in_drawEvery, int32_t in_frameBound);
  THands(const THands&) = delete;
  THands& operator=(const THands&) = delete;

  // Frames, each after moving the test clock by the frame interval.
  void Tick(int32_t in_frames = 1);
  // Runs frames until in_done holds, at most the frame bound; beyond it the
  // game is soft-locked and what was awaited is reported.
  void TickUntil(const std::function<bool()>& in_done, const std::string& in_what);
  int64_t Frames() const { return Frames_; }

  void Move(TPoint in_point);
  void Click(TPoint in_point);
  void RightClick(TPoint in_point);
  // A key pressed and released; a character typed (key, character, release).
  void Key(int in_virtualKey);
  void Type(wchar_t in_character);
  // A left click in the middle of the window.
  void ClickWindow(const TWindow* in_window, const std::string& in_what);
  // Clicks the button with this caption on the window.
  void ClickButton(const TWindow* in_window, const std::wstring& in_caption);

  // The map window of the game screen; null on other screens. Looked up again
  // only after a frame that could have built another screen.
  TMap* Map() const;
  TWinCell* CellWindow(TCellPos in_cell) const;
  // The column and row distances the map window can show at once.
  TViewSpan Span() const;
  // Scrolls the map by dragging it with the right button, unless both cells
  // are whole in view already, so that both can be pointed at.
  void Show(TCellPos in_a, TCellPos in_b);
  // The middle of the part of the cell that shows; a failure when none does.
  TPoint PointOn(TCellPos in_cell) const;

 private:
  TGameHarness& Harness_;
  std::mt19937 DrawChoice_;
  int32_t DrawEvery_;
  int32_t FrameBound_;
  int64_t Frames_ = 0;
  mutable TMap* Map_ = nullptr;
  mutable bool MapKnown_ = false;
};
