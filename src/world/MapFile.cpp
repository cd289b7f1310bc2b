#include "world/MapFile.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "graphics/TSprite.h"
#include "graphics/TextureRegistry.h"
#include "platform/Win32.h"
#include "world/NumberText.h"
#include "world/TCell.h"
#include "world/TMapReader.h"
#include "world/TPlace.h"
#include "world/TUnit.h"
#include "world/UnitTypes.h"
#include "world/WorldState.h"

namespace {

// A read-only stream buffer over bytes held elsewhere.
class TByteBuffer : public std::streambuf {
 public:
  explicit TByteBuffer(const std::string& in_bytes) {
    char* begin = const_cast<char*>(in_bytes.data());
    setg(begin, begin, begin + in_bytes.size());
  }
};

// Reads "(" digit frame ")" and puts the place on the cell when the token read
// whole and the digit names a tree.
void ReadPlace(TMapReader& reader, TCell& cell) {
  wchar_t opening = 0, digit = 0, closing = 0;
  int32_t frame = 0;
  reader.ReadChar(opening);
  reader.ReadChar(digit);
  reader.ReadInt(frame);
  reader.ReadChar(closing);
  if (reader.Failed()) return;
  if (digit == L'2')
    cell.Place = new TTree02(frame);
  else if (digit == L'3')
    cell.Place = new TTree03(frame);
}

// Reads the owner digit and "[" type lives count direction moves "]", and puts
// the stack on the cell and in its owner's list when the token read whole and
// both the owner and the type are valid.
void ReadStack(TMapReader& reader, TCell& cell) {
  wchar_t owner = 0, opening = 0, closing = 0;
  TUnitAccount account;
  reader.ReadChar(owner);
  reader.ReadChar(opening);
  reader.ReadInt(account.Type);
  reader.ReadInt(account.Lives);
  reader.ReadInt(account.Count);
  reader.ReadInt(account.Direction);
  reader.ReadFloat(account.Moves);
  reader.ReadChar(closing);
  if (reader.Failed() || (owner != L'0' && owner != L'1')) return;
  TUnit* unit = CreateStack(account);
  if (!unit) return;
  unit->Owner = owner - L'0';
  cell.Unit = unit;
  Players[unit->Owner].Units.push_back(unit);
}

void ReadCell(TMapReader& reader, TCell& cell) {
  wchar_t ignored = 0;
  reader.ReadChar(ignored);
  reader.ReadChar(ignored);
  reader.ReadInt(cell.TileColumn);
  reader.ReadInt(cell.TileRow);
  reader.ReadChar(ignored);
  wchar_t marker = 0;
  if (reader.ReadChar(marker) && marker == L'P') ReadPlace(reader, cell);
  marker = 0;
  if (reader.ReadChar(marker) && marker == L'U') ReadStack(reader, cell);
  reader.ReadChar(ignored);
}

bool SizeAllowed(int32_t columns, int32_t rows) {
  return columns >= 0 && rows >= 0 && columns <= kMaxMapColumns && rows <= kMaxMapRows &&
         int64_t{columns} * rows <= kMaxMapCells;
}

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

#ifndef _WIN32
// The UTF-8 form of a wide text; code units that are no Unicode scalar value become '?'.
std::string Utf8(const std::wstring& text) {
  std::string out;
  for (wchar_t wc : text) {
    const uint32_t c = static_cast<uint32_t>(wc);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000 && (c < 0xD800 || c > 0xDFFF)) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c >= 0x10000 && c <= 0x10FFFF) {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += '?';
    }
  }
  return out;
}
#endif

// Puts the written temporary file in place of the target.
bool ReplaceFile(const std::filesystem::path& temporary, const std::filesystem::path& target) {
#ifdef _WIN32
  return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  std::error_code error;
  std::filesystem::rename(temporary, target, error);
  return !error;
#endif
}

}  // namespace

std::filesystem::path MapFilePath(const std::wstring& in_name) {
#ifdef _WIN32
  return std::filesystem::path(in_name);
#else
  return std::filesystem::path(Utf8(in_name));
#endif
}

bool ReadMapFile(const std::wstring& in_name) {
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
    ReadMapFromStream(file);
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

void ReadMapFromBytes(const std::string& in_bytes) {
  TByteBuffer buffer(in_bytes);
  ReadMapFromStream(buffer);
}

void ReadMapFromStream(std::streambuf& in_bytes) {
  ClearMap();
  TMapReader reader(in_bytes);

  int32_t turn = TurnCounter;
  if (reader.ReadInt(turn)) TurnCounter = turn < 0 ? 0 : turn;

  Players[0].Units.clear();
  Players[1].Units.clear();
  for (TPlayer& player : Players) reader.ReadName(player.Name);

  wchar_t ignored = 0;
  int32_t columns = 0;
  int32_t rows = 0;
  reader.ReadChar(ignored);
  reader.ReadInt(columns);
  reader.ReadInt(rows);
  if (!SizeAllowed(columns, rows)) {
    reader.Fail();
    columns = 0;
    rows = 0;
  }
  reader.ReadChar(ignored);
  if (columns == 0 && rows == 0) return;

  // Looked up once for the whole grid (and before anything is allocated, as a
  // missing registration throws); every cell acquires it.
  TSprite* ground = rows > 0 && columns > 0 ? FindTextureAs<TSprite>(TCell::kGroundPath) : nullptr;

  // The grid goes into the world state at once, every entry empty, so that it
  // is always whole for ClearMap, whatever is thrown while it fills.
  MapCells = new TCell**[columns]();
  MapColumns = columns;
  MapRows = rows;
  for (int32_t c = 0; c < columns; ++c) MapCells[c] = new TCell*[rows]();
  for (int32_t r = 0; r < rows; ++r) {
    for (int32_t c = 0; c < columns; ++c) {
      TCell* cell = new TCell(ground);
      MapCells[c][r] = cell;
      ReadCell(reader, *cell);
    }
  }
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

bool WriteMapFile(const std::wstring& in_name) {
  const std::string bytes = WriteMapToBytes();
  const std::filesystem::path target = MapFilePath(in_name);
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  std::error_code ignored;

  std::filebuf file;
  if (!file.open(temporary, std::ios::out | std::ios::binary | std::ios::trunc)) return false;
  const bool written = file.sputn(bytes.data(), static_cast<std::streamsize>(bytes.size())) ==
                       static_cast<std::streamsize>(bytes.size());
  const bool closed = file.close() != nullptr;
  if (!written || !closed || !ReplaceFile(temporary, target)) {
    std::filesystem::remove(temporary, ignored);
    return false;
  }
  return true;
}
