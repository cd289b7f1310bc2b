#include "support/FileBytes.h"
#include "world/MapFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "algo/TDijkstra.h"
#include "graphics/TTexture.h"
#include "graphics/TextureRegistry.h"
#include "world/TCell.h"
#include "world/TPlace.h"
#include "world/TUnit.h"
#include "world/UnitTypes.h"
#include "world/WorldState.h"
#include "support/WorldTestSupport.h"

namespace {

namespace fs = std::filesystem;

// A 3 x 2 map in the exact form the writer produces: a name with blanks, both
// trees, a cell with both a tree and a stack, Moves 2.5 and 0.25.
const std::string kSample = CrLfLines({
    "7",
    "\"Red  Baron \"",
    "\"Blue Duke\"",
    "[3 2]",
    "<[1 2]P(2 5)N>",
    "<[0 0]NU0[2 10 3 4 2.5]>",
    "<[7 3]P(3 1)U1[8 12 1 6 3]>",
    "",
    "<[0 0]NN>",
    "<[4 1]NU1[0 9 5 2 0.25]>",
    "<[2 0]P(2 15)N>",
    "",
});

// The place's token as written, or "" without a place.
std::wstring PlaceToken(const TCell* cell) {
  std::wostringstream out;
  if (cell->Place) cell->Place->Write(out);
  return out.str();
}

std::wstring StackToken(const TCell* cell) {
  std::wostringstream out;
  if (cell->Unit) cell->Unit->Write(out);
  return out.str();
}

// Checks every field of the world against kSample.
void ExpectSampleWorld() {
  EXPECT_EQ(TurnCounter, 7);
  EXPECT_EQ(Players[0].Name, L"Red  Baron ");
  EXPECT_EQ(Players[1].Name, L"Blue Duke");
  ASSERT_EQ(MapColumns, 3);
  ASSERT_EQ(MapRows, 2);
  ASSERT_NE(MapCells, nullptr);

  const TCell* tree = MapCells[0][0];
  EXPECT_EQ(tree->TileColumn, 1);
  EXPECT_EQ(tree->TileRow, 2);
  ASSERT_NE(dynamic_cast<TTree02*>(tree->Place), nullptr);
  EXPECT_EQ(tree->Place->Frame, 5);
  EXPECT_EQ(tree->Unit, nullptr);

  const TCell* thief = MapCells[1][0];
  ASSERT_NE(dynamic_cast<TThief*>(thief->Unit), nullptr);
  EXPECT_EQ(thief->Place, nullptr);
  EXPECT_EQ(thief->Unit->Type, 2);
  EXPECT_EQ(thief->Unit->Lives, 10);
  EXPECT_EQ(thief->Unit->Count, 3);
  EXPECT_EQ(thief->Unit->Direction, 4);
  EXPECT_EQ(thief->Unit->Moves, 2.5f);
  EXPECT_EQ(thief->Unit->Owner, 0);

  const TCell* both = MapCells[2][0];
  EXPECT_EQ(both->TileColumn, 7);
  EXPECT_EQ(both->TileRow, 3);
  ASSERT_NE(dynamic_cast<TTree03*>(both->Place), nullptr);
  EXPECT_EQ(both->Place->Frame, 1);
  ASSERT_NE(dynamic_cast<TQueen*>(both->Unit), nullptr);
  EXPECT_EQ(both->Unit->Owner, 1);
  EXPECT_EQ(StackToken(both), L"[8 12 1 6 3]");

  const TCell* bare = MapCells[0][1];
  EXPECT_EQ(bare->TileColumn, 0);
  EXPECT_EQ(bare->Place, nullptr);
  EXPECT_EQ(bare->Unit, nullptr);

  const TCell* knight = MapCells[1][1];
  ASSERT_NE(dynamic_cast<TGreenKnight*>(knight->Unit), nullptr);
  EXPECT_EQ(knight->Unit->Moves, 0.25f);
  EXPECT_EQ(knight->Unit->Owner, 1);
  EXPECT_EQ(PlaceToken(MapCells[2][1]), L"(2 15)");

  // The players' lists hold their stacks in file order.
  ASSERT_EQ(Players[0].Units.size(), 1u);
  EXPECT_EQ(Players[0].Units[0], thief->Unit);
  ASSERT_EQ(Players[1].Units.size(), 2u);
  EXPECT_EQ(Players[1].Units[0], both->Unit);
  EXPECT_EQ(Players[1].Units[1], knight->Unit);
}

// A grid allocated the way the reader allocates it, every cell bare.
void MakeGrid(int32_t columns, int32_t rows) {
  ClearMap();
  MapCells = new TCell**[columns];
  for (int32_t c = 0; c < columns; ++c) {
    MapCells[c] = new TCell*[rows];
    for (int32_t r = 0; r < rows; ++r) MapCells[c][r] = new TCell();
  }
  MapColumns = columns;
  MapRows = rows;
}

int CountStacks(int32_t owner) {
  int count = 0;
  for (int32_t c = 0; c < MapColumns; ++c)
    for (int32_t r = 0; r < MapRows; ++r)
      if (MapCells[c][r]->Unit && MapCells[c][r]->Unit->Owner == owner) ++count;
  return count;
}

// Cells of the stacks of the type, in (column, row) form.
std::vector<std::pair<int, int>> StacksOfType(int32_t type, int32_t owner) {
  std::vector<std::pair<int, int>> found;
  for (int32_t c = 0; c < MapColumns; ++c)
    for (int32_t r = 0; r < MapRows; ++r) {
      const TUnit* unit = MapCells[c][r]->Unit;
      if (unit && unit->Type == type && unit->Owner == owner) found.emplace_back(c, r);
    }
  return found;
}

using MapFileTest = TWorldTest;

}  // namespace

