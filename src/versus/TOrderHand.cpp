#include "versus/TOrderHand.h"

#include <algorithm>

#include "net/NetTrace.h"
#include "opponent/TMapView.h"
#include "platform/Win32.h"
#include "screens/TGameDesktop.h"
#include "screens/TGameMenu.h"
#include "shell/TTimer.h"
#include "shell/TWndDirect.h"
#include "toolkit/TWinBox.h"
#include "toolkit/TWinButton.h"
#include "toolkit/WindowTree.h"
#include "world/BoardRest.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/TUnit.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"

namespace {

// The longest single drag of the map, well inside the signed 16-bit mouse coordinates.
constexpr int32_t kLongestDrag = 10000;
// The title of the box that announces the next player after a pass.
constexpr wchar_t kTurnBoxTitle[] = L"Переход хода";

// Set while a hand's message is being handled.
bool Sending = false;
// Where the person's pointer is, and whether a hand has moved the program's since.
int32_t PersonX = 0;
int32_t PersonY = 0;
bool PointerMoved = false;

// The window message with a client point, sent to the program's own window as
// the system sends the mouse's; an exception a handler threw comes out here.
void Send(UINT in_message, WPARAM in_wParam, int32_t in_x, int32_t in_y) {
  if (!Application || !IsWindow(Application->Handle)) return;
  Sending = true;
  PointerMoved = true;
  SendMessageA(Application->Handle, in_message, in_wParam,
               MAKELPARAM(static_cast<short>(in_x), static_cast<short>(in_y)));
  Sending = false;
  RethrowWindowException();
}

TWinButton* ButtonCaptioned(const TWindow* in_window, const wchar_t* in_caption) {
  if (!in_window) return nullptr;
  for (TWindow* child : in_window->Children)
    if (auto* button = dynamic_cast<TWinButton*>(child); button && button->Text == in_caption) return button;
  return nullptr;
}

// The screen point in the middle of a window that draws into its parent's buffer.
TPoint MiddleOf(const TWindow* in_window) {
  int32_t x = in_window->X + in_window->Width / 2;
  int32_t y = in_window->Y + in_window->Height / 2;
  for (const TWindow* window = in_window->Parent; window; window = window->Parent) {
    if (dynamic_cast<const TWindowBuffer*>(window)) {
      x += window->X;
      y += window->Y;
    }
  }
  return TPoint{x, y};
}

}  // namespace

bool TOrderHand::IsSending() { return Sending; }

void TOrderHand::PersonMoved(int32_t in_x, int32_t in_y) {
  PersonX = in_x;
  PersonY = in_y;
  PointerMoved = false;
}

void TOrderHand::GiveBackPointer(bool in_always) {
  if (!PointerMoved) return;
  const TMap* map = GameMap();
  const bool onMap = map && TRect{map->X, map->Y, map->Width, map->Height}.Contains(TPoint{PersonX, PersonY});
  if (!in_always && onMap) return;
  Send(WM_MOUSEMOVE, 0, PersonX, PersonY);
  PointerMoved = false;
}

TMap* TOrderHand::GameMap() {
  if (!dynamic_cast<TGameDesktop*>(RootWindow)) return nullptr;
  for (TWindow* child : RootWindow->Children)
    if (auto* map = dynamic_cast<TMap*>(child)) return map;
  return nullptr;
}

TWinButton* TOrderHand::PassButton() {
  if (!dynamic_cast<TGameDesktop*>(RootWindow)) return nullptr;
  for (TWindow* child : RootWindow->Children)
    if (auto* menu = dynamic_cast<TGameMenu*>(child)) return ButtonCaptioned(menu, L"Пропустить Ход.");
  return nullptr;
}

bool TOrderHand::Ready() {
  const TMap* map = GameMap();
  if (!map || InputRoot != RootWindow || ScreenRequestPending || !Application) return false;
  if (Application->LButtonDown || Application->RButtonDown) return false;
  return BoardAtRest(*map);
}

