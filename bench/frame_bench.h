// The frame benchmarks; the typical frames play their scripted games once first to count them.
#pragma once

namespace volley::bench {

void RegisterFrameBenchmarks();

}  // namespace volley::bench
