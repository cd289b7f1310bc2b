#pragma once
// What a map file holds, as plain values: read from the bytes without looking
// up a texture or building a cell, place or stack, so that reading can be
// checked alone and the world is built from it afterwards (ReadMapFromStream).

#include <cstdint>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

#include "world/TMapReader.h"
#include "world/TUnitAccount.h"

// Limits of the map size a file may ask for. A size line beyond them, or with a
// negative dimension, reads as a failed read at that point: the map stays 0 x 0.
constexpr int32_t kMaxMapColumns = 4096;
constexpr int32_t kMaxMapRows = 4096;
constexpr int64_t kMaxMapCells = int64_t{1} << 20;

// One cell token as read.
struct TCellRecord {
  int32_t TileColumn = 0;
  int32_t TileRow = 0;
  // The tree: type digit 2 or 3, and its frame index; 0 when the cell has none.
  int32_t PlaceType = 0;
  int32_t PlaceFrame = 0;
  // The stack's owner, 0 or 1, and its numbers (a type code from 0 to 9);
  // owner -1 when the cell has no stack.
  int32_t StackOwner = -1;
  TUnitAccount Stack;
};

class TMapRecord {
 public:
  // Reads a map file's bytes as the game reads them (see ReadMapFromStream in
  // MapFile.h for what a failed read and a bad value give). With out_problem,
  // it also receives the first problem of the bytes, and what follows the last
  // cell is looked at too; what is read is the same with and without it.
  static TMapRecord Read(std::streambuf& in_bytes, TMapReadProblem* out_problem = nullptr);
  static TMapRecord Read(const std::string& in_bytes, TMapReadProblem* out_problem = nullptr);

  // The cell at (in_column, in_row) of the Columns x Rows grid: the token read
  // there, or tile (0, 0) with nothing on it where the bytes ended first.
  TCellRecord Cell(int32_t in_column, int32_t in_row) const;

  // The turn counter, not below 0; none when the bytes did not hold one (the
  // world then keeps the turn counter it had).
  std::optional<int32_t> Turn;
  // The players' names, empty where the opening quote could not be read.
  std::wstring Names[2];
  // The map size, within the limits above: 0 x 0 when the size line failed or
  // asked for too much. One of them may be 0 with the other not.
  int32_t Columns = 0;
  int32_t Rows = 0;
  // The cells read, row by row; at most Columns x Rows, fewer when the bytes
  // ended or failed inside the cells.
  std::vector<TCellRecord> Cells;
};
