// The one audio device that the effects and the music share.
#pragma once

#include <SDL_mixer.h>

#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "platform/mix_limiter.h"

namespace volley::sdl {

struct ChunkDeleter {
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};

using ChunkPtr = std::unique_ptr<Mix_Chunk, ChunkDeleter>;

// The channel every effect plays on: one channel, so each effect cuts off the one before.
inline constexpr int kEffectChannel = 0;

// Music and effects are mixed this many times (12 dB) below the level they are heard at, so that
// their sum never clips; the limiter after the mix brings it up to level and holds every sample
// under -1 dBFS, pressing down only the rare peaks where a loud effect meets loud music.
inline constexpr float kMixHeadroom = 4.0f;

// Opens the mixer on first use rather than at start-up, so a machine without sound costs nothing
// until the game first wants to make a noise. A device that cannot be opened is reported once and
// never asked for again; the game then runs silently.
class SdlAudio {
  public:
    SdlAudio();
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // True when the device is open, opening it now if need be.
    bool Ready();
    // The music's and the effects' loudness, 0 to 100 % of the game's own balance. With both at 0
    // the device is never opened.
    void SetVolumes(int musicPercent, int effectPercent);
    // Closes the device; a later Ready opens it afresh.
    void Close();
    // Counts the openings of the device: sound decoded during an earlier one is in a format the
    // current device may not share.
    int Opening() const { return openings_; }

    // Prints "volley: <message>" on stderr the first time each message comes; callable from any
    // thread.
    void Warn(const std::string& message);

    // Brings the finished mix up to level through the limiter; on the sound card's thread.
    void Limit(int16_t* samples, int frames, int channels);

  private:
    void ApplyVolumes();

    int musicPercent_ = 100;
    int effectPercent_ = 100;
    bool open_ = false;
    bool failed_ = false;
    bool subsystemStarted_ = false;
    int openings_ = 0;
    MixLimiter limiter_;
    std::mutex warnedMutex_;
    std::set<std::string> warned_;
};

}  // namespace volley::sdl