TEST_F(MapFileTest, ReadWriteRoundTripKeepsEveryFieldAndTheBytes) {
  ReadMapFromBytes(kSample);
  ExpectSampleWorld();
  EXPECT_EQ(WriteMapToBytes(), kSample);

  const std::wstring name = L"round trip.map";
  ASSERT_TRUE(WriteMapFile(name));
  EXPECT_EQ(FileBytes("round trip.map"), kSample);
  EXPECT_FALSE(fs::exists("round trip.map.tmp"));

  ClearMap();
  TurnCounter = 0;
  Players[0].Name.clear();
  ReadMapFile(name);
  EXPECT_EQ(MapFileName, name);
  ExpectSampleWorld();
}

TEST_F(MapFileTest, WriterLaysOutOneCellTokenPerLineAndAnEmptyLineAfterEachRow) {
  MakeGrid(2, 2);
  TurnCounter = 3;
  Players[0].Name = L"A";
  Players[1].Name = L"B b";
  MapCells[0][0]->Place = new TTree02(5);
  MapCells[1][0]->TileColumn = 2;
  MapCells[1][0]->TileRow = 1;
  TUnit* queen = new TQueen();
  queen->Lives = 10;
  queen->Count = 1;
  queen->Direction = 4;
  queen->Moves = 2.5f;
  queen->Owner = 1;
  MapCells[1][1]->Unit = queen;
  MapCells[0][1]->Place = new TTree03(0);
  TUnit* ninja = new TBlackNinja();
  ninja->Lives = -1;
  ninja->Count = 0;
  ninja->Direction = 7;
  ninja->Moves = 1234567.0f;
  MapCells[0][1]->Unit = ninja;

  EXPECT_EQ(WriteMapToBytes(), "3\r\n"
                               "\"A\"\r\n"
                               "\"B b\"\r\n"
                               "[2 2]\r\n"
                               "<[0 0]P(2 5)N>\r\n"
                               "<[2 1]NN>\r\n"
                               "\r\n"
                               "<[0 0]P(3 0)U0[1 -1 0 7 1.23457e+06]>\r\n"
                               "<[0 0]NU1[8 10 1 4 2.5]>\r\n"
                               "\r\n");

  ClearMap();
  EXPECT_EQ(WriteMapToBytes(), "3\r\n\"A\"\r\n\"B b\"\r\n[0 0]\r\n");
}

TEST_F(MapFileTest, WhiteSpaceBetweenTokensDoesNotMatter) {
  // Tokens split across lines, tabs, bare LF and CR LF, blanks inside tokens,
  // and a whole cell token spread over several lines.
  ReadMapFromBytes(
      "  \t7 \n"
      "\"Red  Baron \"\n   \"Blue Duke\"[ 3\r\n\r\n2 ]\n"
      "<\n[ 1\t2 ] P ( 2 5 ) N >"
      "<[0 0]N U 0 [ 2\r\n10 3 4 2.5 ]>\r\n"
      "\t< [7 3]P(3\n1)U1[8\n12\n1\n6\n3]\n>\n\n\n"
      "<[0 0]NN><[4 1]NU1[+0 9 5 2 .25]><[2\r\n0]P(2 15)N>");
  ExpectSampleWorld();
  EXPECT_EQ(WriteMapToBytes(), kSample);
}

