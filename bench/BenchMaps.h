#pragma once
// Map-file texts for the world benchmarks: a mixed map of any size with every
// ground tile, both trees on about one cell in seven and stacks of all ten
// types on about one cell in thirty, laid out the same way on every run.

#include <cstdint>
#include <string>

inline std::string BenchMapText(int columns, int rows) {
  std::string text = "0\r\n\"Red Baron\"\r\n\"Blue Duke\"\r\n[" + std::to_string(columns) + " " +
                     std::to_string(rows) + "]\r\n";
  uint32_t state = 12345;
  const auto next = [&state]() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const uint32_t roll = next() % 210;
      text += "<[";
      text += std::to_string(next() % 8);
      text += ' ';
      text += std::to_string(next() % 4);
      text += ']';
      if (roll < 30) {
        text += roll < 10 ? "P(3 " : "P(2 ";
        text += std::to_string(next() % 16);
        text += ')';
      } else {
        text += 'N';
      }
      if (roll >= 200) {
        text += roll % 2 ? "U1[" : "U0[";
        text += std::to_string(roll - 200);
        text += " 10 3 ";
        text += std::to_string(next() % 8);
        text += " 2.5]";
      } else {
        text += 'N';
      }
      text += ">\r\n";
    }
    text += "\r\n";
  }
  return text;
}
