// The window benchmarks: composition with the labels, and the present through SDL.
#pragma once

namespace volley::bench {

void RegisterWindowBenchmarks();

}  // namespace volley::bench
