#include "editor/GridEdits.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "graphics/TSprite.h"
#include "graphics/TextureRegistry.h"
#include "world/MapFile.h"
#include "world/TCell.h"
#include "world/WorldState.h"

namespace {

const TCell* CellAt(int32_t in_column, int32_t in_row) {
  if (!MapCells || in_column < 0 || in_row < 0 || in_column >= MapColumns || in_row >= MapRows) return nullptr;
  return MapCells[in_column] ? MapCells[in_column][in_row] : nullptr;
}

// A grid being built beside the world's: frees whatever it still holds when
// it goes, so that a failure half way leaves nothing behind.
struct TNewGrid {
  TCell*** Cells = nullptr;
  int32_t Columns = 0;
  int32_t Rows = 0;

  TNewGrid(int32_t in_columns, int32_t in_rows) : Columns(in_columns), Rows(in_rows) {
    Cells = new TCell**[static_cast<size_t>(in_columns)]();
    try {
      for (int32_t c = 0; c < in_columns; ++c) Cells[c] = new TCell*[static_cast<size_t>(in_rows)]();
    } catch (...) {
      Free();
      throw;
    }
  }
  ~TNewGrid() { Free(); }
  TNewGrid(const TNewGrid&) = delete;
  TNewGrid& operator=(const TNewGrid&) = delete;

  void Free() {
    TWorldState held;
    held.Columns = Columns;
    held.Rows = Rows;
    held.Cells = std::exchange(Cells, nullptr);
    DeleteWorld(held);
  }
  // Hands the grid over; it frees nothing from now on.
  TCell*** Release() { return std::exchange(Cells, nullptr); }
};

// Makes the world's grid in_columns x in_rows: old cell (c, r) moves to
// (c + in_dColumns, r + in_dRows); a new position takes its content from
// in_restore when it is named there, otherwise in_fill. Old cells that end
// outside are deleted, their contents appended to out_cut when given.
void Regrid(int32_t in_columns, int32_t in_rows, int32_t in_dColumns, int32_t in_dRows, const TCellContent& in_fill,
            const std::vector<TCellPlacement>* in_restore, std::vector<TCellPlacement>* out_cut) {
  TSprite* ground = FindTextureAs<TSprite>(TCell::kGroundPath);
  TNewGrid grid(in_columns, in_rows);
  const auto fromOld = [&](int32_t in_column, int32_t in_row) {
    const int64_t c = int64_t{in_column} - in_dColumns;
    const int64_t r = int64_t{in_row} - in_dRows;
    return c >= 0 && r >= 0 && c < MapColumns && r < MapRows && MapCells && MapCells[c] && MapCells[c][r];
  };
  // Everything that can fail comes first: the new cells, then room for the cut ones.
  if (in_restore) {
    for (const TCellPlacement& placement : *in_restore) {
      if (placement.Column < 0 || placement.Row < 0 || placement.Column >= in_columns || placement.Row >= in_rows ||
          fromOld(placement.Column, placement.Row) || grid.Cells[placement.Column][placement.Row])
        continue;
      grid.Cells[placement.Column][placement.Row] = new TCell(ground);
      ApplyContent(*grid.Cells[placement.Column][placement.Row], placement.Content);
    }
  }
  for (int32_t c = 0; c < in_columns; ++c)
    for (int32_t r = 0; r < in_rows; ++r) {
      if (grid.Cells[c][r] || fromOld(c, r)) continue;
      grid.Cells[c][r] = new TCell(ground);
      ApplyContent(*grid.Cells[c][r], in_fill);
    }
  if (out_cut) {
    size_t cut = 0;
    for (int32_t c = 0; c < MapColumns; ++c)
      for (int32_t r = 0; r < MapRows; ++r) {
        const int64_t nc = int64_t{c} + in_dColumns;
        const int64_t nr = int64_t{r} + in_dRows;
        if (nc < 0 || nr < 0 || nc >= in_columns || nr >= in_rows) ++cut;
      }
    out_cut->reserve(out_cut->size() + cut);
  }

  // From here on nothing throws.
  for (int32_t c = 0; c < in_columns; ++c)
    for (int32_t r = 0; r < in_rows; ++r)
      if (fromOld(c, r)) {
        TCell*& old = MapCells[c - in_dColumns][r - in_dRows];
        grid.Cells[c][r] = old;
        old = nullptr;
      }
  for (int32_t c = 0; c < MapColumns; ++c) {
    if (!MapCells || !MapCells[c]) continue;
    for (int32_t r = 0; r < MapRows; ++r) {
      TCell* left = MapCells[c][r];
      if (!left) continue;
      if (out_cut) out_cut->push_back(TCellPlacement{c, r, ContentOf(*left)});
      delete left;
      MapCells[c][r] = nullptr;
    }
  }
  // The old grid holds no cell now; ClearMap frees its arrays and keeps the
  // names and the turn counter.
  ClearMap();
  MapCells = grid.Release();
  MapColumns = in_columns;
  MapRows = in_rows;
  RebuildStackLists();
}

}  // namespace