TEST_F(MapFileTest, PlaceTypeOtherThanTwoOrThreeLeavesTheCellBareAndReadsOn) {
  ReadMapFromBytes(CrLfLines({"0", "\"a\"", "\"b\"", "[3 1]", "<[1 1]P(4 5)U0[2 10 3 4 2.5]>",
                              "<[0 0]P(x 1)N>", "<[5 2]P(3 2)N>"}));
  ASSERT_EQ(MapColumns, 3);
  EXPECT_EQ(MapCells[0][0]->Place, nullptr);
  EXPECT_EQ(MapCells[0][0]->TileColumn, 1);
  ASSERT_NE(MapCells[0][0]->Unit, nullptr);
  EXPECT_EQ(MapCells[0][0]->Unit->Moves, 2.5f);
  EXPECT_EQ(MapCells[1][0]->Place, nullptr);
  EXPECT_EQ(MapCells[2][0]->TileColumn, 5);
  EXPECT_EQ(PlaceToken(MapCells[2][0]), L"(3 2)");
}

TEST_F(MapFileTest, ZeroByZeroMapIsEmptyAfterTheNames) {
  ReadMapFromBytes(kSample);
  ReadMapFromBytes(CrLfLines({"5", "\"Solo\"", "\"\"", "[0 0]", "<[1 1]NN>"}));
  EXPECT_EQ(TurnCounter, 5);
  EXPECT_EQ(Players[0].Name, L"Solo");
  EXPECT_EQ(Players[1].Name, L"");
  EXPECT_EQ(MapColumns, 0);
  EXPECT_EQ(MapRows, 0);
  EXPECT_EQ(MapCells, nullptr);
  EXPECT_TRUE(Players[0].Units.empty());
  EXPECT_TRUE(Players[1].Units.empty());
}

TEST_F(MapFileTest, TruncatedFileKeepsWhatWasReadAndLeavesTheRestEmpty) {
  // Nothing at all: the turn counter keeps its value, the names are empty.
  ReadMapFromBytes(kSample);
  ReadMapFromBytes("");
  EXPECT_EQ(TurnCounter, 7);
  EXPECT_EQ(Players[0].Name, L"");
  EXPECT_EQ(Players[1].Name, L"");
  EXPECT_EQ(MapColumns, 0);
  EXPECT_EQ(MapCells, nullptr);

  // Inside the first name: the name holds what was there.
  ReadMapFromBytes("9\r\n\"Red Ba");
  EXPECT_EQ(TurnCounter, 9);
  EXPECT_EQ(Players[0].Name, L"Red Ba");
  EXPECT_EQ(Players[1].Name, L"");
  EXPECT_EQ(MapColumns, 0);

  // Inside the size line: the columns were read, the rows were not.
  ReadMapFromBytes(kSample.substr(0, kSample.find("[3 2]") + 2));
  EXPECT_EQ(MapColumns, 3);
  EXPECT_EQ(MapRows, 0);

  // Inside a stack token: the cells before are whole, the broken cell keeps
  // its tile and its complete tree but gets no stack, the rest are bare.
  ReadMapFromBytes(kSample.substr(0, kSample.find("U1[8 12") + 5));
  ASSERT_EQ(MapColumns, 3);
  ASSERT_EQ(MapRows, 2);
  EXPECT_EQ(StackToken(MapCells[1][0]), L"[2 10 3 4 2.5]");
  EXPECT_EQ(MapCells[2][0]->TileColumn, 7);
  EXPECT_EQ(PlaceToken(MapCells[2][0]), L"(3 1)");
  EXPECT_EQ(MapCells[2][0]->Unit, nullptr);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(MapCells[c][1]->TileColumn, 0);
    EXPECT_EQ(MapCells[c][1]->TileRow, 0);
    EXPECT_EQ(MapCells[c][1]->Place, nullptr);
    EXPECT_EQ(MapCells[c][1]->Unit, nullptr);
  }
  EXPECT_EQ(Players[0].Units.size(), 1u);
  EXPECT_TRUE(Players[1].Units.empty());

  // Inside a place token: no place.
  ReadMapFromBytes(kSample.substr(0, kSample.find("P(3 1)") + 3));
  EXPECT_EQ(MapCells[2][0]->Place, nullptr);
  EXPECT_EQ(MapCells[2][0]->TileColumn, 7);

  // Inside the tile: a number that ends with the file still counts.
  ReadMapFromBytes(kSample.substr(0, kSample.find("<[7 3]") + 3));
  EXPECT_EQ(MapCells[2][0]->TileColumn, 7);
  EXPECT_EQ(MapCells[2][0]->TileRow, 0);
}

