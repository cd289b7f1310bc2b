#include "screens/PassTurn.h"

#include <cstdint>
#include <limits>
#include <string>

#include "screens/ScreenActions.h"
#include "toolkit/TWinBox.h"
#include "toolkit/WindowTree.h"
#include "world/TMap.h"
#include "world/WorldState.h"

void PassTurn(TMap* in_map) {
  // An order being carried out passes the turn itself when it ends; passing it
  // here as well would cost the next player their turn.
  if (in_map && in_map->Moving) return;
  // A selection left behind would let the next player's first click give the
  // order for the previous player's stack.
  if (in_map) in_map->CancelSelection();
  // A counter read from a file may already be at the top of its range; the
  // next (even) turn then restarts at 0 instead of overflowing.
  TurnCounter = TurnCounter == std::numeric_limits<int32_t>::max() ? 0 : TurnCounter + 1;
  const int32_t player = ((TurnCounter % 2) + 2) % 2;
  const std::wstring text = L"Играет Игрок:\n" + Players[player].Name;
  auto* box = new TWinBox(CentredOn(RootWindow, 200, 150), L"Переход хода", text);
  InputRoot = box;
}
