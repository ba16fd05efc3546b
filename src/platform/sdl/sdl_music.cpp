#include "platform/sdl/sdl_music.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "platform/midi_check.h"
#include "platform/read_file.h"

namespace volley::sdl {
namespace {

// Debian's SDL_mixer reads SDL_SOUNDFONTS only when SDL_FORCE_SOUNDFONTS is set as well, so the
// soundfont is always handed over explicitly.
std::string ChooseSoundFonts() {
    if (const char* fromEnvironment = std::getenv("SDL_SOUNDFONTS");
        fromEnvironment != nullptr && *fromEnvironment != '\0') {
        return fromEnvironment;
    }
    // The game's music is balanced for TimGM6mb, which is also small and quick to load; the
    // system's default General MIDI font (often a 150 MB one) only stands in when it is missing.
    for (const char* path :
         {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf3/default-GM.sf3"}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            return path;
        }
    }
    return {};
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
    const std::string soundFonts = ChooseSoundFonts();
    if (soundFonts.empty()) {
        unavailable_ = true;
        audio_.Warn(
            "no music: no soundfont (install timgm6mb-soundfont or point SDL_SOUNDFONTS at one)");
        return false;
    }
    if (Mix_SetSoundFonts(soundFonts.c_str()) == 0) {
        unavailable_ = true;
        audio_.Warn(std::string("no music: ") + Mix_GetError());
        return false;
    }
    if (!audio_.StartMidi()) {
        unavailable_ = true;
        return false;
    }
    open_ = true;
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
    if (!worker_.joinable()) {
        stopping_ = false;
        worker_ = std::thread(&SdlMusic::WorkerLoop, this);
    }
    changed_.notify_all();
}

int SdlMusic::Load(const std::string& path) {
    if (!Ready()) {
        return 0;
    }
    {
        std::unique_lock lock(mutex_);
        if (auto queued = std::find(queue_.begin(), queue_.end(), path); queued != queue_.end()) {
            // Wanted now: it goes before the pieces only wanted later.
            queue_.erase(queued);
            queue_.push_front(path);
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
    Mix_Music* piece = Piece(handle);
    if (piece == nullptr) {
        return;
    }
    // -1 loops it until something else is played or it is halted.
    if (Mix_PlayMusic(piece, -1) == 0) {
        playing_ = handle;
    }
}

void SdlMusic::Stop() {
    if (open_) {
        Mix_HaltMusic();
    }
    playing_ = 0;
}

void SdlMusic::Pause() {
    if (open_) {
        Mix_PauseMusic();
    }
}

void SdlMusic::Resume() {
    if (open_) {
        Mix_ResumeMusic();
    }
}

void SdlMusic::Free(int handle) {
    // The piece stays loaded for the next time it is wanted.
    if (handle != 0 && handle == playing_) {
        Stop();
    }
}

void SdlMusic::Close() {
    StopWorker();
    if (!open_) {
        return;
    }
    Mix_HaltMusic();
    playing_ = 0;
    {
        std::lock_guard lock(mutex_);
        pieces_.clear();
        handles_.clear();
    }
    open_ = false;
    audio_.Close();
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

void SdlMusic::LoadAndKeep(const std::string& path) {
    MusicPtr piece;
    std::string reason;
    std::vector<uint8_t> file;
    if (ReadWholeFile(path, kMaxMusicBytes, file, reason) == ReadStatus::Read &&
        CheckMidiFile(file, reason)) {
        std::lock_guard loadLock(loadMutex_);
        piece.reset(
            Mix_LoadMUS_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1));
        if (!piece) {
            // SDL keeps its error message per thread, so this one is the load's own.
            reason = path + ": " + Mix_GetError();
        }
    } else if (reason.find(path) == std::string::npos) {
        reason = path + ": " + reason;  // the check's own words do not name the file
    }
    if (!piece) {
        audio_.Warn("cannot load music: " + reason + "; that piece stays silent");
    }
    std::lock_guard lock(mutex_);
    if (piece) {
        pieces_.push_back(LoadedPiece{std::move(file), std::move(piece)});
        handles_[path] = static_cast<int>(pieces_.size());
    } else {
        handles_[path] = 0;
    }
}

bool SdlMusic::Pending(const std::string& path) const {
    return (loading_ && *loading_ == path) ||
           std::find(queue_.begin(), queue_.end(), path) != queue_.end();
}

Mix_Music* SdlMusic::Piece(int handle) {
    std::lock_guard lock(mutex_);
    if (handle <= 0 || handle > static_cast<int>(pieces_.size())) {
        return nullptr;
    }
    return pieces_[handle - 1].music.get();
}

}  // namespace volley::sdl