TViewSpan TOrderHand::Span() {
  const TMap* map = GameMap();
  return map ? TMapView(*map).Span() : TViewSpan{};
}

void TOrderHand::Give(const TOrder& in_order, std::optional<TCellPos> in_stopOn) {
  Order_ = in_order;
  StopOn_ = in_order.Pass ? std::nullopt : in_stopOn;
  Step_ = in_order.Pass ? TStep::Pass : TStep::Scroll;
  Retries_ = 0;
  Failed_ = false;
  if (in_order.Pass) {
    NetTrace("hand: passes turn %d", static_cast<int>(TurnCounter));
  } else {
    NetTrace("hand: turn %d, from %d,%d to %d,%d", static_cast<int>(TurnCounter),
             static_cast<int>(in_order.From.Column), static_cast<int>(in_order.From.Row),
             static_cast<int>(in_order.To.Column), static_cast<int>(in_order.To.Row));
  }
}

void TOrderHand::Reset() {
  Step_ = TStep::Idle;
  Failed_ = false;
  BoxShown_ = 0;
}

bool TOrderHand::TakeFailure() { return std::exchange(Failed_, false); }

void TOrderHand::Move(int32_t in_x, int32_t in_y) { Send(WM_MOUSEMOVE, 0, in_x, in_y); }

void TOrderHand::Click(int32_t in_x, int32_t in_y) {
  Move(in_x, in_y);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, in_x, in_y);
  Send(WM_LBUTTONUP, 0, in_x, in_y);
}

void TOrderHand::Retry() {
  NetTrace("hand: begins the order of turn %d again (step %d)", static_cast<int>(TurnCounter),
           static_cast<int>(Step_));
  if (++Retries_ > kMostRetries) {
    GiveUp();
    return;
  }
  Step_ = TStep::Scroll;
}

void TOrderHand::GiveUp() {
  NetTrace("hand: gives up the order of turn %d from %d,%d to %d,%d at step %d after %d retries",
           static_cast<int>(TurnCounter), static_cast<int>(Order_.From.Column),
           static_cast<int>(Order_.From.Row), static_cast<int>(Order_.To.Column),
           static_cast<int>(Order_.To.Row), static_cast<int>(Step_), static_cast<int>(Retries_));
  Step_ = TStep::Idle;
  Failed_ = true;
}

void TOrderHand::Step() {
  if (Step_ == TStep::Idle) return;
  TakeStep();
  // Mid-order only a pointer off the map goes back: on the map the move
  // would point the route elsewhere.
  GiveBackPointer(Step_ == TStep::Idle || Step_ == TStep::Await);
}

