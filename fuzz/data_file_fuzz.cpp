// Damaged sprite tables: the bytes stand for Data/Data.dat, read by the game's own table decoder.
// Each table entry is a sprite's cell on the sheet and also its hit box, so the tables are then put
// to use: every kind of enemy enters at once and a few frames are played with the guns firing and
// a bomb going off, drawing, moving and colliding with whatever sizes the file gave.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "game/game.h"
#include "platform/headless.h"
#include "platform/little_endian.h"
#include "shell/files.h"
#include "shell/game_loop.h"
#include "shell/scenes.h"
#include "shell/startup.h"
#include "stages/spawn.h"

namespace {

using namespace volley;

constexpr int kFramesPlayed = 12;
constexpr int kBombFrame = 4;
constexpr size_t kRecordBytes = 8;
constexpr size_t kTableBytes = kSpriteKinds * kRecordBytes;

void Require(bool promise) {
    if (!promise) {
        __builtin_trap();
    }
}

// The game as the built program folder starts it, made once: the pictures take a while to load.
struct StartedGame {
    StartedGame() : game(std::make_unique<Game>(platform.Services(), VOLLEY_GAME_DIR)) {
        game->SaveFile = "/nonexistent/volley-fuzz/SaveData.dat";
        try {
            Main(*game, 1);
        } catch (const StartupError& e) {
            std::fprintf(stderr, "volley-data-fuzz: %s\n", e.what());
            std::abort();
        }
    }
    HeadlessPlatform platform;
    std::unique_ptr<Game> game;
};

int16_t StoredValue(const uint8_t* data, size_t size, size_t offset) {
    std::array<uint8_t, 2> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = offset + i < size ? data[offset + i] : 0;
    }
    return ReadInt16(bytes.data());
}

template <typename Table>
void RequireReadAsStored(const Table& table, const uint8_t* data, size_t size, size_t offset) {
    for (const SpriteRect& rect : table) {
        Require(rect.SrcX == StoredValue(data, size, offset));
        Require(rect.SrcY == StoredValue(data, size, offset + 2));
        Require(rect.Width == StoredValue(data, size, offset + 4));
        Require(rect.Height == StoredValue(data, size, offset + 6));
        offset += kRecordBytes;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static StartedGame started;
    Game& g = *started.game;
    HeadlessPlatform& platform = started.platform;

    DecodeDataTables(data, size, g);
    RequireReadAsStored(g.PlayerShotTypes, data, size, 0);
    RequireReadAsStored(g.EnemyTypes, data, size, kTableBytes);
    RequireReadAsStored(g.EnemyShotTypes, data, size, 2 * kTableBytes);

    // The same game for the same bytes, whatever ran before.
    g.Rng.Seed(size);
    g.Stage = static_cast<int16_t>(1 + size % kStageCount);
    g.MaxStage = kStageCount;
    StartGame(g);
    for (int16_t kind = 0; kind < kSpriteKinds; ++kind) {
        SpawnEnemy(g, static_cast<EnemyKind>(kind), static_cast<int16_t>(kind % 9),
                   static_cast<int16_t>(kind * 7 % std::max<int>(g.ScreenHeight, 1)));
    }
    platform.keys.Hold(GameKey::Z, true);
    for (int frame = 0; frame < kFramesPlayed; ++frame) {
        platform.keys.Hold(GameKey::Left, frame % 4 < 2);
        platform.keys.Hold(GameKey::Up, frame % 4 >= 2);
        platform.keys.Hold(GameKey::X, frame == kBombFrame);
        if (RunFrame(g)) {
            break;
        }
    }
    platform.keys.Hold(GameKey::Z, false);
    platform.keys.Hold(GameKey::X, false);
    // The records of what was played and shown would otherwise grow with every input.
    platform.sound.Played.clear();
    platform.music.Calls.clear();
    return 0;
}
