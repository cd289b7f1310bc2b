#pragma once
// The world state of the game in progress: the grid of cells, the turn counter
// and the two players. One set per process; a map file replaces it as a whole.

#include <cstdint>
#include <string>
#include <vector>

class TCell;
class TUnit;

struct TPlayer {
  std::wstring Name;
  // The player's stacks, in map-file order. The cells own them.
  std::vector<TUnit*> Units;
};

extern int32_t MapColumns;
extern int32_t MapRows;
// The grid, indexed [column][row]; owns the cells.
extern TCell*** MapCells;
// The player to move is TurnCounter mod 2.
extern int32_t TurnCounter;
extern TPlayer Players[2];
extern std::wstring MapFileName;
// What the finish screen announces: "Выйграл Игрок:\n" and the winner's name,
// set when a queen is destroyed just before the finish screen is requested.
// Empty until a game has been won.
extern std::wstring WinnerText;

// The index of the player to move, 0 or 1: TurnCounter mod 2, read as 0 or 1
// for a negative counter too.
int32_t PlayerToMove();
// Passes the turn: TurnCounter goes on by one; at the largest counter it starts
// again at 0, which keeps the players alternating.
void AdvanceTurnCounter();

// Deletes every cell (with its place and stack), frees the grid, sets both
// sizes to 0 and empties both players' stack lists.
void ClearMap();

// A whole world state held outside the globals, owning its grid like they do.
// Lets a new world be read while the old one stays whole, to be put back when
// the new one is no good.
struct TWorldState {
  int32_t Columns = 0;
  int32_t Rows = 0;
  TCell*** Cells = nullptr;
  int32_t Turn = 0;
  TPlayer Players[2];
  std::wstring FileName;
};

// Moves the world state out of the globals, which are left as a new process
// has them: no grid, 0 x 0, turn 0, both players nameless without stacks.
TWorldState TakeWorld();
// Clears the current world (ClearMap) and moves the held one back in its place;
// the record is left empty.
void RestoreWorld(TWorldState& in_world);
// Deletes every cell the held world owns and empties the record.
void DeleteWorld(TWorldState& in_world);
