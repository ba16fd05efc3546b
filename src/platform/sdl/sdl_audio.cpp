#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <cstdio>

namespace volley::sdl {
namespace {

constexpr int kRate = 44100;
constexpr int kOutputChannels = 2;
// 512 frames is 11.6 ms at 44.1 kHz: an effect starts within the frame that asked for it, and
// FluidSynth still renders a buffer in a small part of that time.
constexpr int kBufferFrames = 512;
// Effects are short and must stand out of the music, so they play at full volume. FluidSynth's
// output at full music volume is loud enough to clip (a whole General MIDI band at once, RMS about
// 9000 of 32767), while the effects reach RMS 2000 to 7000: at a quarter the music sits around
// RMS 4000 with its peaks well under full scale, under the effects and with room for them.
constexpr int kEffectVolume = MIX_MAX_VOLUME;
constexpr int kMusicVolume = MIX_MAX_VOLUME / 4;

int PercentOf(int volume, int percent) {
    return (volume * percent + 50) / 100;
}

}  // namespace

void SdlAudio::SetVolumes(int musicPercent, int effectPercent) {
    musicPercent_ = musicPercent;
    effectPercent_ = effectPercent;
    if (open_) {
        ApplyVolumes();
    }
}

void SdlAudio::ApplyVolumes() {
    Mix_Volume(kEffectChannel, PercentOf(kEffectVolume, effectPercent_));
    Mix_VolumeMusic(PercentOf(kMusicVolume, musicPercent_));
}

SdlAudio::~SdlAudio() {
    Close();
}

bool SdlAudio::Ready() {
    if (open_) {
        return true;
    }
    if (failed_ || (musicPercent_ == 0 && effectPercent_ == 0)) {
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        failed_ = true;
        Warn(std::string("no sound: ") + SDL_GetError());
        return false;
    }
    subsystemStarted_ = true;
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kOutputChannels, kBufferFrames) != 0) {
        failed_ = true;
        Warn(std::string("no sound: ") + Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemStarted_ = false;
        return false;
    }
    open_ = true;
    ++openings_;
    Mix_ReserveChannels(kEffectChannel + 1);
    // Opening the device sets the music to full volume.
    ApplyVolumes();
    return true;
}

void SdlAudio::Close() {
    if (!open_) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    if (subsystemStarted_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemStarted_ = false;
    }
    open_ = false;
}

void SdlAudio::Warn(const std::string& message) {
    std::lock_guard lock(warnedMutex_);
    if (warned_.insert(message).second) {
        std::fprintf(stderr, "volley: %s\n", message.c_str());
    }
}

}  // namespace volley::sdl
