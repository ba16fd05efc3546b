// The timelines of stages 4, 5 and 7: what each asks for before its boss, the set pieces that
// every player meets, and what keeps coming once the boss of stages 5 and 7 is in.
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

// One spawn a step should make: the kind, its column and whether it rises from the bottom.
struct Wanted {
    int16_t kind;
    int16_t column;
    bool fromBelow = false;
};

class StageCensus4to7 : public testing::StageTimeline {
  protected:
    void ExpectPlaced(const std::vector<Placed>& placed, const std::vector<Wanted>& wanted) {
        ASSERT_EQ(placed.size(), wanted.size());
        for (size_t i = 0; i < wanted.size(); ++i) {
            EXPECT_EQ(placed[i].kind, wanted[i].kind) << "spawn " << i;
            EXPECT_EQ(placed[i].x, AtColumn(wanted[i].kind, wanted[i].column).x)
                << "spawn " << i << " should be at column " << wanted[i].column;
            EXPECT_EQ(placed[i].y, wanted[i].fromBelow ? t->ScreenHeight : 0) << "spawn " << i;
        }
    }

    // Runs the script from frame 0 through `lastFrame` with the table emptied after each step.
    void RunThrough(int32_t lastFrame) { testing::TakeCensus(*t, lastFrame); }
};

TEST_F(StageCensus4to7, StageFourAsksForItsWholeTableBeforeTheBoss) {
    ExpectCensus(
        4, 6300,
        {115,
         284,
         6,
         1,
         7,
         {{10, 49}, {11, 46}, {18, 31}, {14, 28}, {13, 23}, {5, 18}, {9, 18}, {15, 18}, {7, 14}}});
}

TEST_F(StageCensus4to7, StageFiveAsksForItsWholeTableBeforeTheBoss) {
    ExpectCensus(
        5, 6300,
        {120,
         330,
         7,
         2,
         7,
         {{14, 94}, {11, 44}, {10, 43}, {5, 30}, {13, 26}, {8, 22}, {18, 20}, {17, 18}, {20, 1}}});
}

TEST_F(StageCensus4to7, StageSevenAsksForItsWholeTableBeforeTheBoss) {
    ExpectCensus(7, 1750,
                 {29, 108, 5, 1, 5, {{15, 32}, {10, 19}, {30, 14}, {11, 12}, {14, 10}, {41, 1}}});
}

TEST_F(StageCensus4to7, TheNormalScheduleKeepsToItsSpan) {
    // Stage 7's first spawn is at frame 10 and its last before the boss at 1600; stages 4 and 5
    // end theirs at 6100, two hundred frames before the boss.
    const struct {
        int16_t stage;
        int32_t first;
        int32_t last;
        int32_t bossFrame;
    } spans[] = {{4, 0, 6100, 6300}, {5, 0, 6100, 6300}, {7, 10, 1600, 1750}};
    for (const auto& span : spans) {
        t->Stage = span.stage;
        t->ScriptToggle = 0;
        t->BossKind = kNoBossYet;
        int32_t first = -1;
        int32_t last = -1;
        for (int32_t frame = 0; frame < span.bossFrame; ++frame) {
            if (!StepAt(frame).empty()) {
                first = first < 0 ? frame : first;
                last = frame;
            }
        }
        EXPECT_EQ(first, span.first) << "stage " << span.stage;
        EXPECT_EQ(last, span.last) << "stage " << span.stage;
    }
}

TEST_F(StageCensus4to7, OnlyTheRisingKindsEnterFromBelowAndTheyAlwaysDo) {
    for (int16_t stage : {4, 5, 7}) {
        t->Stage = stage;
        t->ScriptToggle = 0;
        t->BossKind = kNoBossYet;
        for (int32_t frame = 0; frame <= 7000; ++frame) {
            for (const Placed& p : StepAt(frame)) {
                const bool rises = p.kind == 10 || p.kind == 17;
                ASSERT_EQ(p.y, rises ? t->ScreenHeight : 0)
                    << "stage " << stage << " frame " << frame << " kind " << p.kind;
            }
        }
    }
}

