#include "platform/sdl/music_synth.h"

#include <fluidsynth.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace volley::sdl {

namespace {

// Enough to say what went wrong, not enough to flood the terminal when a damaged piece makes the
// synthesizer complain at every turn of its loop.
constexpr int kLogLinesPerPiece = 3;
constexpr std::array<int, 3> kLoggedLevels = {FLUID_PANIC, FLUID_ERR, FLUID_WARN};

void Log(int, const char* message, void* data) {
    auto* linesLeft = static_cast<std::atomic<int>*>(data);
    if (linesLeft != nullptr && linesLeft->fetch_sub(1) > 0) {
        std::fprintf(stderr, "volley: %s\n", message);
    }
}

void Discard(int, const char*, void*) {}

}  // namespace

struct MusicSynth::Parts {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    ~Parts() {
        if (synth != nullptr) {
            delete_fluid_synth(synth);
        }
        if (settings != nullptr) {
            delete_fluid_settings(settings);
        }
    }
};

// Where the player's messages and frames go: the synthesizer, and the caller's buffer.
class MusicSynth::Output final : public MidiSink {
  public:
    Output(fluid_synth_t* synth, int16_t* out, int channels)
        : synth_(synth), out_(out), channels_(channels) {}

    void Send(const SequencedMessage& m) override {
        const int channel = m.Status & 0x0F;
        switch (m.Status & 0xF0) {
            case 0x80: fluid_synth_noteoff(synth_, channel, m.Data1); break;
            case 0x90: fluid_synth_noteon(synth_, channel, m.Data1, m.Data2); break;
            case 0xA0: fluid_synth_key_pressure(synth_, channel, m.Data1, m.Data2); break;
            case 0xB0: fluid_synth_cc(synth_, channel, m.Data1, m.Data2); break;
            case 0xC0: fluid_synth_program_change(synth_, channel, m.Data1); break;
            case 0xD0: fluid_synth_channel_pressure(synth_, channel, m.Data1); break;
            case 0xE0: fluid_synth_pitch_bend(synth_, channel, m.Data1 | (m.Data2 << 7)); break;
            default: break;
        }
    }

    void Render(uint32_t frames) override {
        const int right = channels_ > 1 ? 1 : 0;
        fluid_synth_write_s16(synth_, static_cast<int>(frames), out_, 0, channels_, out_, right,
                              channels_);
        out_ += static_cast<ptrdiff_t>(frames) * channels_;
    }

  private:
    fluid_synth_t* synth_;
    int16_t* out_;
    int channels_;
};

int SynthRate(int outputRate, const SynthTuning& tuning) {
    const bool halve = tuning.HalfRate && outputRate >= 44100 && outputRate % 2 == 0;
    return halve ? outputRate / 2 : outputRate;
}

std::unique_ptr<MusicSynth> MusicSynth::Create(int rate, const std::string& soundFont,
                                               const SynthTuning& tuning, std::string& error) {
    auto music = std::make_unique<MusicSynth>(Key{});
    music->logLinesLeft_ = kLogLinesPerPiece;
    for (int level : kLoggedLevels) {
        fluid_set_log_function(level, Log, &music->logLinesLeft_);
    }
    fluid_set_log_function(FLUID_INFO, Discard, nullptr);
    fluid_set_log_function(FLUID_DBG, Discard, nullptr);
    music->parts_ = std::make_unique<Parts>();
    Parts& parts = *music->parts_;
    parts.settings = new_fluid_settings();
    if (parts.settings == nullptr) {
        error = "FluidSynth cannot start";
        return nullptr;
    }
    fluid_settings_setnum(parts.settings, "synth.sample-rate", SynthRate(rate, tuning));
    fluid_settings_setint(parts.settings, "synth.polyphony", tuning.Polyphony);
    fluid_settings_setint(parts.settings, "synth.reverb.active", tuning.Reverb);
    fluid_settings_setint(parts.settings, "synth.chorus.active", tuning.Chorus);
    // Only the sound card's thread plays it once it is made, so it needs no lock of its own.
    fluid_settings_setint(parts.settings, "synth.threadsafe-api", 0);
    parts.synth = new_fluid_synth(parts.settings);
    if (parts.synth == nullptr) {
        error = "FluidSynth cannot make a synthesizer";
        return nullptr;
    }
    music->interpolation_ = tuning.Interpolation;
    music->halfRate_ = SynthRate(rate, tuning) != rate;
    if (fluid_synth_sfload(parts.synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        error = "cannot load the soundfont " + soundFont;
        return nullptr;
    }
    return music;
}

MusicSynth::MusicSynth(Key) {}

MusicSynth::~MusicSynth() {
    parts_.reset();
    for (int level : kLoggedLevels) {
        fluid_set_log_function(level, Discard, nullptr);
    }
}

void MusicSynth::Start(const MidiSequence* sequence) {
    // Programs, controllers and effects all go back to their defaults for the next piece, and so
    // does each channel's interpolation.
    fluid_synth_system_reset(parts_->synth);
    fluid_synth_set_interp_method(parts_->synth, -1, interpolation_);
    logLinesLeft_ = kLogLinesPerPiece;
    doubler_.Reset();
    player_.Start(sequence);
}

void MusicSynth::Render(int16_t* out, int frames, int channels) {
    if (player_.Sequence() == nullptr || frames <= 0) {
        return;
    }
    if (!halfRate_) {
        Output output(parts_->synth, out, channels);
        player_.Play(static_cast<uint32_t>(frames), output);
        return;
    }
    doubler_.Render(out, frames, channels, halfRateFrames_.data(), kHalfRateFrames,
                    [&](int16_t* stereo, int count) {
                        Output output(parts_->synth, stereo, 2);
                        player_.Play(static_cast<uint32_t>(count), output);
                    });
}

void MusicSynth::SetGain(float gain) {
    if (gain != gain_) {
        gain_ = gain;
        fluid_synth_set_gain(parts_->synth, gain);
    }
}

std::string ChooseSoundFont() {
    if (const char* fromEnvironment = std::getenv("SDL_SOUNDFONTS");
        fromEnvironment != nullptr && *fromEnvironment != '\0') {
        // SDL_mixer's variable, which may list several: the first is taken.
        const std::string list = fromEnvironment;
        return list.substr(0, list.find(':'));
    }
    for (const char* path :
         {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf3/default-GM.sf3"}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            return path;
        }
    }
    return {};
}

}  // namespace volley::sdl
