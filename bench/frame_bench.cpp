// The cost of one frame of play on the headless platform: its moves, its drawing onto the play
// surface and the window's composition, without the present and without the wait.

#include "frame_bench.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench_game.h"
#include "full_tables.h"
#include "player/player_rules.h"
#include "shell/game_loop.h"
#include "shell/scenes.h"

namespace volley::bench {

namespace {

constexpr uint64_t kSeed = 1;
// A scripted game that has not ended by then is cut short.
constexpr int32_t kLastFrame = 20000;

std::unique_ptr<BenchGame> StartStage(int16_t stage) {
    auto b = std::make_unique<BenchGame>(kSeed);
    (*b)->Stage = stage;
    (*b)->MaxStage = kStageCount;
    StartGame(**b);
    return b;
}

// One frame of the scripted game. The ship's energy is kept full so that the pilot lives to see
// the whole stage, its boss and the clear.
void ScriptedFrame(BenchGame& b) {
    b->PlayerEnergy = kFullEnergy;
    FlyWeavingPilot(b);
    StepFrame(*b);
}

bool GameOver(const Game& g) {
    return g.StageOver || g.StageFrame >= kLastFrame;
}

// The frames of the stage's scripted game, played once untimed.
int64_t CountFrames(int16_t stage) {
    auto b = StartStage(stage);
    int64_t frames = 0;
    while (!GameOver(**b)) {
        ScriptedFrame(*b);
        ++frames;
    }
    return frames;
}

// Each iteration is one frame; the iterations are exactly the frames of one scripted game, so the
// mean is that game's mean frame.
void TypicalFrame(benchmark::State& state, int16_t stage) {
    auto b = StartStage(stage);
    for (auto _ : state) {
        ScriptedFrame(*b);
        if (GameOver(**b)) {
            state.PauseTiming();
            b = StartStage(stage);
            state.ResumeTiming();
        }
    }
}

// Every table full of the largest kinds. A frame frees whatever leaves the field or is hit, so the
// tables are filled again before each one, outside the timing.
void WorstFrame(benchmark::State& state) {
    auto b = StartStage(1);
    FillTables(**b);
    const TableSnapshot full = TakeSnapshot(**b);
    for (auto _ : state) {
        state.PauseTiming();
        RestoreSnapshot(**b, full);
        state.ResumeTiming();
        StepFrame(**b);
        benchmark::ClobberMemory();
    }
}

}  // namespace

void RegisterFrameBenchmarks() {
    benchmark::RegisterBenchmark("WorstFrame", WorstFrame)->Unit(benchmark::kMicrosecond);
    for (int16_t stage : {1, 8}) {
        const std::string name = "TypicalFrame/stage:" + std::to_string(stage);
        benchmark::RegisterBenchmark(name.c_str(), TypicalFrame, stage)
            ->Iterations(CountFrames(stage))
            ->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace volley::bench
