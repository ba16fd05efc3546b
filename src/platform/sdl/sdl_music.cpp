#include "platform/sdl/sdl_music.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace volley::sdl {
namespace {

constexpr int kWorkerNice = 10;

void MixHook(void* music, Uint8* stream, int bytes) {
    static_cast<SdlMusic*>(music)->Mix(stream, bytes);
}

// FluidSynth's gain at full music volume, as heard: the pieces, balanced at about -29 dBFS RMS at
// FluidSynth's default gain of 0.2, then sit around -20 dBFS in a stage, under the effects.
constexpr double kMusicGain = 0.9;

float GainOf(int mixerVolume) {
    return static_cast<float>(mixerVolume * kMusicGain / (MIX_MAX_VOLUME * kMixHeadroom));
}

}  // namespace

SdlMusic::~SdlMusic() {
    Close();
}

void SdlMusic::Open() {
    Ready();
}

bool SdlMusic::Ready() {
    if (open_) {
        return true;
    }
    if (unavailable_ || !audio_.Ready()) {
        return false;
    }
    soundFont_ = ChooseSoundFont();
    if (soundFont_.empty()) {
        unavailable_ = true;
        audio_.Warn(
            "no music: no soundfont (install timgm6mb-soundfont or point SDL_SOUNDFONTS at one)");
        return false;
    }
    Uint16 format = 0;
    if (Mix_QuerySpec(&rate_, &format, &channels_) == 0 || format != AUDIO_S16SYS) {
        unavailable_ = true;
        audio_.Warn("no music: the sound card does not take 16-bit samples");
        return false;
    }
    open_ = true;
    requestsSeen_ = requests_.load();
    Mix_HookMusic(MixHook, this);
    std::lock_guard lock(mutex_);
    synthPending_ = true;
    stopping_ = false;
    worker_ = std::thread(&SdlMusic::WorkerLoop, this);
    return true;
}

void SdlMusic::Preload(const std::string& path) {
    if (!Ready()) {
        return;
    }
    std::lock_guard lock(mutex_);
    if (handles_.contains(path) || Pending(path)) {
        return;
    }
    queue_.push_back(path);
    changed_.notify_all();
}

int SdlMusic::Load(const std::string& path) {
    if (!Ready()) {
        return 0;
    }
    {
        std::unique_lock lock(mutex_);
        // Wanted now: loaded here rather than after the soundfont and the pieces before it.
        if (auto queued = std::find(queue_.begin(), queue_.end(), path); queued != queue_.end()) {
            queue_.erase(queued);
        }
        changed_.wait(lock, [&] { return !Pending(path); });
        if (auto found = handles_.find(path); found != handles_.end()) {
            return found->second;
        }
    }
    LoadAndKeep(path);
    std::lock_guard lock(mutex_);
    return handles_[path];
}

void SdlMusic::Play(int handle) {
    const MidiSequence* piece = Piece(handle);
    if (piece == nullptr) {
        return;
    }
    playing_ = handle;
    paused_ = false;
    Request(piece);
}

void SdlMusic::Stop() {
    if (open_) {
        Request(nullptr);
    }
    playing_ = 0;
}

void SdlMusic::Pause() {
    paused_ = true;
}

void SdlMusic::Resume() {
    paused_ = false;
}

void SdlMusic::Free(int handle) {
    // The piece stays loaded for the next time it is wanted.
    if (handle != 0 && handle == playing_) {
        Stop();
    }
}

void SdlMusic::Close() {
    if (!open_) {
        return;
    }
    // Once the hook is gone the sound card's thread no longer looks at the synthesizer.
    Mix_HookMusic(nullptr, nullptr);
    StopWorker();
    liveSynth_ = nullptr;
    playing_ = 0;
    {
        std::lock_guard lock(mutex_);
        synth_.reset();
        pieces_.clear();
        handles_.clear();
    }
    open_ = false;
    audio_.Close();
}

void SdlMusic::Mix(uint8_t* stream, int bytes) {
    MusicSynth* synth = liveSynth_.load(std::memory_order_acquire);
    if (synth == nullptr) {
        return;  // the piece waits for the synthesizer and then starts from its beginning
    }
    if (const uint32_t requests = requests_.load(std::memory_order_acquire);
        requests != requestsSeen_) {
        requestsSeen_ = requests;
        synth->Start(wanted_.load(std::memory_order_acquire));
    }
    const int volume = Mix_VolumeMusic(-1);
    if (paused_ || volume == 0) {
        return;
    }
    synth->SetGain(GainOf(volume));
    const int frames = bytes / (channels_ * static_cast<int>(sizeof(int16_t)));
    synth->Render(reinterpret_cast<int16_t*>(stream), frames, channels_);
}

bool SdlMusic::WaitForSynth() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !synthPending_; });
    return synth_ != nullptr;
}

void SdlMusic::Request(const MidiSequence* piece) {
    wanted_.store(piece, std::memory_order_release);
    requests_.fetch_add(1, std::memory_order_release);
}

void SdlMusic::StopWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
        changed_.notify_all();
    }
    if (worker_.joinable()) {
        worker_.join();
    }
}

void SdlMusic::WorkerLoop() {
    // Loading is never urgent: on a busy machine the game's own start-up goes first. (Linux gives
    // each thread its own nice value.)
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kWorkerNice);
    MakeSynth();
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (stopping_) {
            return;
        }
        const std::string path = std::move(queue_.front());
        queue_.pop_front();
        loading_ = path;
        lock.unlock();
        LoadAndKeep(path);
        lock.lock();
        loading_.reset();
        changed_.notify_all();
    }
}

void SdlMusic::MakeSynth() {
    std::string error;
    std::unique_ptr<MusicSynth> synth = MusicSynth::Create(rate_, soundFont_, tuning_, error);
    if (!synth) {
        audio_.Warn("no music: " + error);
    }
    std::lock_guard lock(mutex_);
    synth_ = std::move(synth);
    synthPending_ = false;
    liveSynth_.store(synth_.get(), std::memory_order_release);
    changed_.notify_all();
}

void SdlMusic::LoadAndKeep(const std::string& path) {
    auto piece = std::make_unique<MidiSequence>();
    std::string reason;
    const bool loaded = LoadMidiPiece(path, SynthRate(rate_, tuning_), *piece, reason);
    if (!loaded) {
        audio_.Warn("cannot load music: " + reason + "; that piece stays silent");
    }
    std::lock_guard lock(mutex_);
    if (loaded) {
        pieces_.push_back(std::move(piece));
        handles_[path] = static_cast<int>(pieces_.size());
    } else {
        handles_[path] = 0;
    }
}

bool SdlMusic::Pending(const std::string& path) const {
    return (loading_ && *loading_ == path) ||
           std::find(queue_.begin(), queue_.end(), path) != queue_.end();
}

const MidiSequence* SdlMusic::Piece(int handle) {
    std::lock_guard lock(mutex_);
    if (handle <= 0 || handle > static_cast<int>(pieces_.size())) {
        return nullptr;
    }
    return pieces_[handle - 1].get();
}

}  // namespace volley::sdl
