#pragma once
// FIXME: the map cell with its ground tile, place and stack; only its lifetime so far.

class TCell {
 public:
  TCell() = default;
  TCell(const TCell&) = delete;
  TCell& operator=(const TCell&) = delete;
  virtual ~TCell() = default;
};
