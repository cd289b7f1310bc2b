#pragma once
// Checks shared by the map fuzz targets.

#include <cstdint>
#include <string>

#include "world/TMapReader.h"

// Whether the problem's line and column lie inside the bytes, or just after
// their last character.
inline bool InsideBytes(const TMapReadProblem& problem, const std::string& bytes) {
  int32_t line = 1;
  int32_t column = 1;
  for (const char c : bytes) {
    if (line == problem.Line && column == problem.Column) return true;
    if (c == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return line == problem.Line && column == problem.Column;
}
