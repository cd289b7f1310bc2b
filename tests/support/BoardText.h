#pragma once
// Boards for the autoplay tests, drawn as text: one string per row, "." free
// ground, "#" a tree, "Q" and "q" the queens of player 0 and player 1, any
// other capital a stack of player 0 and any other small letter one of player 1
// (type 0, 10 lives, one creature). Or boards made at random.

#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "opponent/TBoard.h"

inline TBoard BoardFromText(const std::vector<std::string>& in_rows, int32_t in_turn = 0) {
  TBoard board(static_cast<int32_t>(in_rows.front().size()), static_cast<int32_t>(in_rows.size()));
  board.Turn = in_turn;
  for (int32_t r = 0; r < board.Rows(); ++r) {
    for (int32_t c = 0; c < board.Columns(); ++c) {
      const char mark = in_rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
      if (mark == '#') board.SetTree({c, r}, true);
      if (!std::isalpha(static_cast<unsigned char>(mark))) continue;
      const int32_t owner = std::isupper(static_cast<unsigned char>(mark)) ? 0 : 1;
      const int32_t type = (mark == 'Q' || mark == 'q') ? kQueenType : 0;
      board.SetStack({c, r}, TStackView{owner, type, 10, 1});
    }
  }
  return board;
}

// A board of the given size with trees and stacks of both sides at random.
inline TBoard RandomBoard(std::mt19937& random, int32_t columns, int32_t rows) {
  TBoard board(columns, rows);
  board.Turn = static_cast<int32_t>(random() % 2);
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < columns; ++c) {
      const uint32_t roll = random() % 10;
      if (roll == 0) board.SetTree({c, r}, true);
      if (roll == 1 || roll == 2)
        board.SetStack({c, r}, TStackView{static_cast<int32_t>(roll - 1), static_cast<int32_t>(random() % 10),
                                          static_cast<int32_t>(1 + random() % 12), 1});
    }
  return board;
}

