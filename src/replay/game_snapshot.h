// The game's whole state as bytes: two games that show and will play the same have the same bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace volley {

struct Game;

// Every scalar, table and flag of the game, every label's caption and visibility, the play surface
// and the gauge, field by field in a fixed order (so padding never counts).
std::vector<uint8_t> GameSnapshot(const Game& g);

// A 64-bit FNV-1a hash of the snapshot, taken without allocating.
uint64_t GameStateHash(const Game& g);

}  // namespace volley
