#include "sfx_synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "rng.h"
#include "wav_writer.h"

namespace assetgen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

ToneWave ParseWave(const Params& params) {
    const std::string name = params.Word("tone");
    if (name == "square")
        return ToneWave::Square;
    if (name == "saw")
        return ToneWave::Saw;
    if (name == "triangle")
        return ToneWave::Triangle;
    if (name == "sine")
        return ToneWave::Sine;
    FailAt(params.PlaceOf("tone"),
           "tone must be square, saw, triangle or sine, not '" + name + "'");
}

double Oscillate(ToneWave wave, double phase, double duty) {
    switch (wave) {
        case ToneWave::Square: return phase < duty ? 1.0 : -1.0;
        case ToneWave::Saw: return 2.0 * phase - 1.0;
        case ToneWave::Triangle: return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
        case ToneWave::Sine: return std::sin(kTwoPi * phase);
    }
    return 0.0;
}

// start * (end / start)^progress: slides that sound even, as pitch is heard logarithmically.
double Slide(double start, double end, double progress) {
    return start * std::pow(end / start, progress);
}

// One-pole smoothing coefficient for a cutoff frequency.
double PoleFor(double cutoff) {
    return 1.0 - std::exp(-kTwoPi * std::min(cutoff, kEffectSampleRate * 0.45) / kEffectSampleRate);
}

// Raised-cosine ramps at both ends, so the waveform starts and stops at zero without a click.
double Ramp(double t, double seconds, double attack, double release) {
    double gain = 1.0;
    if (t < attack) {
        gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * t / attack);
    }
    const double left = seconds - t;
    if (left < release) {
        gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * std::max(left, 0.0) / release);
    }
    return gain;
}

class Voices {
  public:
    explicit Voices(const EffectRecipe& recipe) : recipe_(recipe), rng_(recipe.Seed) {}

    double Next(double t) {
        const double progress = t / recipe_.Seconds;
        return Tone(t, progress) * recipe_.ToneLevel * std::exp(-t / recipe_.ToneDecay) +
               Noise(progress) * recipe_.NoiseLevel * std::exp(-t / recipe_.NoiseDecay);
    }

  private:
    double Tone(double t, double progress) {
        const size_t step =
            std::min(static_cast<size_t>(t / recipe_.StepSeconds), recipe_.Steps.size() - 1);
        const double frequency =
            Slide(recipe_.PitchStart, recipe_.PitchEnd, progress) * recipe_.Steps[step];
        tonePhase_ = std::fmod(tonePhase_ + frequency / kEffectSampleRate, 1.0);
        double value = Oscillate(recipe_.Wave, tonePhase_, recipe_.Duty);
        if (recipe_.Ring > 0) {
            ringPhase_ = std::fmod(ringPhase_ + frequency * recipe_.Ring / kEffectSampleRate, 1.0);
            value *= std::sin(kTwoPi * ringPhase_);
        }
        return value;
    }

    double Noise(double progress) {
        noisePhase_ +=
            Slide(recipe_.NoiseRateStart, recipe_.NoiseRateEnd, progress) / kEffectSampleRate;
        if (noisePhase_ >= 1.0) {
            noisePhase_ -= std::floor(noisePhase_);
            held_ = rng_.Between(-1.0, 1.0);
        }
        return held_;
    }

    const EffectRecipe& recipe_;
    Rng rng_;
    double tonePhase_ = 0;
    double ringPhase_ = 0;
    double noisePhase_ = 1.0;  // draws a fresh value on the first sample
    double held_ = 0;
};

class Filters {
  public:
    double Next(double input, double lowpassCutoff, double highpassPole) {
        const double pole = PoleFor(lowpassCutoff);
        low1_ += pole * (input - low1_);
        low2_ += pole * (low1_ - low2_);
        high_ = highpassPole * (high_ + low2_ - previous_);
        previous_ = low2_;
        return high_;
    }

  private:
    double low1_ = 0, low2_ = 0, high_ = 0, previous_ = 0;
};

void ScaleToPeak(std::vector<double>& samples, double peakDb) {
    double peak = 0;
    for (double sample : samples) {
        peak = std::max(peak, std::abs(sample));
    }
    if (peak < 1e-9) {
        throw AssetError("the effect is silent");
    }
    const double gain = std::pow(10.0, peakDb / 20.0) / peak;
    for (double& sample : samples) {
        sample *= gain;
    }
}

}  // namespace

EffectRecipe ReadEffectRecipe(const Params& params) {
    EffectRecipe recipe;
    recipe.Seconds = params.Number("seconds", 0.01, 3.0);
    recipe.Wave = ParseWave(params);
    recipe.Duty = params.Number("duty", 0.05, 0.95);
    const std::vector<double> pitch = params.Numbers("pitch", 2, 20, 20000);
    recipe.PitchStart = pitch[0];
    recipe.PitchEnd = pitch[1];
    recipe.Steps = params.Numbers("steps", 0, 0.1, 10);
    recipe.StepSeconds = params.Number("step_time", 0.005, 3.0);
    recipe.Ring = params.Number("ring", 0, 20);
    recipe.ToneLevel = params.Number("tone_level", 0, 1);
    recipe.ToneDecay = params.Number("tone_decay", 0.001, 100);
    recipe.NoiseLevel = params.Number("noise_level", 0, 1);
    const std::vector<double> rate = params.Numbers("noise_rate", 2, 20, 44100);
    recipe.NoiseRateStart = rate[0];
    recipe.NoiseRateEnd = rate[1];
    recipe.NoiseDecay = params.Number("noise_decay", 0.001, 100);
    const std::vector<double> lowpass = params.Numbers("lowpass", 2, 20, 20000);
    recipe.LowpassStart = lowpass[0];
    recipe.LowpassEnd = lowpass[1];
    recipe.Highpass = params.Number("highpass", 1, 5000);
    recipe.Attack = params.Number("attack", 0.0005, 1);
    recipe.Release = params.Number("release", 0.0005, 1);
    recipe.PeakDb = params.Number("peak", -40, -1);
    recipe.Seed = static_cast<uint64_t>(params.Integer("seed", 0, 1000000000));
    params.RejectUnread();
    if (recipe.Attack + recipe.Release > recipe.Seconds) {
        FailAt(params.PlaceOf("attack"), "attack and release together outlast the effect");
    }
    return recipe;
}

std::vector<double> SynthesizeEffect(const EffectRecipe& recipe) {
    const size_t count = static_cast<size_t>(std::lround(recipe.Seconds * kEffectSampleRate));
    std::vector<double> samples(count);
    Voices voices(recipe);
    Filters filters;
    const double highpassPole = 1.0 - PoleFor(recipe.Highpass);
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kEffectSampleRate;
        const double cutoff = Slide(recipe.LowpassStart, recipe.LowpassEnd, t / recipe.Seconds);
        samples[i] = filters.Next(voices.Next(t), cutoff, highpassPole) *
                     Ramp(t, recipe.Seconds, recipe.Attack, recipe.Release);
    }
    ScaleToPeak(samples, recipe.PeakDb);
    return samples;
}

}  // namespace assetgen
