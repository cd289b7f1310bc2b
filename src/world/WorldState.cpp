#include "world/WorldState.h"

#include <limits>

#include "world/TCell.h"

int32_t MapColumns = 0;
int32_t MapRows = 0;
TCell*** MapCells = nullptr;
int32_t TurnCounter = 0;
TPlayer Players[2];
std::wstring MapFileName;
std::wstring WinnerText;

int32_t PlayerToMove() { return ((TurnCounter % 2) + 2) % 2; }

void AdvanceTurnCounter() {
  TurnCounter = TurnCounter == std::numeric_limits<int32_t>::max() ? 0 : TurnCounter + 1;
}

void ClearMap() {
  for (TPlayer& player : Players) player.Units.clear();
  if (MapCells) {
    for (int32_t c = 0; c < MapColumns; ++c) {
      if (!MapCells[c]) continue;
      for (int32_t r = 0; r < MapRows; ++r) delete MapCells[c][r];
      delete[] MapCells[c];
    }
    delete[] MapCells;
  }
  MapCells = nullptr;
  MapColumns = 0;
  MapRows = 0;
}
