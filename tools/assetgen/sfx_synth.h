// Sound effects made from a handful of knobs, the way the classic game sound generators do it: a
// tone whose pitch slides (optionally stepping through an arpeggio and ring-modulated into a
// metallic clang), a sample-and-hold noise for crunch, both decaying, then a sweeping low-pass, a
// high-pass against rumble, click-free ramps at both ends, and a fixed peak level.
//
// Recipe file (assets/sound/<name>.txt), every key required:
//   seconds = 0.35            length
//   tone = square             square|saw|triangle|sine
//   duty = 0.5                of the square, 0.05 .. 0.95 (read for every wave)
//   pitch = 220 40            tone frequency in Hz at the start and at the end (exponential slide)
//   steps = 1 1.25 1.5        frequency multipliers, one per step of step_time seconds
//   step_time = 0.05
//   ring = 0                  ring modulator at this multiple of the tone frequency, 0 = off
//   tone_level = 0.6          mix level and decay time constant (seconds) of the tone
//   tone_decay = 0.15
//   noise_level = 0.8         mix level, sample-and-hold rate in Hz at start and end, and decay
//   noise_rate = 9000 600
//   noise_decay = 0.12
//   lowpass = 8000 1500       cutoff in Hz at the start and at the end
//   highpass = 60             cutoff in Hz
//   attack = 0.002            ramps in seconds at the start and the end
//   release = 0.03
//   peak = -2                 dBFS of the loudest sample, at most -1
//   seed = 7                  of the noise
#pragma once

#include <cstdint>
#include <vector>

#include "params.h"

namespace assetgen {

enum class ToneWave { Square, Saw, Triangle, Sine };

struct EffectRecipe {
    double Seconds = 0.1;
    ToneWave Wave = ToneWave::Square;
    double Duty = 0.5;
    double PitchStart = 440;
    double PitchEnd = 440;
    std::vector<double> Steps{1.0};
    double StepSeconds = 0.1;
    double Ring = 0;
    double ToneLevel = 1;
    double ToneDecay = 1;
    double NoiseLevel = 0;
    double NoiseRateStart = 8000;
    double NoiseRateEnd = 8000;
    double NoiseDecay = 1;
    double LowpassStart = 20000;
    double LowpassEnd = 20000;
    double Highpass = 20;
    double Attack = 0.002;
    double Release = 0.01;
    double PeakDb = -2;
    uint64_t Seed = 1;
};

EffectRecipe ReadEffectRecipe(const Params& params);

// Samples in [-1, 1] at kEffectSampleRate; fails when the recipe makes only silence.
std::vector<double> SynthesizeEffect(const EffectRecipe& recipe);

}  // namespace assetgen
