// The sound card thread's share of the music: one second of a piece rendered by the game's
// synthesizer, with FluidSynth's own settings and with each of the game's changes to them, so
// that the cost of every setting can be read off (time per iteration = processor time per second
// of music).

#include "music_bench.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "platform/midi_sequence.h"
#include "platform/sdl/music_synth.h"

namespace volley::bench {

namespace {

constexpr int kRate = 44100;
constexpr int kBufferFrames = 1024;  // as the game asks of the sound card
// A fixed amount of music, so that counts of instructions compare as well as times.
constexpr int kSeconds = 20;

struct Variant {
    const char* name;
    sdl::SynthTuning tuning;
};

// FluidSynth's defaults: 256 voices, reverb and chorus on, fourth-order interpolation, at the
// sound card's rate.
constexpr sdl::SynthTuning kFluidSynthDefaults{256, true, true, 4, false};

const Variant kVariants[] = {
    {"fluidsynth_defaults", kFluidSynthDefaults},
    {"polyphony_64", {64, true, true, 4, false}},
    {"polyphony_32", {32, true, true, 4, false}},
    {"no_chorus", {256, true, false, 4, false}},
    {"no_reverb", {256, false, true, 4, false}},
    {"linear_interpolation", {256, true, true, 1, false}},
    {"no_interpolation", {256, true, true, 0, false}},
    {"half_rate", {256, true, true, 4, true}},
    {"game", sdl::SynthTuning{}},
};

void RenderMusic(benchmark::State& state, const std::string& piece, sdl::SynthTuning tuning) {
    MidiSequence sequence;
    std::string error;
    if (!LoadMidiPiece(std::string(VOLLEY_GAME_DIR) + "/Music/" + piece,
                       sdl::SynthRate(kRate, tuning), sequence, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::string soundFont = sdl::ChooseSoundFont();
    auto synth =
        soundFont.empty() ? nullptr : sdl::MusicSynth::Create(kRate, soundFont, tuning, error);
    if (!synth) {
        state.SkipWithError(("no synthesizer: " + error).c_str());
        return;
    }
    synth->SetGain(0.3f);
    synth->Start(&sequence);
    std::array<int16_t, 2 * kBufferFrames> buffer{};
    for (auto _ : state) {
        for (int frames = 0; frames < kRate; frames += kBufferFrames) {
            synth->Render(buffer.data(), kBufferFrames, 2);
        }
        benchmark::DoNotOptimize(buffer);
    }
}

}  // namespace

void RegisterMusicBenchmarks() {
    for (const char* piece : {"Stage1.mid", "boss.mid"}) {
        for (const Variant& variant : kVariants) {
            const std::string name = std::string("MusicSecond/") + piece + "/" + variant.name;
            benchmark::RegisterBenchmark(name.c_str(), RenderMusic, std::string(piece),
                                         variant.tuning)
                ->Iterations(kSeconds)
                ->Unit(benchmark::kMillisecond);
        }
    }
}

}  // namespace volley::bench
