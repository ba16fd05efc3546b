// The vocabulary the stage scripts are written in.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "game/kinds.h"

namespace volley {

struct Game;

// first <= StageFrame <= last, both ends included.
bool InFrameRange(const Game& g, int32_t first, int32_t last);

// StageFrame is a multiple of n (so every period holds on frame 0).
bool EveryFrames(const Game& g, int32_t n);

// A range entry: InFrameRange(first, last) and EveryFrames(n).
bool FramesEvery(const Game& g, int32_t first, int32_t last, int32_t n);

// Where a spawn enters: the top edge, or the bottom edge for the kinds that rise.
enum class Edge { Top, Bottom };

// Spawns `kind` at each of the columns, in the order given.
void Spawn(Game& g, EnemyKind kind, std::initializer_list<int16_t> columns, Edge edge = Edge::Top);

// Spawns `kind` across columns 1 to 7, left to right.
void SpawnAcross(Game& g, EnemyKind kind, Edge edge = Edge::Top);

// An alternation of k: returns which alternative runs now (ScriptToggle) and moves the counter on
// to the next, modulo k.
int Alternate(Game& g, int k);

// Sets the alternation counter back to 0.
void ResetAlternation(Game& g);

// The StageFrame at which the running stage's boss comes in (see the stage table).
int32_t BossFrame(const Game& g);

// The running stage's boss comes in: its music (if the stage has one for it), then the boss kind,
// then the boss itself at the centre of the top edge.
void StartBoss(Game& g);

// Whether the running stage's boss has come in.
bool BossIsIn(const Game& g);

}  // namespace volley
