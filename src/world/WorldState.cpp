#include "world/WorldState.h"

#include <limits>
#include <utility>

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

namespace {

void FreeGrid(TCell*** cells, int32_t columns, int32_t rows) {
  if (!cells) return;
  for (int32_t c = 0; c < columns; ++c) {
    if (!cells[c]) continue;
    for (int32_t r = 0; r < rows; ++r) delete cells[c][r];
    delete[] cells[c];
  }
  delete[] cells;
}

}  // namespace

void ClearMap() {
  for (TPlayer& player : Players) player.Units.clear();
  FreeGrid(MapCells, MapColumns, MapRows);
  MapCells = nullptr;
  MapColumns = 0;
  MapRows = 0;
}

TWorldState TakeWorld() {
  TWorldState world;
  world.Columns = std::exchange(MapColumns, 0);
  world.Rows = std::exchange(MapRows, 0);
  world.Cells = std::exchange(MapCells, nullptr);
  world.Turn = std::exchange(TurnCounter, 0);
  for (int i = 0; i < 2; ++i) world.Players[i] = std::exchange(Players[i], TPlayer{});
  world.FileName = std::exchange(MapFileName, std::wstring());
  return world;
}

void RestoreWorld(TWorldState& in_world) {
  ClearMap();
  MapColumns = std::exchange(in_world.Columns, 0);
  MapRows = std::exchange(in_world.Rows, 0);
  MapCells = std::exchange(in_world.Cells, nullptr);
  TurnCounter = std::exchange(in_world.Turn, 0);
  for (int i = 0; i < 2; ++i) Players[i] = std::exchange(in_world.Players[i], TPlayer{});
  MapFileName = std::exchange(in_world.FileName, std::wstring());
}

void DeleteWorld(TWorldState& in_world) {
  FreeGrid(in_world.Cells, in_world.Columns, in_world.Rows);
  in_world = TWorldState{};
}
