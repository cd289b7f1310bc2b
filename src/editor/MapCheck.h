#pragma once
// Checks the map of the world state for what makes it a poor or broken game,
// without changing it. Every finding is a warning: the map can still be saved
// and played. The editor's check panel and the mapcheck tool share these.

#include <cstdint>
#include <string>
#include <vector>

// The largest map, in columns and in rows, that the game handles comfortably.
constexpr int32_t kComfortableMapSide = 256;

// The warnings for the map, one line of text each, in this order: for each
// player, an empty name, the number of queens when it is not exactly one, and
// no stack at all or no stack that can reach an enemy stack (the game's own
// route search, with the start and the target counting as passable, as when a
// player gives an order); then stacks without lives (they vanish on the first
// frame of a game) and stacks facing no direction of the eight (they are not
// drawn); then a map larger than kComfortableMapSide on either side. Empty
// when the map is fine.
std::vector<std::wstring> CheckMap();

// Whether the player (0 or 1) has a stack that can reach a stack of the other
// player along a route of the game's route search.
bool CanReachEnemy(int32_t in_player);
