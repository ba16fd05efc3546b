#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <cmath>
#include <cstdio>

namespace volley::sdl {
namespace {

constexpr int kRate = 44100;
constexpr int kOutputChannels = 2;
// 1,024 frames is 23.2 ms at 44.1 kHz, less than a frame of the game (25 ms): an effect is mixed
// in before the next frame asks for more. Half of that would wake the sound card's thread twice
// as often, and its cost apart from the synthesizer is mostly the waking.
constexpr int kBufferFrames = 1024;
// The effects play about 7 dB above their files' own level, so that they stand out of the music
// without burying it (the music's level: kMusicGain in sdl_music.cpp).
constexpr float kEffectLevel = 2.34f;
// The limiter's ceiling, -1 dBFS, and how fast it lets go after a peak: 50 ms.
constexpr float kCeiling = 0.891f;
constexpr float kReleaseFrames = 0.05f * kRate;

int PercentOf(int volume, int percent) {
    return (volume * percent + 50) / 100;
}

void PostMix(void* audio, Uint8* stream, int bytes) {
    static_cast<SdlAudio*>(audio)->Limit(reinterpret_cast<int16_t*>(stream),
                                         bytes / (kOutputChannels * 2), kOutputChannels);
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
    const int effectVolume =
        static_cast<int>(std::lround(MIX_MAX_VOLUME * kEffectLevel / kMixHeadroom));
    Mix_Volume(kEffectChannel, PercentOf(effectVolume, effectPercent_));
    // The music's own gain follows this volume (SdlMusic).
    Mix_VolumeMusic(PercentOf(MIX_MAX_VOLUME, musicPercent_));
}

SdlAudio::SdlAudio() : limiter_(kMixHeadroom, kCeiling, kReleaseFrames) {}

void SdlAudio::Limit(int16_t* samples, int frames, int channels) {
    limiter_.Process(samples, frames, channels);
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
    Mix_SetPostMix(PostMix, this);
    return true;
}

void SdlAudio::Close() {
    if (!open_) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_SetPostMix(nullptr, nullptr);
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
