#pragma once
// Gives a side's order on the game screen as a person's hand gives it: drags
// the map with the right button until both cells show, moves the pointer onto
// the stack and clicks it, moves onto the target so that the route shows, lets
// the route show for a moment, and clicks again; or clicks "Пропустить Ход.".
// When the map window is too small to show both cells at once (an order the
// other copy gave in a larger window), the map moves by itself to the target
// once the stack is selected, since the right button would drop the selection.
// Every step is a window message sent to the program's own window, one step
// per frame, so the screen shows each of them. It closes the "Переход хода"
// box that announces its own side's turn in the same way.
//
// The steps run outside the event lock (the application object calls Step
// after its tick). Whatever undoes a step (a menu the person opened, a resize
// that moved the cells) makes the order begin again, a few times at most;
// then the hand gives up and says so.

#include <cstdint>
#include <optional>

#include "opponent/TOrder.h"
#include "opponent/TViewSpan.h"

class TMap;
class TWinButton;

class TOrderHand {
 public:
  // Frames the route shows before the order is given, and that a turn box
  // stays before the hand closes it: about half a second at the default frame
  // interval, less when the frames come faster.
  static constexpr int32_t kShowFrames = 8;
  // How often an order begins again before the hand gives up.
  static constexpr int32_t kMostRetries = 3;

  TOrderHand() = default;
  TOrderHand(const TOrderHand&) = delete;
  TOrderHand& operator=(const TOrderHand&) = delete;

  // Whether an order or a pass is in hand.
  bool Busy() const { return Step_ != TStep::Idle; }
  // Whether the game screen waits for an order: it is on the screen and holds
  // the input (no menu or box open), no screen is about to replace it, the
  // board is at rest (BoardAtRest) and no mouse button is held.
  static bool Ready();
  // How far apart the cells of an order may lie at the map window's size now.
  static TViewSpan Span();
  // Takes the order (or pass) in hand; its first step comes with the next Step.
  // With in_stopOn, the walk is stopped with a right press on the map once
  // the stack stands on that cell of its route, as a person stops it.
  void Give(const TOrder& in_order, std::optional<TCellPos> in_stopOn = std::nullopt);
  // Carries out the next step of the order in hand when the screen is ready for it.
  void Step();
  // Drops the order in hand, as when another game comes on the screen.
  void Reset();
  // Clicks "Ok" on an open "Переход хода" box once it has shown for
  // kShowFrames calls in a row; answers whether such a box is open.
  bool CloseTurnBox();
  // Whether the hand gave up on the last order since it was asked; asking clears it.
  bool TakeFailure();

  // Whether the input being routed now comes from a hand rather than the person.
  static bool IsSending();
  // Where the person's own pointer went last, in client coordinates. The
  // program routes presses to where the last move pointed, so the hand moves
  // the pointer back there when it is done: at the end of an order, and after
  // each step when the person's pointer is off the map window.
  static void PersonMoved(int32_t in_x, int32_t in_y);

  // The map window and the side menu's "Пропустить Ход." of the game screen; null elsewhere.
  static TMap* GameMap();
  static TWinButton* PassButton();

 private:
  enum class TStep { Idle, Scroll, Select, Point, Show, Click, Await, Pass };

  void Click(int32_t in_x, int32_t in_y);
  void Move(int32_t in_x, int32_t in_y);
  // The step itself; Step puts the pointer back afterwards.
  void TakeStep();
  // Moves the pointer back to the person's, if the hand moved it and in_always
  // or the person's pointer is off the map window.
  static void GiveBackPointer(bool in_always);
  // Begins the order again from the drag, or gives up after kMostRetries.
  void Retry();
  void GiveUp();

  TStep Step_ = TStep::Idle;
  TOrder Order_;
  std::optional<TCellPos> StopOn_;
  int32_t Wait_ = 0;
  int32_t Retries_ = 0;
  int32_t TurnBefore_ = 0;
  int32_t BoxShown_ = 0;
  bool Failed_ = false;
};
