#pragma once
// Whether the board of a game screen has come to rest after an order: no
// order running, no stack animating or sliding between cells, and no dead
// stack still on its cell. The world is the same on every copy of a game at
// that moment, and the next order may begin.

class TMap;

bool BoardAtRest(const TMap& in_map);
