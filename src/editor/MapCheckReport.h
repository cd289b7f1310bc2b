#pragma once
// The mapcheck command: reads map files with the game's own reader and checks
// them as the editor's check panel does.
//
//   mapcheck [--strict] FILE...
//
// For each file, one line for an error, in the form
//   FILE:LINE:COLUMN: [CELL: ]ожидалось: WHAT, найдено: WHAT
// when the reader would not read the file whole (the first token it could not
// read or use), or "FILE: не удалось открыть файл" (also for anything but a
// regular file); then one line per warning
// of the map check, "FILE: предупреждение: TEXT". A last line counts the files,
// errors and warnings. The exit status is 1 when a file has an error (with
// --strict, also a warning), 0 otherwise, and 2 for a command line without files
// or with an option it does not know.

#include <string>
#include <vector>

// Runs the command on the arguments (without the program's name), appending
// what it prints to out_text as UTF-8 lines; returns the exit status. Needs
// the textures registered (the reader looks the sheets up).
int RunMapCheck(const std::vector<std::string>& in_arguments, std::string& out_text);

// The line that states a read problem of the file, without its line break.
struct TMapReadProblem;
std::string MapProblemLine(const std::string& in_file, const TMapReadProblem& in_problem);
