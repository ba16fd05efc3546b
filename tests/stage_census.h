// Counting what a stage's script asks for: every spawn request from frame 0 to a given frame,
// with the enemy table emptied after each step so that no request is refused.
#pragma once

#include <array>
#include <cstdint>

#include <gtest/gtest.h>
#include "game/game.h"

#include <map>
#include <vector>

#include "shell/reset.h"
#include "shell/startup.h"
#include "stages/spawn.h"
#include "stages/stage_script.h"
#include "test_game.h"

namespace volley::testing {

struct Census {
    int framesWithSpawns = 0;
    std::array<int, 101> byKind{};

    int Items(int kind) const { return byKind[kind]; }
    int Enemies() const {
        int total = 0;
        for (int kind = 3; kind < 101; ++kind) {
            total += byKind[kind];
        }
        return total;
    }
};

// Runs the script of g.Stage for frames 0 to lastFrame (ScriptToggle and BossKind start at 0).
inline Census TakeCensus(Game& g, int32_t lastFrame) {
    Census census;
    g.ScriptToggle = 0;
    g.BossKind = kNoBossYet;
    for (g.StageFrame = 0; g.StageFrame <= lastFrame; ++g.StageFrame) {
        RunStageScript(g);
        bool spawned = false;
        for (Enemy& e : g.Enemies) {
            if (e.State != 0) {
                ++census.byKind[RowOf(e.Kind)];
                spawned = true;
                e = Enemy{};
            }
        }
        census.framesWithSpawns += spawned ? 1 : 0;
    }
    return census;
}

// What a stage's table says it asks for before its boss.
struct ExpectedCensus {
    int framesWithSpawns;
    int enemies;
    int power;
    int bombs;
    int energy;
    std::map<int, int> byKind;
};

// One enemy as it entered the table.
struct Placed {
    int16_t kind;
    int16_t x;
    int16_t y;
};

// A game ready to run stage scripts step by step.
class StageTimeline : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 2);
        ResetGame(*t);
    }

    void ClearTable() {
        for (Enemy& e : t->Enemies) {
            e = Enemy{};
        }
    }

    void ExpectCensus(int16_t stage, int32_t bossFrame, const ExpectedCensus& expected) {
        t->Stage = stage;
        const Census census = TakeCensus(*t, bossFrame - 1);
        EXPECT_EQ(census.framesWithSpawns, expected.framesWithSpawns);
        EXPECT_EQ(census.Enemies(), expected.enemies);
        EXPECT_EQ(census.Items(0), expected.power);
        EXPECT_EQ(census.Items(1), expected.bombs);
        EXPECT_EQ(census.Items(2), expected.energy);
        for (const auto& [kind, count] : expected.byKind) {
            EXPECT_EQ(census.byKind[kind], count) << "kind " << kind;
        }
        EXPECT_EQ(t->BossKind, kNoBossYet) << "the boss must not come before its frame";
    }

    // Runs one step at `frame` on an empty table and hands back what entered, in slot order.
    std::vector<Placed> StepAt(int32_t frame) {
        ClearTable();
        t->StageFrame = frame;
        RunStageScript(*t);
        std::vector<Placed> placed;
        for (const Enemy& e : t->Enemies) {
            if (e.State != 0) {
                placed.push_back({static_cast<int16_t>(RowOf(e.Kind)), e.X, e.Y});
            }
        }
        ClearTable();
        return placed;
    }

    // Up to the frame before `bossFrame` no boss; on it, the boss alone at the top centre.
    void ExpectBossEntrance(int16_t stage, int32_t bossFrame, int16_t bossKind) {
        t->Stage = stage;
        TakeCensus(*t, bossFrame - 1);
        EXPECT_EQ(t->BossKind, kNoBossYet) << "stage " << stage;
        const std::vector<Placed> placed = StepAt(bossFrame);
        EXPECT_EQ(RowOf(t->BossKind), bossKind) << "stage " << stage;
        ASSERT_EQ(placed.size(), 1u) << "stage " << stage;
        EXPECT_EQ(placed[0].kind, bossKind);
        EXPECT_EQ(placed[0].x, AtColumn(bossKind, 4).x);
        EXPECT_EQ(placed[0].y, 0);
    }

    // Where a spawn of `kind` at `column` on the top edge lands, made here by hand.
    Placed AtColumn(int16_t kind, int16_t column) {
        ClearTable();
        SpawnEnemy(*t, static_cast<EnemyKind>(kind), column, 0);
        const Placed placed{static_cast<int16_t>(RowOf(t->Enemies[0].Kind)), t->Enemies[0].X,
                            t->Enemies[0].Y};
        ClearTable();
        return placed;
    }

    TestGame t;
};

}  // namespace volley::testing
