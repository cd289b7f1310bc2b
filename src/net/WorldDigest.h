#pragma once
// The digest two copies of a game compare after every order: of the world
// state as a saved game holds it (the turn counter, the names, every cell's
// tile, tree and stack) and of the state of the dice, so that copies that
// would roll differently from now on differ already. Taken with the board at
// rest (no order running, no stack animating), when both copies agree on
// what the position is.

#include <cstdint>

namespace NNet {

uint64_t WorldDigest();

}  // namespace NNet
