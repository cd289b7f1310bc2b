// Feeds arbitrary bytes to the map reader alone: the record of the file is read
// with no texture, window or world, so that many more inputs go through it than
// through the whole game's reading (MapReader.fuzz.cpp). Whatever the bytes
// hold, reading must not crash, hang or take memory beyond what the bytes and
// the map size limits allow; the record it gives must keep within the format's
// values; the problem report must name a place inside the bytes and change
// nothing that is read; and bytes without a problem must hold every cell.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FuzzChecks.h"
#include "world/TMapReader.h"
#include "world/TMapRecord.h"
#include "world/UnitTypes.h"

namespace {

bool SameCell(const TCellRecord& a, const TCellRecord& b) {
  return a.TileColumn == b.TileColumn && a.TileRow == b.TileRow && a.PlaceType == b.PlaceType &&
         a.PlaceFrame == b.PlaceFrame && a.StackOwner == b.StackOwner && a.Stack.Type == b.Stack.Type &&
         a.Stack.Lives == b.Stack.Lives && a.Stack.Count == b.Stack.Count && a.Stack.Direction == b.Stack.Direction &&
         std::memcmp(&a.Stack.Moves, &b.Stack.Moves, sizeof(float)) == 0;
}

bool SameRecord(const TMapRecord& a, const TMapRecord& b) {
  if (a.Turn != b.Turn || a.Names[0] != b.Names[0] || a.Names[1] != b.Names[1] || a.Columns != b.Columns ||
      a.Rows != b.Rows || a.Cells.size() != b.Cells.size())
    return false;
  for (size_t i = 0; i < a.Cells.size(); ++i)
    if (!SameCell(a.Cells[i], b.Cells[i])) return false;
  return true;
}

// The values a record may hold whatever the bytes were.
bool WithinTheFormat(const TMapRecord& map) {
  if (map.Turn && *map.Turn < 0) return false;
  for (const std::wstring& name : map.Names)
    if (name.size() > TMapReader::kMaxNameLength) return false;
  if (map.Columns < 0 || map.Rows < 0 || map.Columns > kMaxMapColumns || map.Rows > kMaxMapRows ||
      int64_t{map.Columns} * map.Rows > kMaxMapCells)
    return false;
  if (static_cast<int64_t>(map.Cells.size()) > int64_t{map.Columns} * map.Rows) return false;
  for (const TCellRecord& cell : map.Cells) {
    if (cell.PlaceType != 0 && cell.PlaceType != 2 && cell.PlaceType != 3) return false;
    if (cell.StackOwner < -1 || cell.StackOwner > 1) return false;
    if (cell.StackOwner >= 0 && (cell.Stack.Type < 0 || cell.Stack.Type >= kUnitTypeCount)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TMapReadProblem problem;
  const TMapRecord reported = TMapRecord::Read(bytes, &problem);
  if (!WithinTheFormat(reported)) std::abort();
  if (problem.Exists() && !InsideBytes(problem, bytes)) std::abort();
  if (!SameRecord(reported, TMapRecord::Read(bytes))) std::abort();
  // Without a problem every cell of the grid was read, and the grid has cells.
  if (!problem.Exists() &&
      (reported.Columns < 1 || reported.Rows < 1 ||
       static_cast<int64_t>(reported.Cells.size()) != int64_t{reported.Columns} * reported.Rows))
    std::abort();
  return 0;
}
