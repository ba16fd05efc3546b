#include "bench_game.h"

#include "shell/startup.h"

namespace volley::bench {

namespace {

// A folder that does not exist: the save file reads as a first run and is never written, since
// the benchmarks never end the game through its shutdown.
constexpr const char* kNoSaveFile = "/nonexistent/volley-bench/SaveData.dat";

}  // namespace

BenchGame::BenchGame(uint64_t seed)
    : game(std::make_unique<Game>(platform.Services(), VOLLEY_GAME_DIR)) {
    game->SaveFile = kNoSaveFile;
    // Nothing is kept of the sounds and music: a benchmark's millions of frames would pile them up.
    platform.sound.Record = false;
    platform.music.Record = false;
    Main(*game, seed);
}

void FlyWeavingPilot(BenchGame& b) {
    const bool left = (b->StageFrame / 40) % 2 == 0;
    b.platform.keys.Hold(GameKey::Z, true);
    b.platform.keys.Hold(GameKey::Left, left);
    b.platform.keys.Hold(GameKey::Right, !left);
}

}  // namespace volley::bench
