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
#include "world/Utf8Text.h"
#include "world/UnitTypes.h"
#include "world/WholeFile.h"
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

// Reads one character that the format fixes, noting any other as unusable.
// The game reads whatever character stands there.
void ReadMark(TMapReader& reader, wchar_t in_mark, const wchar_t* in_expected) {
  wchar_t c = 0;
  if (reader.ReadChar(c, in_expected) && c != in_mark) reader.NoteUnusable(reader.LastToken(), in_expected, std::wstring(1, c));
}

// Reads "(" digit frame ")" and puts the place on the cell when the token read
// whole and the digit names a tree.
void ReadPlace(TMapReader& reader, TCell& cell) {
  wchar_t digit = 0;
  int32_t frame = 0;
  ReadMark(reader, L'(', L"«(» перед деревом");
  reader.ReadChar(digit, L"тип дерева: 2 или 3");
  const TMapReader::TPosition digitAt = reader.LastToken();
  reader.ReadInt(frame, L"номер картинки дерева");
  ReadMark(reader, L')', L"«)» после дерева");
  if (reader.Failed()) return;
  if (digit == L'2')
    cell.Place = new TTree02(frame);
  else if (digit == L'3')
    cell.Place = new TTree03(frame);
  else
    reader.NoteUnusable(digitAt, L"тип дерева: 2 или 3", std::wstring(1, digit));
}

// Reads the owner digit and "[" type lives count direction moves "]", and puts
// the stack on the cell and in its owner's list when the token read whole and
// both the owner and the type are valid.
void ReadStack(TMapReader& reader, TCell& cell) {
  wchar_t owner = 0;
  TUnitAccount account;
  reader.ReadChar(owner, L"владелец отряда: 0 или 1");
  const TMapReader::TPosition ownerAt = reader.LastToken();
  ReadMark(reader, L'[', L"«[» перед отрядом");
  reader.ReadInt(account.Type, L"тип отряда: от 0 до 9");
  const TMapReader::TPosition typeAt = reader.LastToken();
  reader.ReadInt(account.Lives, L"жизни отряда");
  reader.ReadInt(account.Count, L"число созданий в отряде");
  reader.ReadInt(account.Direction, L"направление отряда");
  reader.ReadFloat(account.Moves, L"передвижения отряда");
  ReadMark(reader, L']', L"«]» после отряда");
  if (reader.Failed()) return;
  if (owner != L'0' && owner != L'1') {
    reader.NoteUnusable(ownerAt, L"владелец отряда: 0 или 1", std::wstring(1, owner));
    return;
  }
  TUnit* unit = CreateStack(account);
  if (!unit) {
    reader.NoteUnusable(typeAt, L"тип отряда: от 0 до 9", DecimalText(account.Type));
    return;
  }
  unit->Owner = owner - L'0';
  cell.Unit = unit;
  Players[unit->Owner].Units.push_back(unit);
}

void ReadCell(TMapReader& reader, TCell& cell) {
  ReadMark(reader, L'<', L"«<» в начале клетки");
  ReadMark(reader, L'[', L"«[» перед плиткой земли");
  reader.ReadInt(cell.TileColumn, L"столбец плитки земли");
  reader.ReadInt(cell.TileRow, L"строка плитки земли");
  ReadMark(reader, L']', L"«]» после плитки земли");
  wchar_t marker = 0;
  if (reader.ReadChar(marker, L"«P» (дерево) или «N» (пусто)")) {
    if (marker == L'P')
      ReadPlace(reader, cell);
    else if (marker != L'N')
      reader.NoteUnusable(reader.LastToken(), L"«P» (дерево) или «N» (пусто)", std::wstring(1, marker));
  }
  marker = 0;
  if (reader.ReadChar(marker, L"«U» (отряд) или «N» (пусто)")) {
    if (marker == L'U')
      ReadStack(reader, cell);
    else if (marker != L'N')
      reader.NoteUnusable(reader.LastToken(), L"«U» (отряд) или «N» (пусто)", std::wstring(1, marker));
  }
  ReadMark(reader, L'>', L"«>» в конце клетки");
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

void ReadMapFromBytes(const std::string& in_bytes, TMapReadProblem* out_problem) {
  TByteBuffer buffer(in_bytes);
  ReadMapFromStream(buffer, out_problem);
}

namespace {

// Reads the map into the world state (ClearMap first); the reader keeps the
// first problem it met. With in_wholeFile, what follows the last cell is looked
// at too; the game itself stops reading there.
void ReadMap(TMapReader& reader, bool in_wholeFile) {
  ClearMap();

  int32_t turn = TurnCounter;
  if (reader.ReadInt(turn, L"номер хода")) {
    if (turn < 0) reader.NoteUnusable(reader.LastToken(), L"номер хода не меньше 0", DecimalText(turn));
    TurnCounter = turn < 0 ? 0 : turn;
  }

  Players[0].Units.clear();
  Players[1].Units.clear();
  reader.ReadName(Players[0].Name, L"«\"» перед именем игрока 1",
                  L"«\"» после имени игрока 1 (в имени не больше 99 знаков)");
  reader.ReadName(Players[1].Name, L"«\"» перед именем игрока 2",
                  L"«\"» после имени игрока 2 (в имени не больше 99 знаков)");

  int32_t columns = 0;
  int32_t rows = 0;
  ReadMark(reader, L'[', L"«[» перед размером карты");
  reader.ReadInt(columns, L"число столбцов карты");
  const TMapReader::TPosition sizeAt = reader.LastToken();
  reader.ReadInt(rows, L"число строк карты");
  if (!reader.Failed() && (columns < 1 || rows < 1 || !SizeAllowed(columns, rows))) {
    reader.NoteUnusable(sizeAt, L"размер карты от 1 x 1 до 4096 x 4096, не больше 1048576 клеток",
                        DecimalText(columns) + L" " + DecimalText(rows));
  }
  if (!SizeAllowed(columns, rows)) {
    reader.Fail();
    columns = 0;
    rows = 0;
  }
  ReadMark(reader, L']', L"«]» после размера карты");
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
      const bool known = reader.Problem().Exists();
      ReadCell(reader, *cell);
      if (!known && reader.Problem().Exists())
        reader.NameProblemPlace(L"клетка (" + DecimalText(c) + L", " + DecimalText(r) + L")");
    }
  }
  if (in_wholeFile) reader.NoteTrailing(L"конец файла после последней клетки");
}

}  // namespace

void ReadMapFromStream(std::streambuf& in_bytes, TMapReadProblem* out_problem) {
  TMapReader reader(in_bytes);
  ReadMap(reader, out_problem != nullptr);
  if (out_problem) *out_problem = reader.Problem();
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
