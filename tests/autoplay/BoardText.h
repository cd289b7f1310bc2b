#pragma once
// Boards for the autoplay tests, drawn as text: one string per row, "." free
// ground, "#" a tree, "Q" and "q" the queens of player 0 and player 1, any
// other capital a stack of player 0 and any other small letter one of player 1
// (type 0, 10 lives, one creature).

#include <cctype>
#include <string>
#include <vector>

#include "autoplay/TBoard.h"

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
