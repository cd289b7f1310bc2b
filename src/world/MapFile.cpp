#include "world/MapFile.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "graphics/TSprite.h"
#include "graphics/TextureRegistry.h"
#include "platform/Win32.h"
#include "world/NumberText.h"
#include "world/TCell.h"
#include "world/TMapRecord.h"
#include "world/TPlace.h"
#include "world/TUnit.h"
#include "world/Utf8Text.h"
#include "world/UnitTypes.h"
#include "world/WholeFile.h"
#include "world/WorldState.h"

namespace {

// Appends text as one byte per character; a line break becomes CR LF and a
// character above 255 becomes '?'.
void AppendText(std::string& out, const std::wstring& text) {
  for (wchar_t c : text) {
    if (c == L'\n')
      out += "\r\n";
    else if (static_cast<uint32_t>(c) > 0xFF)
      out += '?';
    else
      out += static_cast<char>(static_cast<unsigned char>(c));
  }
}

void AppendCell(std::string& out, const TCell* cell, std::wostringstream& token) {
  out += "<[";
  AppendDecimal(out, cell ? cell->TileColumn : 0);
  out += ' ';
  AppendDecimal(out, cell ? cell->TileRow : 0);
  out += ']';
  if (cell && cell->Place) {
    out += 'P';
    token.str(std::wstring());
    cell->Place->Write(token);
    AppendText(out, token.str());
  } else {
    out += 'N';
  }
  if (cell && cell->Unit) {
    out += 'U';
    AppendDecimal(out, cell->Unit->Owner);
    token.str(std::wstring());
    cell->Unit->Write(token);
    AppendText(out, token.str());
  } else {
    out += 'N';
  }
  out += ">\r\n";
}

}  // namespace

std::filesystem::path MapFilePath(const std::wstring& in_name) {
#ifdef _WIN32
  return std::filesystem::path(in_name);
#else
  return std::filesystem::path(Utf8Text(in_name));
#endif
}

bool ReadMapFile(const std::wstring& in_name, TMapReadProblem* out_problem) {
  const std::filesystem::path path = MapFilePath(in_name);
  // Only a regular file is opened: a directory or a device would not read as a
  // map, and a pipe could block the open.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::filebuf file;
  if (!file.open(path, std::ios::in | std::ios::binary)) return false;

  // The new world is read beside the old one, which goes only once the new
  // one has cells to play on.
  TWorldState previous = TakeWorld();
  try {
    ReadMapFromStream(file, out_problem);
  } catch (...) {
    RestoreWorld(previous);
    throw;
  }
  if (MapColumns <= 0 || MapRows <= 0) {
    RestoreWorld(previous);
    return false;
  }
  DeleteWorld(previous);
  MapFileName = in_name;
  return true;
}


namespace {

// Replaces the world state (except MapFileName) with the map read. The grid
// goes into the world state at once, every entry empty, so that it is always
// whole for ClearMap, whatever is thrown while it fills.
void BuildWorld(const TMapRecord& in_map) {
  ClearMap();
  if (in_map.Turn) TurnCounter = *in_map.Turn;
  Players[0].Name = in_map.Names[0];
  Players[1].Name = in_map.Names[1];
  const int32_t columns = in_map.Columns;
  const int32_t rows = in_map.Rows;
  if (columns == 0 && rows == 0) return;

  // Looked up once for the whole grid (and before anything is allocated, as a
  // missing registration throws); every cell acquires it.
  TSprite* ground = rows > 0 && columns > 0 ? FindTextureAs<TSprite>(TCell::kGroundPath) : nullptr;
  MapCells = new TCell**[columns]();
  MapColumns = columns;
  MapRows = rows;
  for (int32_t c = 0; c < columns; ++c) MapCells[c] = new TCell*[rows]();
  size_t next = 0;
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      TCell* cell = new TCell(ground);
      MapCells[c][r] = cell;
      if (next >= in_map.Cells.size()) continue;
      const TCellRecord& read = in_map.Cells[next++];
      cell->TileColumn = read.TileColumn;
      cell->TileRow = read.TileRow;
      if (read.PlaceType == 2)
        cell->Place = new TTree02(read.PlaceFrame);
      else if (read.PlaceType == 3)
        cell->Place = new TTree03(read.PlaceFrame);
      if (read.StackOwner == 0 || read.StackOwner == 1) {
        if (TUnit* unit = CreateStack(read.Stack)) {
          unit->Owner = read.StackOwner;
          cell->Unit = unit;
          Players[unit->Owner].Units.push_back(unit);
        }
      }
    }
  }
}

}  // namespace

void ReadMapFromStream(std::streambuf& in_bytes, TMapReadProblem* out_problem) {
  BuildWorld(TMapRecord::Read(in_bytes, out_problem));
}

void ReadMapFromBytes(const std::string& in_bytes, TMapReadProblem* out_problem) {
  BuildWorld(TMapRecord::Read(in_bytes, out_problem));
}

std::string WriteMapToBytes() {
  std::string out;
  AppendDecimal(out, TurnCounter);
  out += "\r\n";
  for (const TPlayer& player : Players) {
    out += '"';
    AppendText(out, player.Name);
    out += "\"\r\n";
  }
  out += '[';
  AppendDecimal(out, MapColumns);
  out += ' ';
  AppendDecimal(out, MapRows);
  out += "]\r\n";
  std::wostringstream token;
  for (int32_t r = 0; r < MapRows; ++r) {
    for (int32_t c = 0; c < MapColumns; ++c) {
      const TCell* cell = MapCells && MapCells[c] ? MapCells[c][r] : nullptr;
      AppendCell(out, cell, token);
    }
    out += "\r\n";
  }
  return out;
}

bool WriteMapFile(const std::wstring& in_name) { return WriteWholeFile(MapFilePath(in_name), WriteMapToBytes()); }
