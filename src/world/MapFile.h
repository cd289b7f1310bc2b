#pragma once
// Map files: a whole game position (turn counter, the two players' names, the
// map size, and every cell's ground tile, map object and stack) as text, one
// byte per character (ISO 8859-1), CR LF line breaks. Maps and saved games are
// the same format.
//
//   0                          turn counter
//   "Red Baron"                player 0's name, blanks kept
//   "Blue Duke"                player 1's name
//   [2 1]                      columns, rows
//   <[0 0]P(2 5)N>             cell (0, 0): tile (0, 0), tree 2 with frame 5, no stack
//   <[1 0]NU1[8 10 1 4 2.5]>   cell (1, 0): tile (1, 0), no object, player 1's queen
//                              an empty line after each row
//
// A cell token is "<[" tile column, tile row "]", then "P" and a place token
// "(" type digit, frame ")" or "N", then "U", the owner digit and a stack token
// "[" type, lives, count, direction, moves "]" or "N", then ">". On reading,
// white space between tokens does not matter, except inside names.

#include <cstdint>
#include <filesystem>
#include <streambuf>
#include <string>

#include "world/TMapReader.h"
#include "world/TMapRecord.h"

// Reads the file in_name into a new world state, which replaces the current
// one (and takes in_name as MapFileName) only when it has at least one cell;
// answers whether it did. A file that cannot be opened (missing, not a regular
// file, unreadable) or whose read leaves no cell changes nothing. A file that
// breaks off after some cells is taken as far as it reads (see
// ReadMapFromStream). Whatever the reader throws leaves the world as it was.
// With out_problem, it also receives the first problem of the file (see
// ReadMapFromStream); it is left alone when the file cannot be opened.
bool ReadMapFile(const std::wstring& in_name, TMapReadProblem* out_problem = nullptr);

// Replaces the world state (except MapFileName) with the map in the bytes.
// Once a read fails, every later one fails and leaves its target unchanged: a
// file that breaks before its size line gives a 0 x 0 map with whatever turn
// counter and names were read; one that breaks inside the cells leaves the rest
// of the cells with tile (0, 0) and nothing on them. A cell gets a place or a
// stack only when its whole token was read. Bad values:
//  - a negative turn counter reads as 0;
//  - a size beyond the limits above, or negative, fails the read there;
//  - a place type digit other than 2 and 3, a stack type code outside 0 to 9,
//    or an owner digit other than 0 and 1 leaves the cell without that object;
//    the token is consumed and the rest of the file reads on.
// Needs the textures registered when the map has cells: the ground, tree and
// unit sheets are looked up there (TMapRecord reads the bytes without them).
//
// With out_problem, it receives the first problem of the bytes: the token
// where a read failed, or the first token that read but was dropped or not the
// mark the format puts there (any character other than "<" at the start of a
// cell, a tree type other than 2 and 3, a negative turn counter, a size without
// cells, ...), or anything but blanks after the last cell. Line 0 when the
// bytes are a map exactly as the writer lays one out, give or take blanks.
// What is read is the same with and without it.
void ReadMapFromStream(std::streambuf& in_bytes, TMapReadProblem* out_problem = nullptr);
void ReadMapFromBytes(const std::string& in_bytes, TMapReadProblem* out_problem = nullptr);

// The world state as the bytes of a map file: one cell token per line, an empty
// line after each row, CR LF line breaks; characters above 255 become '?'.
std::string WriteMapToBytes();

// Writes the world state to the file in_name through WriteWholeFile
// (world/WholeFile.h): a save that fails or is cut short, by a crash or a full
// disk, leaves the previous file intact, and a read-only file is not replaced.
// Nothing is reported; returns whether the file was written.
bool WriteMapFile(const std::wstring& in_name);

// The file-system path of a map file name: the name as it is on Windows, its
// UTF-8 form elsewhere.
std::filesystem::path MapFilePath(const std::wstring& in_name);