TGridRect TGridRect::Spanning(int32_t in_column0, int32_t in_row0, int32_t in_column1, int32_t in_row1) {
  const int32_t column = std::min(in_column0, in_column1);
  const int32_t row = std::min(in_row0, in_row1);
  return TGridRect{column, row, std::max(in_column0, in_column1) - column + 1, std::max(in_row0, in_row1) - row + 1};
}

TGridRect TGridRect::OnGrid() const {
  const int64_t left = std::max<int64_t>(Column, 0);
  const int64_t top = std::max<int64_t>(Row, 0);
  const int64_t right = std::min<int64_t>(int64_t{Column} + Columns, MapColumns);
  const int64_t bottom = std::min<int64_t>(int64_t{Row} + Rows, MapRows);
  if (right <= left || bottom <= top) return TGridRect{};
  return TGridRect{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
                   static_cast<int32_t>(bottom - top)};
}

std::vector<TCellPlacement> ConnectedGround(int32_t in_column, int32_t in_row, bool in_eightConnected) {
  std::vector<TCellPlacement> area;
  const TCell* start = CellAt(in_column, in_row);
  if (!start) return area;
  const int32_t tileColumn = start->TileColumn;
  const int32_t tileRow = start->TileRow;
  const int64_t columns = MapColumns;
  const int64_t rows = MapRows;
  // One mark per cell and a stack of cells to look at: each cell is pushed at most once.
  std::vector<uint8_t> seen(static_cast<size_t>(columns * rows), 0);
  std::vector<int64_t> pending;
  const auto visit = [&](int64_t c, int64_t r) {
    if (c < 0 || r < 0 || c >= columns || r >= rows) return;
    uint8_t& mark = seen[static_cast<size_t>(r * columns + c)];
    if (mark) return;
    const TCell* cell = MapCells[c] ? MapCells[c][r] : nullptr;
    if (!cell || cell->TileColumn != tileColumn || cell->TileRow != tileRow) return;
    mark = 1;
    pending.push_back(r * columns + c);
  };
  visit(in_column, in_row);
  size_t count = 0;
  while (!pending.empty()) {
    const int64_t index = pending.back();
    pending.pop_back();
    ++count;
    const int64_t c = index % columns;
    const int64_t r = index / columns;
    visit(c - 1, r);
    visit(c + 1, r);
    visit(c, r - 1);
    visit(c, r + 1);
    if (in_eightConnected) {
      visit(c - 1, r - 1);
      visit(c + 1, r - 1);
      visit(c - 1, r + 1);
      visit(c + 1, r + 1);
    }
  }
  area.reserve(count);
  for (int64_t index = 0; index < columns * rows; ++index) {
    if (!seen[static_cast<size_t>(index)]) continue;
    const int32_t c = static_cast<int32_t>(index % columns);
    const int32_t r = static_cast<int32_t>(index / columns);
    area.push_back(TCellPlacement{c, r, ContentOf(*MapCells[c][r])});
  }
  return area;
}