TEST_F(MapFileTest, BadSizesReadAsAnEmptyMap) {
  const char* sizes[] = {"[-1 5]", "[5 -1]", "[4097 1]", "[1 4097]", "[4096 257]", "[2048 2048]"};
  for (const char* size : sizes) {
    ReadMapFromBytes(kSample);
    ReadMapFromBytes(CrLfLines({"4", "\"a\"", "\"b\"", size, "<[1 1]NU0[8 5 1 0 3]>"}));
    EXPECT_EQ(MapColumns, 0) << size;
    EXPECT_EQ(MapRows, 0) << size;
    EXPECT_EQ(MapCells, nullptr) << size;
    EXPECT_TRUE(Players[0].Units.empty()) << size;
    EXPECT_EQ(TurnCounter, 4) << size;
    EXPECT_EQ(Players[1].Name, L"b") << size;
  }
}

TEST_F(MapFileTest, BadValuesInsideCellsAreRejectedOneByOne) {
  ReadMapFromBytes(CrLfLines({"-3", "\"a\"", "\"b\"", "[6 1]",
                              "<[0 0]NU0[10 5 1 0 3]>",    // no type 10
                              "<[0 0]NU0[-1 5 1 0 3]>",    // no type -1
                              "<[0 0]NU2[8 5 1 0 3]>",     // no player 2
                              "<[0 0]NUx[8 5 1 0 3]>",     // no player x
                              "<[-2147483648 2147483647]NU1[9 5 1 9 +2.5]>",
                              "<[3 3]NU0[8 5 1 0 3]>"}));
  EXPECT_EQ(TurnCounter, 0);  // a negative turn counter reads as 0
  ASSERT_EQ(MapColumns, 6);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(MapCells[c][0]->Unit, nullptr) << c;
  EXPECT_EQ(MapCells[4][0]->TileColumn, INT32_MIN);
  EXPECT_EQ(MapCells[4][0]->TileRow, INT32_MAX);
  EXPECT_EQ(StackToken(MapCells[4][0]), L"[9 5 1 9 2.5]");
  EXPECT_EQ(MapCells[5][0]->TileColumn, 3);
  ASSERT_NE(MapCells[5][0]->Unit, nullptr);
  EXPECT_EQ(Players[0].Units.size(), 1u);
  EXPECT_EQ(Players[1].Units.size(), 1u);
}

TEST_F(MapFileTest, NumberThatDoesNotParseFailsThereAndKeepsItsTarget) {
  // Each breaks the second cell; the first stays whole, the second keeps tile
  // column 5 read before the break, and nothing after it is read.
  const char* breaks[] = {
      "<[5 2147483648]NN>",        // beyond 32 bits
      "<[5 x]NN>",                 // no digits
      "<[5 -]NN>",                 // a sign alone
      "<[5 1]NU0[8 5 1 0 2.5e]>",  // an exponent without digits
      "<[5 1]NU0[8 5 1 0 1e39]>",  // beyond the float range
      "<[5 1]NU0[8 5 1 0 x]>",
  };
  for (const char* broken : breaks) {
    ReadMapFromBytes(CrLfLines({"1", "\"a\"", "\"b\"", "[3 1]", "<[1 1]NU0[8 5 1 0 3]>", broken, "<[2 2]NN>"}));
    ASSERT_EQ(MapColumns, 3) << broken;
    EXPECT_NE(MapCells[0][0]->Unit, nullptr) << broken;
    EXPECT_EQ(MapCells[1][0]->TileColumn, 5) << broken;
    EXPECT_EQ(MapCells[1][0]->Unit, nullptr) << broken;
    EXPECT_EQ(MapCells[2][0]->TileColumn, 0) << broken;
  }
}

TEST_F(MapFileTest, NamesHoldAtMostNinetyNineCharacters) {
  const std::string longest(99, 'n');
  ReadMapFromBytes("2 \"" + longest + "\" \"b\" [1 1] <[3 0]NN>");
  EXPECT_EQ(Players[0].Name, std::wstring(99, L'n'));
  EXPECT_EQ(Players[1].Name, L"b");
  ASSERT_EQ(MapColumns, 1);
  EXPECT_EQ(MapCells[0][0]->TileColumn, 3);

  // One more without a closing quote in reach: the reading stops there.
  ReadMapFromBytes("2 \"" + longest + "x\" \"b\" [1 1] <[3 0]NN>");
  EXPECT_EQ(Players[0].Name, std::wstring(99, L'n'));
  EXPECT_EQ(Players[1].Name, L"");
  EXPECT_EQ(MapColumns, 0);

  // A line break inside a name is kept, CR LF as one line break.
  ReadMapFromBytes("2 \"two\r\nlines\" \"b\" [0 0]");
  EXPECT_EQ(Players[0].Name, L"two\nlines");
  EXPECT_EQ(WriteMapToBytes(), "2\r\n\"two\r\nlines\"\r\n\"b\"\r\n[0 0]\r\n");
}

