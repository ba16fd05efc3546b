// What the tests share: a game on the headless platform in a folder of its own, temporary folders
// and environment variables, reading and writing files' bytes, the stage tour the soak and the
// allocation count fly, and the scripted pilot of the kept whole-stage replays with recorded and
// played-back runs.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/game.h"
#include "platform/headless.h"
#include "platform/read_file.h"
#include "replay/replay_session.h"
#include "shell/startup.h"

namespace volley::testing {

// The runnable folder the build lays out, with the generated pictures and data.
inline std::string BuiltGameDir() {
    return VOLLEY_GAME_DIR;
}

// A fresh empty folder under the system's temporary folder, removed when the test is over.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Sets an environment variable (or unsets it, for nullptr) for the life of the object, then puts
// the old value back.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(value);
    }
    ~ScopedEnvironment() { Set(old_ ? old_->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    void Set(const char* value) {
        if (value != nullptr) {
            setenv(name_, value, 1);
        } else {
            unsetenv(name_);
        }
    }
    const char* name_;
    std::optional<std::string> old_;
};

// An active enemy of `kind` in `slot` with its kind's spawn values, at (x, y).
Enemy& PlaceEnemy(Game& g, int slot, EnemyKind kind, int x, int y);

// A game whose save file lives in a folder of its own, so that tests never touch the build's.
struct TestGame {
    explicit TestGame(std::string dir = BuiltGameDir(), uint32_t clockStartMs = 0)
        : platform(clockStartMs),
          game(std::make_unique<Game>(platform.Services(), std::move(dir))) {
        game->SaveFile = (saveDir.Path() / "SaveData.dat").string();
    }

    // A new game on other services, such as a recording or a playback in front of these.
    void UseServices(Platform services) {
        std::string saveFile = game->SaveFile;
        game = std::make_unique<Game>(services, game->ProgramDir);
        game->SaveFile = saveFile;
    }

    Game& operator*() { return *game; }
    Game* operator->() { return game.get(); }

    TempDir saveDir;
    HeadlessPlatform platform;
    std::unique_ptr<Game> game;
};

// Far above any file a test writes or reads back.
inline constexpr size_t kMaxTestFileBytes = size_t{64} << 20;

// The whole file; empty when there is none or it cannot be read.
inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (ReadWholeFile(path.string(), kMaxTestFileBytes, bytes, error) != ReadStatus::Read) {
        return {};
    }
    return bytes;
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadText(const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

struct TourCounts {
    long frames = 0;
    int stagesStarted = 0;
    int clears = 0;
    int gameOvers = 0;
    int pauses = 0;
    int titlePumps = 0;
};

class StageTour {
  public:
    StageTour(Game& g, HeadlessKeyboard& keys, HeadlessEvents& events, int pausedPumps)
        : g_(g), keys_(keys), events_(events), pausedPumps_(pausedPumps) {}

    // Called at each look at the events (HeadlessEvents::OnPump).
    void Pump();
    // Lets go of every key and closes the window; the tour does nothing more.
    void End();

    std::function<void()> StageStarted = [] {};
    std::function<void()> Fly = [] {};
    std::function<void()> StageEnded = [] {};
    // Back on the title after this many stages, the tour ends; never when 0.
    int stagesToPlay = 0;

    const TourCounts& Counts() const { return counts_; }
    bool Ended() const { return ended_; }
    void ReleaseKeys();

  private:
    void Title();
    void Stage();
    void Paused();
    void Result();

    Game& g_;
    HeadlessKeyboard& keys_;
    HeadlessEvents& events_;
    const int pausedPumps_;
    TourCounts counts_;
    int32_t lastStageFrame_ = 0;
    int pumpsPaused_ = 0;
    bool inStage_ = false;
    bool ended_ = false;
};

// From the title, steps right to `stage` and starts it; in the stage, fires all the time, takes
// the move that the fewest things reach soonest, lines up under the boss or the lowest enemy, and
// bombs when every move is hit; on the stage's end screen, or in a stage that lasts too long,
// quits with Escape.
void Pilot(TestGame& t, int16_t stage);

// Keeps the ship's energy full each time the game looks at its events, before the pump's other
// work, until the boss comes in; a playback of a shielded run needs the same shield.
void Shield(TestGame& t);

// Runs the game from its start through its scenes until the player closes it; the exit code.
inline int RunToEnd(TestGame& t, uint64_t seed) {
    Main(*t, seed);
    return FormActivate(*t);
}

// A test game whose input is recorded to the given paths, by default run.rpl in its save folder.
struct RecordedGame {
    explicit RecordedGame(std::vector<std::string> paths = {})
        : recorder(t.platform.Services(), paths.empty() ? std::vector{DefaultPath()} : paths) {
        t.UseServices(recorder.Services());
        t->Observer = &recorder;
    }
    std::string DefaultPath() const { return (t.saveDir.Path() / "run.rpl").string(); }
    Replay Read() const {
        Replay replay;
        std::string error;
        EXPECT_TRUE(ReadReplayFile(DefaultPath(), replay, error)) << error;
        return replay;
    }
    TestGame t;
    GameRecorder recorder;
};

// A test game that plays a recording back until the game ends by throwing End.
struct PlayedGame {
    explicit PlayedGame(const Replay& replay) : playback(t.platform.Services(), replay) {
        t.UseServices(playback.Services());
        t->Observer = &playback;
    }
    template <typename End = PlaybackFinished>
    void Run() {
        EXPECT_THROW(RunToEnd(t, playback.Seed()), End);
    }
    TestGame t;
    GamePlayback playback;
};

}  // namespace volley::testing
