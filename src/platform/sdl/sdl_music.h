// Music: MIDI pieces played by one FluidSynth synthesizer, mixed in through SDL_mixer's music hook.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/midi_sequence.h"
#include "platform/platform.h"
#include "platform/sdl/music_synth.h"
#include "platform/sdl/sdl_audio.h"

namespace volley::sdl {

// One synthesizer and one soundfont serve every piece, whatever their number. Loading the
// soundfont takes tens of milliseconds, so it happens on a worker thread while the game starts;
// a piece asked to play before it is ready starts from its beginning when it is. Each piece is
// read as a file of bounded size, checked as a standard MIDI file and turned into a sequence of
// timed messages before the synthesizer sees any of it; a damaged one is left silent with one
// warning. Pieces are kept for the whole session (the game comes back to the same few), so that
// a change of music costs the game's thread nothing but a word to the sound card's thread.
class SdlMusic final : public Music {
  public:
    explicit SdlMusic(SdlAudio& audio, SynthTuning tuning = {}) : audio_(audio), tuning_(tuning) {}
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

    // Writes the music over bytes of stream, the sound card's format: SDL_mixer's music hook,
    // called on the sound card's thread before the effects are mixed in.
    void Mix(uint8_t* stream, int bytes);
    // Waits for the synthesizer to be made; false when it cannot be.
    bool WaitForSynth();

  private:
    bool Ready();
    void StopWorker();
    void WorkerLoop();
    void MakeSynth();
    // Loads a piece (on whichever thread calls) and files it under path.
    void LoadAndKeep(const std::string& path);
    bool Pending(const std::string& path) const;
    const MidiSequence* Piece(int handle);
    void Request(const MidiSequence* piece);

    SdlAudio& audio_;
    SynthTuning tuning_;
    bool open_ = false;
    bool unavailable_ = false;
    int playing_ = 0;
    int rate_ = 0;
    int channels_ = 0;
    std::string soundFont_;

    // Guards everything below, up to the sound card's part.
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> queue_;
    std::optional<std::string> loading_;  // the piece the worker is loading now
    bool synthPending_ = false;
    bool stopping_ = false;
    std::map<std::string, int> handles_;                 // 0 for a piece that could not be loaded
    std::vector<std::unique_ptr<MidiSequence>> pieces_;  // the piece of handle h at h - 1
    std::unique_ptr<MusicSynth> synth_;
    std::thread worker_;

    // Between the game's thread and the sound card's: the synthesizer once made, and the piece
    // wanted, with a count of the requests so that the same piece asked again starts over.
    std::atomic<MusicSynth*> liveSynth_{nullptr};
    std::atomic<const MidiSequence*> wanted_{nullptr};
    std::atomic<uint32_t> requests_{0};
    std::atomic<bool> paused_{false};
    uint32_t requestsSeen_ = 0;  // the sound card's thread only
};

}  // namespace volley::sdl
