#include "graphics/TFrameTexture.h"

TRect TFrameTexture::Piece(TFramePiece piece) {
  static const TRect kPieces[] = {
      {0, 182, 62, 19},  {24, 201, 29, 19}, {24, 220, 29, 12}, {0, 201, 12, 28}, {12, 201, 12, 28},
      {0, 102, 40, 40},  {40, 102, 40, 40}, {0, 142, 40, 40},  {40, 142, 40, 40}, {0, 229, 15, 6},
      {0, 235, 15, 6},   {0, 241, 6, 15},   {6, 241, 6, 15},   {0, 0, 51, 51},     {51, 0, 51, 51},
      {0, 51, 51, 51},   {51, 51, 51, 51}};
  return kPieces[static_cast<int>(piece)];
}

TRect TScrollTexture::Piece(bool vertical, TScrollPiece piece, int state) {
  if (state < 0) state = 0;
  if (state > 2) state = 2;
  if (!vertical) {
    // A higher state lies 13 pixels further down.
    switch (piece) {
      case TScrollPiece::First:
        return {0, 13 * state, 14, 13};
      case TScrollPiece::Second:
        return {14, 13 * state, 14, 13};
      case TScrollPiece::Thumb:
        return {28, 13 * state, 34, 13};
    }
  }
  // The vertical bar takes its row's frames in reverse: state 0 is the rightmost.
  switch (piece) {
    case TScrollPiece::First:
      return {14 * (2 - state), 39, 14, 13};
    case TScrollPiece::Second:
      return {14 * (2 - state), 53, 14, 13};
    case TScrollPiece::Thumb:
      return {13 * (2 - state), 67, 14, 34};
  }
  return {};
}