TEST_F(StageCensus4to7, EachBossComesInOnItsFrameAtTheCentre) {
    const struct {
        int16_t stage;
        int32_t bossFrame;
        int16_t bossKind;
    } bosses[] = {{4, 6300, 26}, {5, 6300, 27}, {7, 1750, 22}};
    for (const auto& boss : bosses) {
        ExpectBossEntrance(boss.stage, boss.bossFrame, boss.bossKind);
    }
}

TEST_F(StageCensus4to7, StageFourSpawnsNothingOnceTheBossIsIn) {
    t->Stage = 4;
    RunThrough(6300);
    ASSERT_EQ(t->BossKind, EnemyKind::Stage4Boss);
    for (int32_t frame = 6301; frame <= 7200; ++frame) {
        ASSERT_TRUE(StepAt(frame).empty()) << "frame " << frame;
    }
}

TEST_F(StageCensus4to7, EachStageOpensWithItsOwnFirstFrame) {
    t->Stage = 4;
    ExpectPlaced(StepAt(0), {{12, 4}});
    t->Stage = 5;
    ExpectPlaced(StepAt(0), {{20, 4}});
    t->Stage = 7;
    EXPECT_TRUE(StepAt(0).empty());
}

TEST_F(StageCensus4to7, StageFourCyclesItsFiveWavesFromFrame1740) {
    t->Stage = 4;
    RunThrough(1739);
    ASSERT_EQ(t->ScriptToggle, 0);
    ExpectPlaced(StepAt(1740), {{7, 4}});
    ExpectPlaced(StepAt(1800), {{10, 2, true}, {10, 6, true}});
    ExpectPlaced(StepAt(1860), {{13, 3}, {13, 5}});
    ExpectPlaced(StepAt(1920), {{11, 1}, {11, 3}, {11, 5}, {11, 7}});
    ExpectPlaced(StepAt(1980), {{16, 4}, {10, 2, true}, {10, 6, true}});
    ExpectPlaced(StepAt(2040), {{7, 4}});
    EXPECT_EQ(t->ScriptToggle, 1);
    // Frames of the range off its period do nothing and leave the counter alone.
    EXPECT_TRUE(StepAt(2070).empty());
    EXPECT_EQ(t->ScriptToggle, 1);
}

TEST_F(StageCensus4to7, StageFourDropsEnergyBeforeTheWaveOfFrame3400) {
    t->Stage = 4;
    RunThrough(3399);
    // The sixfold cycle started at 3050 from where the fivefold one left off: 3400 is its
    // eighth step, the second wave of the cycle.
    ASSERT_EQ(t->ScriptToggle, 1);
    ExpectPlaced(StepAt(3400), {{2, 4}, {10, 2, true}, {10, 6, true}});
    ExpectPlaced(StepAt(3450), {{8, 3}, {8, 5}});
    ExpectPlaced(StepAt(3500), {{14, 1}, {14, 5}, {14, 2}, {14, 6}, {14, 3}, {14, 7}});
    ExpectPlaced(StepAt(3550), {{18, 4}, {5, 2}, {5, 6}});
    ExpectPlaced(StepAt(3600), {{13, 4}, {13, 2}, {13, 6}});
    ExpectPlaced(StepAt(3650), {{16, 4}, {17, 4, true}});
}

TEST_F(StageCensus4to7, StageFourFrame3000BelongsToTheEarlierRange) {
    t->Stage = 4;
    RunThrough(2999);
    const int16_t toggleBefore = t->ScriptToggle;
    // The range of 2400 to 3000 sends its gunships with an armoured block on multiples of 120.
    ExpectPlaced(StepAt(3000), {{11, 2}, {11, 6}, {14, 4}});
    EXPECT_EQ(t->ScriptToggle, toggleBefore);
    ExpectPlaced(StepAt(3050), {{16, 4}, {17, 4, true}});
    EXPECT_EQ(t->ScriptToggle, (toggleBefore + 1) % 6);
}

