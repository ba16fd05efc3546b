// The frame benchmarks of the game (Google Benchmark), registered in the order they are reported.

#include <benchmark/benchmark.h>

#include "frame_bench.h"
#include "music_bench.h"
#include "window_bench.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    volley::bench::RegisterFrameBenchmarks();
    volley::bench::RegisterWindowBenchmarks();
    volley::bench::RegisterMusicBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
