#pragma once
#include "Image.h"

// Ground tiles: a sheet of 64 x 48 tiles, 8 columns by 4 rows. Every tile
// repeats seamlessly in a plain rectangular grid, and tiles of one row share
// their base texture, so they also join each other without seams. Map files
// name a tile by (column, row):
//
//   row 0 grass:  0 plain grass (the default)  1 yellow flowers  2 mixed flowers
//                 3 clover  4 pebbles  5 tall tufts  6 mushrooms  7 fallen leaves
//   row 1 earth:  0 bare earth  1 grass tufts  2 ploughed furrows  3 puddle
//                 4 stones  5 dry cracks  6 roots and leaves  7 cart ruts
//   row 2 sand:   0 sand  1 ripples  2 pebbles  3 dry grass  4 gravel
//                 5 shells  6 cracked desert  7 scattered stones
//   row 3 other:  0 cobblestones  1 flagstones  2 rocky ground  3 moss and bog
//                 4 snow  5 snow with stones  6 shallow water  7 deep water
constexpr int kTileColumns = 8;
constexpr int kTileRows = 4;
Image DrawGroundTiles();

// Tree sheets of 128 x 128 frames, 4 x 4 trees. Tree N is at column N mod 4,
// row N div 4:
//   ordinary trees (trunk base at pixel 64, 104):
//      0 oak  1 broad oak  2 birch  3 pine  4 fir  5 poplar  6 apple tree
//      7 orange autumn oak  8 red autumn maple  9 yellow autumn birch
//      10 blossoming cherry  11 dead tree  12 round bush  13 cypress
//      14 willow  15 young tree
//   big trees (trunk base at pixel 64, 118):
//      0 great oak  1 great pine  2 great birch  3 tall fir  4 giant poplar
//      5 old apple tree  6 great autumn oak  7 great red maple  8 golden birch
//      9 great cherry  10 dead giant  11 twin oaks  12 ancient oak
//      13 tall cypress  14 great willow  15 spruce
Image DrawOrdinaryTrees();
Image DrawBigTrees();
// Small trees and bushes in 96 x 96 frames, 4 x 4 (base at pixel 48, 88).
Image DrawSmallTrees();
// Castle towers in 192 x 384 frames, two side by side (base at pixel 61, 343).
Image DrawCastle();
// Map markers in 64 x 64 frames: row 0 ground arrows pointing in the eight
// facings, row 1 eight frames of a bouncing marker.
Image DrawMapArrows();
