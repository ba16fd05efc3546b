// Music on SDL_mixer: MIDI pieces played by FluidSynth.
#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_audio.h"

namespace volley::sdl {

// Loading a MIDI piece takes about a tenth of a second, most of it reading the soundfont, which
// would stall the game at every change of music. So pieces are loaded on a worker thread ahead of
// time (Preload) and kept for the whole session: the game comes back to the same few pieces, and
// Free only silences a piece that is playing; Close lets go of them all.
//
// Only Mix_LoadMUS runs on the worker. The device, the MIDI players and the soundfont are set up
// on the caller's thread before the worker starts, and playing, halting and freeing stay there
// too, so the worker never shares SDL_mixer's state with them.
// Every piece is read as a file of bounded size and checked before SDL_mixer sees it: a damaged
// one is left silent with one warning.
class SdlMusic final : public Music {
  public:
    explicit SdlMusic(SdlAudio& audio) : audio_(audio) {}
    ~SdlMusic() override;
    SdlMusic(const SdlMusic&) = delete;
    SdlMusic& operator=(const SdlMusic&) = delete;

    void Open() override;
    void Preload(const std::string& path) override;
    int Load(const std::string& path) override;
    void Play(int handle) override;
    void Stop() override;
    void Pause() override;
    void Resume() override;
    void Free(int handle) override;
    void Close() override;

  private:
    bool Ready();
    void StopWorker();
    void WorkerLoop();
    // Loads a piece (on whichever thread calls) and files it under path.
    void LoadAndKeep(const std::string& path);
    bool Pending(const std::string& path) const;
    Mix_Music* Piece(int handle);

    SdlAudio& audio_;
    bool open_ = false;
    bool unavailable_ = false;
    int playing_ = 0;

    // Only one piece is loaded at a time, whichever thread loads it.
    std::mutex loadMutex_;

    // Guards everything below.
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> queue_;
    std::optional<std::string> loading_;  // the piece the worker is loading now
    bool stopping_ = false;
    std::map<std::string, int> handles_;  // 0 for a piece that could not be loaded
    // The piece of handle h at h - 1, with the file it plays from, which must outlive it.
    struct LoadedPiece {
        std::vector<uint8_t> file;
        MusicPtr music;
    };
    std::vector<LoadedPiece> pieces_;
    std::thread worker_;
};

}  // namespace volley::sdl