TEST_F(MapFileTest, NamesAreOneBytePerCharacter) {
  ReadMapFromBytes("0\r\n\"R\xE9my \xFF\"\r\n\"b\"\r\n[0 0]\r\n");
  EXPECT_EQ(Players[0].Name, L"R\u00E9my \u00FF");
  EXPECT_EQ(WriteMapToBytes(), "0\r\n\"R\xE9my \xFF\"\r\n\"b\"\r\n[0 0]\r\n");

  // A character beyond one byte cannot be stored.
  Players[1].Name = L"\u0416uk";
  EXPECT_EQ(WriteMapToBytes(), "0\r\n\"R\xE9my \xFF\"\r\n\"?uk\"\r\n[0 0]\r\n");
}

TEST_F(MapFileTest, FileThatCannotBeOpenedOrHasNoCellLeavesTheWorldAsItWas) {
  ReadMapFromBytes(kSample);
  MapFileName = L"sample.map";
  EXPECT_FALSE(ReadMapFile(L"no such file.map"));
  EXPECT_EQ(MapFileName, L"sample.map");
  ExpectSampleWorld();

  fs::create_directory("folder.map");
  EXPECT_FALSE(ReadMapFile(L"folder.map"));
  ExpectSampleWorld();

  // Files that open but give no cell to play on: the old world, turn counter
  // and names included, stays whole.
  for (const char* bytes : {"", "7\r\n\"X\"\r\n\"Y\"\r\n[0 0]\r\n", "7\r\n\"X\"\r\n\"Y\"\r\n[3 0]\r\n",
                            "7\r\n\"X\"\r\n\"Y\"\r\n[-1 4]\r\n", "not a map at all"}) {
    SCOPED_TRACE(bytes);
    PutFile("empty.map", bytes);
    EXPECT_FALSE(ReadMapFile(L"empty.map"));
    EXPECT_EQ(MapFileName, L"sample.map");
    ExpectSampleWorld();
  }

  // A file that breaks off after its size line still replaces the world.
  PutFile("cut.map", "4\r\n\"P\"\r\n\"Q\"\r\n[2 1]\r\n<[1 0]NN>\r\n<[");
  EXPECT_TRUE(ReadMapFile(L"cut.map"));
  EXPECT_EQ(MapFileName, L"cut.map");
  EXPECT_EQ(TurnCounter, 4);
  EXPECT_EQ(Players[0].Name, L"P");
  ASSERT_EQ(MapColumns, 2);
  ASSERT_EQ(MapRows, 1);
  EXPECT_EQ(MapCells[0][0]->TileColumn, 1);
  EXPECT_EQ(MapCells[1][0]->TileColumn, 0);
  EXPECT_TRUE(Players[0].Units.empty() && Players[1].Units.empty()) << "the old stacks went with the old world";
}

TEST_F(MapFileTest, SavingNeverDestroysThePreviousFile) {
  ReadMapFromBytes(kSample);

  // Nowhere to write: nothing is made.
  EXPECT_FALSE(WriteMapFile(L"missing folder/save.map"));
  EXPECT_FALSE(fs::exists("missing folder"));

  // An existing file is replaced whole.
  PutFile("save.map", "old contents that are longer than nothing at all");
  ASSERT_TRUE(WriteMapFile(L"save.map"));
  EXPECT_EQ(FileBytes("save.map"), kSample);

  // The temporary file cannot be made: the previous file stays as it was.
  fs::create_directory("keep.map.tmp");
  PutFile("keep.map", "previous");
  EXPECT_FALSE(WriteMapFile(L"keep.map"));
  EXPECT_EQ(FileBytes("keep.map"), "previous");

  // The target cannot be replaced (a folder with something in it): the
  // folder stays and no temporary file is left behind.
  fs::create_directories("busy.map/inside");
  EXPECT_FALSE(WriteMapFile(L"busy.map"));
  EXPECT_TRUE(fs::exists("busy.map/inside"));
  EXPECT_FALSE(fs::exists("busy.map.tmp"));
}

TEST_F(MapFileTest, WideFileNamesOpen) {
  ReadMapFromBytes(kSample);
  const std::wstring name = L"\u041A\u0430\u0440\u0442\u0430 \u00D1.map";
  ASSERT_TRUE(WriteMapFile(name));
#ifndef _WIN32
  EXPECT_TRUE(fs::exists(fs::path(std::string("\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD0\xB0 \xC3\x91.map"))));
#endif
  EXPECT_TRUE(fs::exists(MapFilePath(name)));
  ClearMap();
  ReadMapFile(name);
  ExpectSampleWorld();
}