TEST_F(StageCensus4to7, StageFiveCarriesTheCounterFromTheFivefoldIntoTheSixfoldCycles) {
    t->Stage = 5;
    RunThrough(2300);
    // Thirteen steps of the fivefold cycle from 0 leave the counter at 3.
    EXPECT_EQ(t->ScriptToggle, 3);
    ExpectPlaced(StepAt(2350), {{2, 3}, {2, 5}, {18, 4}});
    EXPECT_EQ(t->ScriptToggle, 3);
    ExpectPlaced(StepAt(2400), {{5, 2}, {5, 6}, {13, 4}});
    EXPECT_EQ(t->ScriptToggle, 4);
}

TEST_F(StageCensus4to7, StageFiveBossPhaseSendsBlocksEveryHundredFramesAndNothingElse) {
    t->Stage = 5;
    RunThrough(6300);
    ASSERT_EQ(t->BossKind, EnemyKind::Stage5Boss);
    for (int32_t frame = 6301; frame <= 7500; ++frame) {
        const std::vector<Placed> placed = StepAt(frame);
        if (frame % 100 == 0) {
            ExpectPlaced(placed, {{14, 2}, {14, 6}});
        } else {
            EXPECT_TRUE(placed.empty()) << frame;
        }
    }
    // Frames of the normal schedule, replayed with the boss in: only the blocks come.
    for (int32_t frame : {0, 360, 950, 1200, 3400, 5850, 6100}) {
        const std::vector<Placed> placed = StepAt(frame);
        if (frame % 100 == 0) {
            ExpectPlaced(placed, {{14, 2}, {14, 6}});
        } else {
            EXPECT_TRUE(placed.empty()) << frame;
        }
    }
}

TEST_F(StageCensus4to7, StageSevenBossPhaseSendsRisersEveryHundredFramesAndNothingElse) {
    t->Stage = 7;
    RunThrough(1750);
    ASSERT_EQ(t->BossKind, EnemyKind::Stage7Boss);
    for (int32_t frame = 1751; frame <= 3000; ++frame) {
        const std::vector<Placed> placed = StepAt(frame);
        if (frame % 100 == 0) {
            ExpectPlaced(placed, {{10, 2, true}, {10, 6, true}});
        } else {
            EXPECT_TRUE(placed.empty()) << frame;
        }
    }
    // Frames of the normal schedule, replayed with the boss in: the gunship of frame 700 gives
    // way to the risers, and the set pieces do not come.
    ExpectPlaced(StepAt(700), {{10, 2, true}, {10, 6, true}});
    for (int32_t frame : {10, 1250, 1410, 1530}) {
        EXPECT_TRUE(StepAt(frame).empty()) << frame;
    }
}

TEST_F(StageCensus4to7, StageSevenPincersEachColumnFromAboveAndBelowAtFrame1250) {
    t->Stage = 7;
    std::vector<Wanted> pincer;
    for (int16_t column = 1; column <= 7; ++column) {
        pincer.push_back({11, column});
        pincer.push_back({10, column, true});
    }
    ExpectPlaced(StepAt(1250), pincer);
}

TEST_F(StageCensus4to7, StageSevenSendsItsRowsOnlyOnThePeriodOfTheirRange) {
    t->Stage = 7;
    const std::vector<Wanted> row = {{15, 1}, {15, 2}, {15, 3}, {15, 4}, {15, 5}, {15, 6}, {15, 7}};
    EXPECT_TRUE(StepAt(1400).empty());
    ExpectPlaced(StepAt(1410), row);
    EXPECT_TRUE(StepAt(1430).empty());
    ExpectPlaced(StepAt(1440), row);
    EXPECT_TRUE(StepAt(1460).empty());
}

TEST_F(StageCensus4to7, StageSevenBringsItsSwayingGunshipAloneAtFrame700) {
    t->Stage = 7;
    ExpectPlaced(StepAt(700), {{41, 4}});
}

}  // namespace
}  // namespace volley
