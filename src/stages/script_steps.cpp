#include "stages/script_steps.h"

#include "audio/music.h"
#include "game/game.h"
#include "game/stage_table.h"
#include "stages/spawn.h"

namespace volley {

namespace {
constexpr int16_t kCentreColumn = 4;
}

bool InFrameRange(const Game& g, int32_t first, int32_t last) {
    return first <= g.StageFrame && g.StageFrame <= last;
}

bool EveryFrames(const Game& g, int32_t n) {
    return g.StageFrame % n == 0;
}

bool FramesEvery(const Game& g, int32_t first, int32_t last, int32_t n) {
    return InFrameRange(g, first, last) && EveryFrames(g, n);
}

void Spawn(Game& g, EnemyKind kind, std::initializer_list<int16_t> columns, Edge edge) {
    const int16_t y = edge == Edge::Top ? int16_t{0} : g.ScreenHeight;
    for (int16_t column : columns) {
        SpawnEnemy(g, kind, column, y);
    }
}

void SpawnAcross(Game& g, EnemyKind kind, Edge edge) {
    Spawn(g, kind, {1, 2, 3, 4, 5, 6, 7}, edge);
}

int Alternate(Game& g, int k) {
    const int now = g.ScriptToggle;
    g.ScriptToggle = static_cast<int16_t>((g.ScriptToggle + 1) % k);
    return now;
}

void ResetAlternation(Game& g) {
    g.ScriptToggle = 0;
}

int32_t BossFrame(const Game& g) {
    return StageRowOf(g.Stage).BossFrame;
}

void StartBoss(Game& g) {
    const StageRow& stage = StageRowOf(g.Stage);
    if (stage.BossMusic) {
        PlayMusic(g, *stage.BossMusic);
    }
    g.BossKind = stage.Boss;
    SpawnEnemy(g, stage.Boss, kCentreColumn, 0);
}

bool BossIsIn(const Game& g) {
    return g.BossKind != kNoBossYet;
}

}  // namespace volley