void TOrderHand::TakeStep() {
  if (Step_ == TStep::Await) {
    // The order runs; it is over when the turn passes (or the game is gone).
    TMap* map = GameMap();
    if (!map || TurnCounter != TurnBefore_) {
      Step_ = TStep::Idle;
      return;
    }
    if (StopOn_ && map->Moving && !map->Route.empty() && map->Route.front().first == StopOn_->Column &&
        map->Route.front().second == StopOn_->Row) {
      // A right press on a cell that shows (the order's own ones did) stops the walk there.
      const TMapView view(*map);
      // Any cell will do: both of the order's may be out of the view by now.
      auto point = view.PointOn(Order_.From);
      if (!point) point = view.PointOn(Order_.To);
      if (!point) point = view.PointOn(*StopOn_);
      if (!point) point = view.Middle();
      if (point) {
        Move(point->x, point->y);
        Send(WM_RBUTTONDOWN, MK_RBUTTON, point->x, point->y);
        Send(WM_RBUTTONUP, 0, point->x, point->y);
      }
      StopOn_.reset();
    }
    return;
  }
  if (!Ready()) return;
  TMap& map = *GameMap();
  const TMapView view(map);
  switch (Step_) {
    case TStep::Pass: {
      const TWinButton* button = PassButton();
      if (!button) {
        GiveUp();
        return;
      }
      const int32_t before = TurnCounter;
      const TPoint middle = MiddleOf(button);
      Click(middle.x, middle.y);
      if (TurnCounter == before) {
        Retry();
        if (Step_ == TStep::Scroll) Step_ = TStep::Pass;
        return;
      }
      Step_ = TStep::Idle;
      return;
    }
    case TStep::Scroll: {
      if (!map.CellWindow(Order_.From.Column, Order_.From.Row) || !map.CellWindow(Order_.To.Column, Order_.To.Row)) {
        GiveUp();
        return;
      }
      // Both cells, or the stack alone when they do not fit the window together.
      TPoint drag = view.Span().Fits(Order_.From, Order_.To) ? view.DragToShow(Order_.From, Order_.To)
                                                              : view.DragToShow(Order_.From, Order_.From);
      const TPoint grab = view.Middle();
      while (drag.x != 0 || drag.y != 0) {
        const int32_t dx = std::clamp(drag.x, -kLongestDrag, kLongestDrag);
        const int32_t dy = std::clamp(drag.y, -kLongestDrag, kLongestDrag);
        Move(grab.x, grab.y);
        Send(WM_RBUTTONDOWN, MK_RBUTTON, grab.x, grab.y);
        Move(grab.x + dx, grab.y + dy);
        Send(WM_RBUTTONUP, 0, grab.x + dx, grab.y + dy);
        drag.x -= dx;
        drag.y -= dy;
      }
      if (!view.PointOn(Order_.From)) {
        GiveUp();
        return;
      }
      // When the map window cannot show both cells at its size now (another
      // copy's window was larger), the target is brought in after the stack is
      // selected.
      Step_ = TStep::Select;
      return;
    }
    case TStep::Select: {
      const auto point = view.PointOn(Order_.From);
      if (!point) {
        Retry();
        return;
      }
      Click(point->x, point->y);
      const TWinCell* from = map.CellWindow(Order_.From.Column, Order_.From.Row);
      if (!map.HasSelection || map.SelectedCell != from) {
        GiveUp();
        return;
      }
      Step_ = TStep::Point;
      return;
    }
    case TStep::Point: {
      if (map.HasSelection && !view.PointOn(Order_.To)) {
        // A press of the right button would drop the selection: the map
        // moves by itself, as far as that drag would move it.
        const TPoint drag = view.DragToShow(Order_.To, Order_.To);
        map.ScrollBy(drag.x, drag.y);
      }
      const auto point = view.PointOn(Order_.To);
      if (!point || !map.HasSelection) {
        Retry();
        return;
      }
      Move(point->x, point->y);
      const TWinCell* to = map.CellWindow(Order_.To.Column, Order_.To.Row);
      if (map.TargetCell != to || map.Route.empty()) {
        GiveUp();
        return;
      }
      Wait_ = kShowFrames;
      Step_ = TStep::Show;
      return;
    }
    case TStep::Show:
      if (--Wait_ <= 0) Step_ = TStep::Click;
      return;
    case TStep::Click: {
      const auto point = view.PointOn(Order_.To);
      const TWinCell* to = map.CellWindow(Order_.To.Column, Order_.To.Row);
      if (!point || !map.HasSelection || map.TargetCell != to || map.Route.empty()) {
        Retry();
        return;
      }
      TurnBefore_ = TurnCounter;
      Click(point->x, point->y);
      if (!map.Moving) {
        Retry();
        return;
      }
      Step_ = TStep::Await;
      return;
    }
    case TStep::Idle:
    case TStep::Await:
      return;
  }
}

bool TOrderHand::CloseTurnBox() {
  auto* box = dynamic_cast<TWinBox*>(InputRoot);
  if (!box || box->Title != kTurnBoxTitle || ScreenRequestPending) {
    BoxShown_ = 0;
    return false;
  }
  if (++BoxShown_ < kShowFrames) return true;
  if (const TWinButton* ok = ButtonCaptioned(box, L"Ok")) {
    const TPoint middle = MiddleOf(ok);
    Click(middle.x, middle.y);
    GiveBackPointer(true);
  }
  BoxShown_ = 0;
  return true;
}