TEST_F(MapFileTest, APathFoundOnDiskGivesBackTheWideNameItWasWrittenUnder) {
  ReadMapFromBytes(kSample);
  const std::wstring name = L"\u041A\u0430\u0440\u0442\u0430 \u00D1 \U0001F600.map";
  ASSERT_TRUE(WriteMapFile(name));
  std::vector<std::wstring> found;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::current_path()))
    found.push_back(MapFileNameOf(entry.path().filename()));
  EXPECT_NE(std::find(found.begin(), found.end(), name), found.end());
#ifndef _WIN32
  // Bytes that are no UTF-8 come back as replacement characters, never as a crash or a cut name.
  EXPECT_EQ(MapFileNameOf(fs::path(std::string("a\xFF\xC3(b\xE2\x82.map"))), L"a\uFFFD\uFFFD(b\uFFFD\uFFFD.map");
  EXPECT_EQ(MapFileNameOf(fs::path(std::string("\xC0\xAF\xED\xA0\x80"))), L"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
#endif
}

TEST_F(MapFileTest, SampleMapsLoadBalancedAndPlayable) {
  const std::vector<fs::path> maps = SampleMapPaths();
  ASSERT_GE(maps.size(), 8u);

  bool large = false;
  bool huge = false;
  bool named = false;
  for (const fs::path& path : maps) {
    SCOPED_TRACE(path.string());
    const std::string bytes = FileBytes(path);
    ReadMapFile(path.wstring());
    ASSERT_GT(MapColumns, 0);
    ASSERT_GT(MapRows, 0);
    large = large || (MapColumns >= 40 && MapRows >= 30);
    // Written exactly as the game writes it.
    EXPECT_EQ(WriteMapToBytes(), bytes);
    EXPECT_FALSE(Players[0].Name.empty());
    EXPECT_FALSE(Players[1].Name.empty());
    // One queen a side, the same number of stacks, several unit types.
    const auto queens0 = StacksOfType(8, 0);
    const auto queens1 = StacksOfType(8, 1);
    ASSERT_EQ(queens0.size(), 1u);
    ASSERT_EQ(queens1.size(), 1u);
    EXPECT_EQ(CountStacks(0), CountStacks(1));
    EXPECT_GE(CountStacks(0), 4);
    EXPECT_EQ(Players[0].Units.size() + Players[1].Units.size(),
              static_cast<size_t>(CountStacks(0) + CountStacks(1)));
    int types = 0, trees = 0;
    for (int32_t type = 0; type < kUnitTypeCount; ++type) types += StacksOfType(type, 0).empty() ? 0 : 1;
    for (int32_t c = 0; c < MapColumns; ++c)
      for (int32_t r = 0; r < MapRows; ++r) {
        const TCell* cell = MapCells[c][r];
        trees += cell->Place ? 1 : 0;
        // Every tile and tree frame lies on the sheets (8 x 4 tiles, 16 trees).
        EXPECT_TRUE(cell->TileColumn >= 0 && cell->TileColumn < 8 && cell->TileRow >= 0 && cell->TileRow < 4);
        if (cell->Place) {
          EXPECT_TRUE(cell->Place->Frame >= 0 && cell->Place->Frame < 16);
        }
        if (cell->Unit) {
          EXPECT_TRUE(cell->Unit->Direction >= 0 && cell->Unit->Direction < 8);
        }
      }
    EXPECT_GE(types, 4);
    EXPECT_GT(trees, 0);

    // Either queen can reach the other once the stacks in the way (her
    // guards included) have moved or fallen: no wall of trees parts them.
    for (int32_t c = 0; c < MapColumns; ++c)
      for (int32_t r = 0; r < MapRows; ++r) MapCells[c][r]->ForcePassable = MapCells[c][r]->Unit != nullptr;
    NAlgo::TDijkstra search;
    search.Build(MapCells, MapColumns, MapRows);
    std::vector<NAlgo::TDijkstra::TPosition> route;
    EXPECT_NO_THROW(search.Search(queens0[0], queens1[0], route));
    for (int32_t c = 0; c < MapColumns; ++c)
      for (int32_t r = 0; r < MapRows; ++r) MapCells[c][r]->ForcePassable = false;
    const int across = std::abs(queens0[0].first - queens1[0].first);
    const int down = std::abs(queens0[0].second - queens1[0].second);
    const double open = std::max(across, down) - std::min(across, down) + 1.4142135 * std::min(across, down);
    double length = 0;
    for (size_t i = 1; i < route.size(); ++i)
      length += route[i].first != route[i - 1].first && route[i].second != route[i - 1].second ? 1.4142135 : 1.0;
    if (path.filename() == "river.map") {
      // The river leaves only fords: the way round is longer than over open ground.
      EXPECT_GT(length, open + 2);
    }
    if (path.filename() == "labyrinth.map") {
      // Corridors of trees: the way from queen to queen is three times the open one.
      EXPECT_GT(length, 3 * open);
    }
    if (path.filename() == "arena.map") {
      // The arena looks the same from either side: turned half round, every
      // cell holds what its opposite holds, the stacks change sides and face
      // the other way. Only the queen of the side that moves second has more
      // lives, which makes up for the first move.
      for (int32_t c = 0; c < MapColumns; ++c)
        for (int32_t r = 0; r < MapRows; ++r) {
          const TCell* cell = MapCells[c][r];
          const TCell* opposite = MapCells[MapColumns - 1 - c][MapRows - 1 - r];
          EXPECT_EQ(cell->TileColumn, opposite->TileColumn);
          EXPECT_EQ(cell->TileRow, opposite->TileRow);
          EXPECT_EQ(PlaceToken(cell), PlaceToken(opposite));
          ASSERT_EQ(cell->Unit != nullptr, opposite->Unit != nullptr) << c << ", " << r;
          if (!cell->Unit) continue;
          EXPECT_EQ(cell->Unit->Owner, 1 - opposite->Unit->Owner);
          EXPECT_EQ(cell->Unit->Type, opposite->Unit->Type);
          if (cell->Unit->Type != 8) {
            EXPECT_EQ(cell->Unit->Lives, opposite->Unit->Lives);
          }
          EXPECT_EQ(cell->Unit->Count, opposite->Unit->Count);
          EXPECT_EQ(cell->Unit->Moves, opposite->Unit->Moves);
          EXPECT_EQ(cell->Unit->Direction, (opposite->Unit->Direction + 4) % 8);
        }
      EXPECT_GT(MapCells[queens1[0].first][queens1[0].second]->Unit->Lives,
                MapCells[queens0[0].first][queens0[0].second]->Unit->Lives);
    }
    huge = huge || (MapColumns >= 64 && MapRows >= 64);
    named = named || std::any_of(Players[1].Name.begin(), Players[1].Name.end(), [](wchar_t c) { return c > 0x7F; });
  }
  EXPECT_TRUE(large);
  // Among them a map of 64 x 64 or more, and names beyond ASCII.
  EXPECT_TRUE(huge);
  EXPECT_TRUE(named);
}

