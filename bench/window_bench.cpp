// The window's share of a frame: composing its picture with the labels, and showing it through
// SDL's window surface or a renderer.

#include "window_bench.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_game.h"
#include "display/compose.h"
#include "display/labels.h"
#include "display/layout.h"
#include "platform/sdl/sdl_platform.h"
#include "shell/game_loop.h"
#include "shell/scenes.h"

namespace volley::bench {

namespace {

constexpr uint64_t kSeed = 1;
// Frames played before the window is measured, so that the play surface has something on it.
constexpr int kWarmUpFrames = 300;

void StartInStage(BenchGame& b) {
    b->Stage = 1;
    StartGame(*b);
    for (int i = 0; i < kWarmUpFrames; ++i) {
        FlyWeavingPilot(b);
        StepFrame(*b);
    }
}

// The labels refreshed and the window composed, as at the end of every frame. With a new score
// the score label's caption changes and its text is rendered again, as when an enemy falls.
void WindowComposition(benchmark::State& state, bool newScore) {
    BenchGame b(kSeed);
    StartInStage(b);
    for (auto _ : state) {
        if (newScore) {
            b->Score += 100;
            b->LabelDirty[LabelId::Score] = true;
        }
        RefreshLabels(*b);
        ComposeWindow(*b);
        benchmark::ClobberMemory();
    }
}

// The composed picture shown in an SDL window of SDL's dummy video driver (or the one chosen), one
// way or the other: written into the window surface, or uploaded to the texture of a renderer
// (SDL's software one on the dummy driver) and drawn.
void SdlPresent(benchmark::State& state, const char* path) {
    // Only where nobody chose a driver: the dummy one needs no display.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("VOLLEY_PRESENT", path, 1);
    BenchGame b(kSeed);
    StartInStage(b);
    std::string error;
    auto sdl = SdlPlatform::Create(error);
    if (!sdl) {
        state.SkipWithError(("no SDL platform: " + error).c_str());
        return;
    }
    sdl->SetWindowOpening(1, false);
    Window& window = sdl->Services().window;
    if (!window.Open(WindowSpec{"volley bench", kClientWidth, kClientHeight}, error)) {
        state.SkipWithError(("no SDL window: " + error).c_str());
        return;
    }
    ComposeWindow(*b);
    for (auto _ : state) {
        PresentWindow(*b);
    }
}

}  // namespace

void RegisterWindowBenchmarks() {
    benchmark::RegisterBenchmark("WindowComposition/labels:unchanged", WindowComposition, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("WindowComposition/labels:new_score", WindowComposition, true)
        ->Unit(benchmark::kMicrosecond);
    for (const char* path : {"surface", "renderer"}) {
        benchmark::RegisterBenchmark((std::string("SdlPresent/") + path).c_str(), SdlPresent, path)
            ->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace volley::bench
