// The timelines of stages 1 to 3: what each asks for before its boss, and the frames where
// one entry takes over from another.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "shell/reset.h"
#include "shell/startup.h"
#include "stage_census.h"
#include "stages/spawn.h"
#include "stages/stage_script.h"
#include "test_game.h"

namespace volley {
namespace {

using testing::ExpectedCensus;
using testing::Placed;

class StageCensus : public testing::StageTimeline {
  protected:
    void ExpectPlaced(const std::vector<Placed>& placed, int16_t kind,
                      const std::vector<int16_t>& columns) {
        ASSERT_EQ(placed.size(), columns.size());
        for (size_t i = 0; i < columns.size(); ++i) {
            const Placed wanted = AtColumn(kind, columns[i]);
            EXPECT_EQ(placed[i].kind, kind) << "spawn " << i;
            EXPECT_EQ(placed[i].x, wanted.x)
                << "spawn " << i << " should be at column " << columns[i];
            EXPECT_EQ(placed[i].y, 0) << "spawn " << i;
        }
    }

    // Runs the script from frame 0 through `lastFrame` with the table emptied after each step.
    void RunThrough(int32_t lastFrame) { testing::TakeCensus(*t, lastFrame); }
};

TEST_F(StageCensus, StageOneAsksForItsWholeTableBeforeTheBoss) {
    ExpectCensus(1, 6200,
                 {183, 434, 5, 1, 4, {{3, 153}, {6, 102}, {5, 83}, {4, 64}, {7, 29}, {12, 3}}});
}

TEST_F(StageCensus, StageTwoAsksForItsWholeTableBeforeTheBoss) {
    ExpectCensus(
        2, 6200,
        {149,
         414,
         6,
         1,
         6,
         {{3, 128}, {4, 68}, {9, 60}, {10, 55}, {5, 36}, {7, 25}, {6, 20}, {8, 19}, {12, 3}}});
}

TEST_F(StageCensus, StageThreeAsksForItsWholeTableBeforeTheBoss) {
    ExpectCensus(
        3, 6550,
        {153,
         346,
         4,
         1,
         4,
         {{10, 60}, {11, 58}, {8, 50}, {5, 48}, {3, 41}, {15, 26}, {13, 22}, {4, 21}, {7, 11}}});
}

TEST_F(StageCensus, EachBossComesInOnItsFrameAtTheCentre) {
    const struct {
        int16_t stage;
        int32_t bossFrame;
        int16_t bossKind;
    } bosses[] = {{1, 6200, 21}, {2, 6200, 23}, {3, 6550, 25}};
    for (const auto& boss : bosses) {
        ExpectBossEntrance(boss.stage, boss.bossFrame, boss.bossKind);
    }
}

TEST_F(StageCensus, StagesOneAndTwoSpawnNothingOnceTheBossIsIn) {
    for (int16_t stage : {1, 2}) {
        t->Stage = stage;
        RunThrough(6200);
        ASSERT_NE(t->BossKind, kNoBossYet);
        for (int32_t frame = 6201; frame <= 7000; ++frame) {
            ASSERT_TRUE(StepAt(frame).empty()) << "stage " << stage << " frame " << frame;
        }
    }
}

TEST_F(StageCensus, StageOneOpensDownTheRightFlank) {
    t->Stage = 1;
    ExpectPlaced(StepAt(0), 3, {7});
}

TEST_F(StageCensus, StageOneGivesSharedFramesToTheEarlierEntry) {
    t->Stage = 1;
    ExpectPlaced(StepAt(200), 3, {7});
    ExpectPlaced(StepAt(220), 3, {1});
    ExpectPlaced(StepAt(400), 3, {1});

    // The formation alternation of frames 400 to 600 first acts at 440.
    t->ScriptToggle = 0;
    StepAt(400);
    EXPECT_EQ(t->ScriptToggle, 0);
    const std::vector<Placed> formation = StepAt(440);
    ASSERT_EQ(formation.size(), 3u);
    EXPECT_EQ(formation[1].kind, 4);
    EXPECT_EQ(t->ScriptToggle, 1);
}

TEST_F(StageCensus, StageOneFrame2250SendsARowAndLeavesTheAlternationAlone) {
    t->Stage = 1;
    RunThrough(2249);
    const int16_t toggleBefore = t->ScriptToggle;
    ExpectPlaced(StepAt(2250), 6, {1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(t->ScriptToggle, toggleBefore);

    // The alternation of frames 2250 to 2500 runs on its period, the first multiple of 20 after
    // the row, and moves the counter on there.
    for (int32_t frame = 2251; frame < 2260; ++frame) {
        EXPECT_TRUE(StepAt(frame).empty()) << frame;
    }
    EXPECT_EQ(t->ScriptToggle, toggleBefore);
    EXPECT_FALSE(StepAt(2260).empty());
    EXPECT_NE(t->ScriptToggle, toggleBefore);
}

TEST_F(StageCensus, StageOneAlternatesItsSideFilesAndResetsTheCounterWithItsItems) {
    t->Stage = 1;
    t->ScriptToggle = 1;
    ExpectPlaced(StepAt(650), 0, {4});
    EXPECT_EQ(t->ScriptToggle, 0);
    ExpectPlaced(StepAt(700), 3, {7});
    EXPECT_EQ(t->ScriptToggle, 1);
    // Every 80 frames the side file brings a centre escort, after its own enemy.
    const std::vector<Placed> escorted = StepAt(720);
    ASSERT_EQ(escorted.size(), 2u);
    EXPECT_EQ(escorted[0].kind, 3);
    EXPECT_EQ(escorted[0].x, AtColumn(3, 1).x);
    EXPECT_EQ(escorted[1].kind, 4);
    EXPECT_EQ(escorted[1].x, AtColumn(4, 4).x);
    EXPECT_EQ(t->ScriptToggle, 0);
    ExpectPlaced(StepAt(740), 3, {7});
    EXPECT_EQ(t->ScriptToggle, 1);

    StepAt(1150);
    EXPECT_EQ(t->ScriptToggle, 0);
}

TEST_F(StageCensus, StageThreeBossPhaseAlternatesItsEscortsAndNothingElseActs) {
    t->Stage = 3;
    RunThrough(6550);
    ASSERT_EQ(t->BossKind, EnemyKind::Stage3Boss);
    EXPECT_EQ(t->ScriptToggle, 1);
    int16_t column = 2;
    for (int32_t frame = 6551; frame <= 7400; ++frame) {
        const std::vector<Placed> placed = StepAt(frame);
        if (frame % 40 != 0) {
            EXPECT_TRUE(placed.empty()) << frame;
            continue;
        }
        ExpectPlaced(placed, 14, {column});
        column = column == 2 ? 6 : 2;
    }
}

TEST_F(StageCensus, StageThreeBossPhaseIsTheOnlyEntryOnceTheBossIsIn) {
    t->Stage = 3;
    // Frames the normal schedule uses, replayed with the boss in: only the escorts come.
    t->BossKind = EnemyKind::Stage3Boss;
    t->ScriptToggle = 0;
    for (int32_t frame : {0, 30, 600, 1500, 2750, 6000, 6400}) {
        const std::vector<Placed> placed = StepAt(frame);
        if (frame % 40 == 0) {
            ASSERT_EQ(placed.size(), 1u) << frame;
            EXPECT_EQ(placed[0].kind, 14) << frame;
        } else {
            EXPECT_TRUE(placed.empty()) << frame;
        }
    }
}

}  // namespace
}  // namespace volley
