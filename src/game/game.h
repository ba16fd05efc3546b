// The whole state of the game in one place, handed to every procedure.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/enemy.h"
#include "game/form.h"
#include "game/game_state.h"
#include "game/joy_state.h"
#include "game/keyed_array.h"
#include "game/labels.h"
#include "game/music_pieces.h"
#include "game/player.h"
#include "game/random.h"
#include "game/run_observer.h"
#include "game/sprite_types.h"
#include "game/star.h"
#include "platform/platform.h"

namespace volley {

struct Game : GameState, Player, FrameTimers {
    Game(Platform services, std::string programDir)
        : Sys(services), ProgramDir(std::move(programDir)) {}

    Platform Sys;
    std::string ProgramDir;         // where the executable and its asset folders are
    std::string SaveFile;           // where the save data is read from and written to
    std::vector<uint8_t> SaveTail;  // what the save held past its own bytes, written back as it was
    Random Rng;
    uint64_t Seed = 0;        // the random generator's start, kept for the replay
    int32_t MusicHandle = 0;  // the piece loaded last
    // The file of each piece the game plays, found when the music is opened.
    std::array<std::string, kMusicPieces> MusicFiles;

    int32_t JoyId = 0;
    bool JoyPresent = false;
    int32_t JoyDeviceCount = 0;  // pads connected at the last look, to notice one plugged in
    JoyState Joy;                // the last poll
    bool StartHeld = false;      // the gamepad's Start button was down at the last look

    bool ContactGuard = false;  // body contact cannot hurt the ship while this is up
    // The enemy the enemy update worked on last, and the shot slot its last firing step was given.
    // Kept as part of the state (and of its hash), not used to pass them on.
    int16_t CurEnemy = 0;
    int16_t CurShot = 0;

    std::array<PlayerShot, kPlayerShotSlots> PlayerShots{};
    std::array<Enemy, kEnemySlots> Enemies{};
    std::array<EnemyShot, kEnemyShotSlots> EnemyShots{};
    std::array<Star, kStarCount> Stars{};

    SpriteTable<PlayerShotKind> PlayerShotTypes{};
    SpriteTable<EnemyKind> EnemyTypes{};
    SpriteTable<EnemyShotKind> EnemyShotTypes{};

    // The four effects, each a whole WAV file followed by one zero byte.
    std::vector<uint8_t> SndHitB;
    std::vector<uint8_t> SndBom;
    std::vector<uint8_t> SndUP;
    std::vector<uint8_t> SndKi;

    // One flag per label but Power: its caption must be rewritten at the next label refresh.
    KeyedArray<LabelId, bool, kLabelFlags> LabelDirty{};

    Form Form1;

    StageResult LastResult = StageResult::None;
    RunObserver* Observer = nullptr;  // a recording or a playback of this run, if any
};

// A file the game cannot start without is missing or unreadable.
struct StartupError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A uniform random number in [0, 1).
inline float Rnd(Game& g) {
    return g.Rng.Next();
}

}  // namespace volley