std::vector<TCellPlacement> ClearArea(const TGridRect& in_area, const TCellContent& in_background) {
  std::vector<TCellPlacement> placements;
  const TGridRect area = in_area.OnGrid();
  if (area.Empty()) return placements;
  placements.reserve(static_cast<size_t>(area.Columns) * static_cast<size_t>(area.Rows));
  for (int32_t r = area.Row; r < area.Row + area.Rows; ++r)
    for (int32_t c = area.Column; c < area.Column + area.Columns; ++c)
      placements.push_back(TCellPlacement{c, r, in_background});
  return placements;
}

std::vector<TCellPlacement> MoveArea(const TGridRect& in_from, int32_t in_dColumns, int32_t in_dRows,
                                     const TCellContent& in_background) {
  std::vector<TCellPlacement> placements;
  const TGridRect from = in_from.OnGrid();
  if (from.Empty()) return placements;
  const TGridRect to{from.Column + in_dColumns, from.Row + in_dRows, from.Columns, from.Rows};
  // The cells left behind that the block does not cover again.
  for (int32_t r = from.Row; r < from.Row + from.Rows; ++r)
    for (int32_t c = from.Column; c < from.Column + from.Columns; ++c)
      if (!to.Contains(c, r)) placements.push_back(TCellPlacement{c, r, in_background});
  // The block where it lands, read before anything is changed.
  const TGridRect landing = to.OnGrid();
  for (int32_t r = landing.Row; r < landing.Row + landing.Rows; ++r)
    for (int32_t c = landing.Column; c < landing.Column + landing.Columns; ++c)
      placements.push_back(TCellPlacement{c, r, ContentOf(*MapCells[c - in_dColumns][r - in_dRows])});
  return placements;
}

int32_t AnchorOffset(int32_t in_anchor, int32_t in_oldSize, int32_t in_newSize) {
  const int64_t room = int64_t{in_newSize} - in_oldSize;
  if (in_anchor <= 0) return 0;
  if (in_anchor == 1) return static_cast<int32_t>(room >= 0 ? room / 2 : -((-room + 1) / 2));
  return static_cast<int32_t>(room);
}

bool ResizeCutsObjects(const TResizePlan& in_plan) {
  for (int32_t c = 0; c < MapColumns; ++c)
    for (int32_t r = 0; r < MapRows; ++r) {
      const int64_t nc = int64_t{c} + in_plan.OffsetColumn;
      const int64_t nr = int64_t{r} + in_plan.OffsetRow;
      if (nc >= 0 && nr >= 0 && nc < in_plan.Columns && nr < in_plan.Rows) continue;
      const TCell* cell = CellAt(c, r);
      if (cell && (cell->Place || cell->Unit)) return true;
    }
  return false;
}

bool ResizeWorld(const TResizePlan& in_plan, std::vector<TCellPlacement>* out_cut) {
  if (!MapSizeAllowed(in_plan.Columns, in_plan.Rows) || std::abs(int64_t{in_plan.OffsetColumn}) > kMaxMapColumns ||
      std::abs(int64_t{in_plan.OffsetRow}) > kMaxMapRows)
    return false;
  TCellContent fill;
  fill.TileColumn = in_plan.TileColumn;
  fill.TileRow = in_plan.TileRow;
  Regrid(in_plan.Columns, in_plan.Rows, in_plan.OffsetColumn, in_plan.OffsetRow, fill, nullptr, out_cut);
  return true;
}

void UndoResizeWorld(const TResizePlan& in_plan, int32_t in_columns, int32_t in_rows,
                     const std::vector<TCellPlacement>& in_cut) {
  Regrid(in_columns, in_rows, -in_plan.OffsetColumn, -in_plan.OffsetRow, TCellContent{}, &in_cut, nullptr);
}
