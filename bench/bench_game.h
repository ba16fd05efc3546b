// A game on the headless platform for the benchmarks: started from the build's runnable folder,
// its save file never read or written.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/headless.h"
#include "game/game.h"

namespace volley::bench {

struct BenchGame {
    explicit BenchGame(uint64_t seed);

    Game& operator*() { return *game; }
    Game* operator->() { return game.get(); }

    HeadlessPlatform platform;
    std::unique_ptr<Game> game;
};

// The pilot of the whole-stage tests: fire held, weaving left and right every 40 frames.
void FlyWeavingPilot(BenchGame& b);

}  // namespace volley::bench
