// The one FluidSynth synthesizer of the game: one soundfont, loaded once, and one piece at a time
// played through it.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/midi_sequence.h"
#include "platform/rate_doubler.h"

namespace volley::sdl {

// How much work the synthesizer does for each sample. FluidSynth's defaults (256 voices, reverb,
// chorus, fourth-order interpolation) are made for a keyboard player; a small game's handful of
// parts needs far less, and each of these halves the synthesizer's share of the processor
// together (bench/music_bench.cpp measures each; the README gives the figures).
struct SynthTuning {
    // A note's release tail is a voice too: 32 still leave room for the densest piece's chords
    // and drums, and cut the tails first when there are more.
    int Polyphony = 32;
    // The pieces ask for no chorus at all; without reverb they sound drier, but not thinner.
    bool Reverb = false;
    bool Chorus = false;
    // FluidSynth's methods: 0 none, 1 linear, 4 fourth order (its default), 7 seventh order. The
    // soundfont's samples are mostly recorded at 22 kHz or below, where linear loses little.
    int Interpolation = 1;
    // Synthesise at half the sound card's rate (when that is 44.1 kHz or more) and double the
    // rate after: half the synthesizer's work. The band above a quarter of the card's rate
    // (11 kHz) goes, which in the game's pieces lies about 30 dB below the rest: some of the
    // cymbals' shimmer.
    bool HalfRate = true;
};

// The rate a synthesizer of tuning renders at, and its pieces are timed in, for a sound card
// playing outputRate frames a second.
int SynthRate(int outputRate, const SynthTuning& tuning);

class MusicSynth {
  public:
    // A synthesizer rendering for a sound card at rate frames a second with soundFont loaded; null
    // with the reason in error. While it lives, whatever FluidSynth has to say goes to the error
    // output, prefixed "volley: ", at most a few lines for the soundfont and for each piece played.
    static std::unique_ptr<MusicSynth> Create(int rate, const std::string& soundFont,
                                              const SynthTuning& tuning, std::string& error);
    ~MusicSynth();
    MusicSynth(const MusicSynth&) = delete;
    MusicSynth& operator=(const MusicSynth&) = delete;

    // The calls below come from one thread at a time (the sound card's), and allocate nothing.

    // Silences what sounds and plays sequence (timed for SynthRate) from its start, looping; null
    // leaves it silent. The sequence must outlive its playing.
    void Start(const MidiSequence* sequence);
    // Writes the next frames frames, 16-bit, channels to a frame (left and right in the first
    // two), over what out holds; leaves out alone while nothing plays.
    void Render(int16_t* out, int frames, int channels);
    // Loudness: FluidSynth's gain, 0.2 by default.
    void SetGain(float gain);

  private:
    // Only Create makes synthesizers.
    struct Key {};

  public:
    explicit MusicSynth(Key);

  private:
    class Output;
    // Input frames the rate doubler takes at a time: a sound card buffer of 1,024 frames.
    static constexpr int kHalfRateFrames = 512;

    struct Parts;
    std::unique_ptr<Parts> parts_;
    SequencePlayer player_;
    float gain_ = -1;
    int interpolation_ = 0;
    bool halfRate_ = false;
    RateDoubler doubler_;
    std::array<int16_t, 2 * kHalfRateFrames> halfRateFrames_{};
    std::atomic<int> logLinesLeft_{0};
};

// The soundfont the game's music is played with: SDL_SOUNDFONTS when set, else TimGM6mb (the one
// the music is balanced for), else the system's General MIDI font; empty when there is none.
std::string ChooseSoundFont();

}  // namespace volley::sdl
