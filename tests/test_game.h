// A game on the headless platform, for tests that run the game's own procedures.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "game/game.h"
#include "platform/headless.h"

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

}  // namespace volley::testing
