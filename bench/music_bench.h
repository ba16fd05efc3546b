// The music benchmarks: a second of a piece through the synthesizer, setting by setting.
#pragma once

namespace volley::bench {

void RegisterMusicBenchmarks();

}  // namespace volley::bench
