#include "world/TMapRecord.h"

#include "world/NumberText.h"
#include "world/UnitTypes.h"

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

// Reads "(" digit frame ")"; the cell gets the tree when the token read whole
// and the digit names one.
void ReadPlace(TMapReader& reader, TCellRecord& cell) {
  wchar_t digit = 0;
  int32_t frame = 0;
  ReadMark(reader, L'(', L"«(» перед деревом");
  reader.ReadChar(digit, L"тип дерева: 2 или 3");
  const TMapReader::TPosition digitAt = reader.LastToken();
  reader.ReadInt(frame, L"номер картинки дерева");
  ReadMark(reader, L')', L"«)» после дерева");
  if (reader.Failed()) return;
  if (digit == L'2' || digit == L'3') {
    cell.PlaceType = digit - L'0';
    cell.PlaceFrame = frame;
  } else {
    reader.NoteUnusable(digitAt, L"тип дерева: 2 или 3", std::wstring(1, digit));
  }
}

// Reads the owner digit and "[" type lives count direction moves "]"; the cell
// gets the stack when the token read whole and both the owner and the type are valid.
void ReadStack(TMapReader& reader, TCellRecord& cell) {
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
  if (account.Type < 0 || account.Type >= kUnitTypeCount) {
    reader.NoteUnusable(typeAt, L"тип отряда: от 0 до 9", DecimalText(account.Type));
    return;
  }
  cell.StackOwner = owner - L'0';
  cell.Stack = account;
}

void ReadCell(TMapReader& reader, TCellRecord& cell) {
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

// Reads the whole map; the reader keeps the first problem it met. With
// in_wholeFile, what follows the last cell is looked at too; the game itself
// stops reading there.
void ReadMap(TMapReader& reader, bool in_wholeFile, TMapRecord& map) {
  int32_t turn = 0;
  if (reader.ReadInt(turn, L"номер хода")) {
    if (turn < 0) reader.NoteUnusable(reader.LastToken(), L"номер хода не меньше 0", DecimalText(turn));
    map.Turn = turn < 0 ? 0 : turn;
  }

  reader.ReadName(map.Names[0], L"«\"» перед именем игрока 1",
                  L"«\"» после имени игрока 1 (в имени не больше 99 знаков)");
  reader.ReadName(map.Names[1], L"«\"» перед именем игрока 2",
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
  map.Columns = columns;
  map.Rows = rows;

  // Once a read has failed, every later one fails and the cells stay bare, so
  // the cells after it are not read at all: the time taken follows the bytes,
  // not the size they ask for.
  for (int32_t r = 0; r < rows && !reader.Failed(); ++r) {
    for (int32_t c = 0; c < columns && !reader.Failed(); ++c) {
      const bool known = reader.Problem().Exists();
      ReadCell(reader, map.Cells.emplace_back());
      if (!known && reader.Problem().Exists())
        reader.NameProblemPlace(L"клетка (" + DecimalText(c) + L", " + DecimalText(r) + L")");
    }
  }
  if (in_wholeFile && (columns != 0 || rows != 0)) reader.NoteTrailing(L"конец файла после последней клетки");
}

}  // namespace

TMapRecord TMapRecord::Read(std::streambuf& in_bytes, TMapReadProblem* out_problem) {
  TMapRecord map;
  TMapReader reader(in_bytes);
  ReadMap(reader, out_problem != nullptr, map);
  if (out_problem) *out_problem = reader.Problem();
  return map;
}

TMapRecord TMapRecord::Read(const std::string& in_bytes, TMapReadProblem* out_problem) {
  TByteBuffer buffer(in_bytes);
  return Read(buffer, out_problem);
}

TCellRecord TMapRecord::Cell(int32_t in_column, int32_t in_row) const {
  if (in_column < 0 || in_row < 0 || in_column >= Columns || in_row >= Rows) return TCellRecord{};
  const size_t index = static_cast<size_t>(in_row) * static_cast<size_t>(Columns) + static_cast<size_t>(in_column);
  return index < Cells.size() ? Cells[index] : TCellRecord{};
}