namespace {

// The problem the reader reports for the bytes, and a check that reading them
// with the report gives the same world as the game's own read.
TMapReadProblem ProblemOf(const std::string& in_bytes) {
  ReadMapFromBytes(in_bytes);
  const std::string plain = WriteMapToBytes();
  TMapReadProblem problem;
  ReadMapFromBytes(in_bytes, &problem);
  EXPECT_EQ(WriteMapToBytes(), plain) << "the report changed what was read";
  return problem;
}

struct TProblemCase {
  const char* Name;
  std::string Bytes;
  int32_t Line;
  int32_t Column;
  const wchar_t* Expected;
  const wchar_t* Found;
};

}  // namespace

TEST_F(MapFileTest, WrittenMapsAndSampleMapsReadWithoutAProblem) {
  // The sheets stay loaded across the reads instead of loading with each one.
  for (TTexture* texture : RegisteredTextures()) texture->Acquire();
  EXPECT_FALSE(ProblemOf(kSample).Exists());
  // Blanks and line breaks are the writer's business, not a problem.
  EXPECT_FALSE(ProblemOf("7 \"Red  Baron \"\t\"Blue Duke\" [3 2] <[1 2]P(2 5)N> <[0 0]N U0[2 10 3 4 2.5]>\n"
                         "<[7 3]P(3 1)U1[8 12 1 6 3]><[0 0]NN><[4 1]NU1[0 9 5 2 0.25]><[2 0]P(2 15)N>\n\n")
                   .Exists());
  for (const fs::path& path : SampleMapPaths()) {
    const TMapReadProblem problem = ProblemOf(FileBytes(path));
    EXPECT_FALSE(problem.Exists()) << path << ":" << problem.Line << ":" << problem.Column;
  }
  ClearMap();
  for (TTexture* texture : RegisteredTextures()) texture->Release();
}

