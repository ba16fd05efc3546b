// The soak's range checks: quiet on a game in play, loud and precise about a field out of range
// (a check that never speaks would let the soak pass whatever the game did).

#include <gtest/gtest.h>

#include <functional>

#include "player/player_rules.h"
#include "shell/game_loop.h"
#include "shell/scenes.h"
#include "shell/startup.h"
#include "soak/table_checks.h"
#include "support.h"

namespace volley {
namespace {

TEST(SoakChecks, EachFieldOutOfRangeIsNamedWithItsSlot) {
    struct Case {
        std::function<void(Game&)> damage;
        const char* failure;  // how the report starts; "" for a state that is in range
    };
    const Case cases[] = {
        {[](Game&) {}, ""},
        // A free slot keeps whatever it last held; only taken slots are looked at.
        {[](Game& g) { g.Enemies[7].Kind = static_cast<EnemyKind>(999); }, ""},
        {[](Game& g) { g.Enemies[5].Kind = static_cast<EnemyKind>(101); },
         "Enemies[5].Kind = 101, outside 0 .. 100"},
        {[](Game& g) { g.Enemies[5].Y = static_cast<int16_t>(g.ScreenHeight + 1); },
         "Enemies[5].Y"},
        {[](Game& g) {  // exploding, it may fall below
             g.Enemies[5].Y = static_cast<int16_t>(g.ScreenHeight + 1);
             g.Enemies[5].State = 2;
         },
         ""},
        {[](Game& g) { g.EnemyShots[400].X = -1; }, "EnemyShots[400].X = -1, outside 0 .. 451"},
        {[](Game& g) { g.PlayerShots[200] = PlayerShot{1, PlayerShotKind::Wide, 1, 10, 10, 0, 0}; },
         "PlayerShots[200].VY = 0, outside -64 .. -1"},
        {[](Game& g) { g.Stars[10].Speed = 11; }, "Stars[10].Speed = 11, outside 3 .. 10"},
        {[](Game& g) { g.CurShot = kEnemyShotSlots - 1; }, ""},
        {[](Game& g) { g.CurShot = kEnemyShotSlots; }, "CurShot = 401, outside 0 .. 400"},
        {[](Game& g) { g.PowerLevel = 0; }, "PowerLevel = 0, outside 1 .. 5"},
        {[](Game& g) { g.PlayerEnergy = 0; }, "PlayerEnergy = 0, outside 1 .. 100"},
        {[](Game& g) { g.PlayerEnergy = 0, g.PlayerDown = true; }, ""},
        {[](Game& g) { g.BossKind = EnemyKind::Escort; }, "BossKind is not a boss"},
        {[](Game& g) { g.LabelDirty[LabelId::Bombs] = true; },
         "a label flag was left raised after the frame"},
    };
    for (const Case& c : cases) {
        testing::TestGame t;
        Main(*t, 4);
        StartGame(*t);
        for (int i = 0; i < 30; ++i) {
            StepFrame(*t);
        }
        testing::PlaceEnemy(*t, 5, EnemyKind::Stage1Boss, 100, 40);
        t->EnemyShots[400] = EnemyShot{1, EnemyShotKind::Orb, 50, 60, 0, 4, 5};
        c.damage(*t);
        const std::string report = CheckTables(*t);
        EXPECT_EQ(report.rfind(c.failure, 0), 0u) << report;
        EXPECT_EQ(report.empty(), *c.failure == '\0') << report;
    }
}

}  // namespace
}  // namespace volley