TEST_F(MapFileTest, TheFirstProblemIsReportedWithItsLineAndColumn) {
  const std::string head = CrLfLines({"1", "\"a\"", "\"b\"", "[2 1]"});
  const TProblemCase cases[] = {
      {"end of file in a cell", head + "<[0 0]NN>\r\n<[0 0]N", 6, 8, L"«U» (отряд) или «N» (пусто)", L"конец файла"},
      {"a number that does not parse", head + "<[0 0]NN>\r\n<[5 x1]NN>", 6, 5, L"строка плитки земли", L"«x1]NN>»"},
      {"a wrong mark that still reads", head + "<[0 0]NN>\r\n([0 0]NN>", 6, 1, L"«<» в начале клетки", L"«(»"},
      {"a tree type the game drops", head + "<[0 0]P(4 1)N>\r\n<[0 0]NN>", 5, 9, L"тип дерева: 2 или 3", L"«4»"},
      {"an owner the game drops", head + "<[0 0]NU2[8 5 1 0 3]>\r\n<[0 0]NN>", 5, 9, L"владелец отряда: 0 или 1",
       L"«2»"},
      {"a stack type the game drops", head + "<[0 0]NN>\r\n<[0 0]NU1[12 5 1 0 3]>", 6, 11, L"тип отряда: от 0 до 9",
       L"«12»"},
      {"a marker that is neither", head + "<[0 0]XN>\r\n<[0 0]NN>", 5, 7, L"«P» (дерево) или «N» (пусто)", L"«X»"},
      {"a negative turn counter", "-4 \"a\" \"b\" [1 1] <[0 0]NN>", 1, 1, L"номер хода не меньше 0", L"«-4»"},
      {"a size beyond the limits", "0 \"a\" \"b\" [5000 2] <[0 0]NN>", 1, 12,
       L"размер карты от 1 x 1 до 4096 x 4096, не больше 1048576 клеток", L"«5000 2»"},
      {"a size without cells", "0 \"a\" \"b\" [0 0]", 1, 12,
       L"размер карты от 1 x 1 до 4096 x 4096, не больше 1048576 клеток", L"«0 0»"},
      {"a name without its closing quote", "0 \"" + std::string(100, 'n') + "\" \"b\" [1 1] <[0 0]NN>", 1, 103,
       L"«\"» после имени игрока 1 (в имени не больше 99 знаков)", L"«n\"»"},
      {"an opening quote that is not one", "0 'a\" \"b\" [1 1] <[0 0]NN>", 1, 3, L"«\"» перед именем игрока 1",
       L"«'»"},
      {"something after the last cell", head + "<[0 0]NN>\r\n<[0 0]NN>\r\n\r\n<[0 0]NN>", 8, 1,
       L"конец файла после последней клетки", L"«<[0»"},
      {"a control character", head + "<[0 0]NN>\r\n<\x01", 6, 2, L"«[» перед плиткой земли", L"«\\x01»"},
  };
  for (const TProblemCase& c : cases) {
    const TMapReadProblem problem = ProblemOf(c.Bytes);
    EXPECT_EQ(problem.Line, c.Line) << c.Name;
    EXPECT_EQ(problem.Column, c.Column) << c.Name;
    EXPECT_EQ(problem.Expected, c.Expected) << c.Name;
    EXPECT_EQ(problem.Found, c.Found) << c.Name;
  }
}

TEST_F(MapFileTest, AProblemInsideTheCellsNamesItsCellAndOnlyTheFirstCounts) {
  const TMapReadProblem problem =
      ProblemOf(CrLfLines({"0", "\"a\"", "\"b\"", "[3 2]", "<[0 0]NN>", "<[0 0]NN>", "<[0 0]NN>", "", "<[0 0]NN>",
                           "<[0 0]NU5[1 1 1 0 1]>", "<[0 0]P(9 0)N>", ""}));
  EXPECT_EQ(problem.Where, L"клетка (1, 1)");
  EXPECT_EQ(problem.Line, 10);
  EXPECT_EQ(problem.Column, 9);

  // Before the cells there is no cell to name.
  EXPECT_EQ(ProblemOf("x \"a\" \"b\" [1 1] <[0 0]NN>").Where, L"");
}

TEST_F(MapFileTest, ReadingAFileReportsItsProblemToo) {
  const fs::path path = Harness.WorkDir() / "broken.map";
  PutFile(path, CrLfLines({"0", "\"a\"", "\"b\"", "[1 1]", "<[0 0]NU0[8 5 1 0 3]"}));
  TMapReadProblem problem;
  ASSERT_TRUE(ReadMapFile(L"broken.map", &problem));
  EXPECT_EQ(problem.Line, 6);
  EXPECT_EQ(problem.Column, 1);
  EXPECT_EQ(problem.Expected, L"«>» в конце клетки");
  EXPECT_NE(MapCells[0][0]->Unit, nullptr);
}
