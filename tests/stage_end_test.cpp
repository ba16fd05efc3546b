#include "stages/stage_end.h"

#include <gtest/gtest.h>

#include "display/labels.h"
#include "shell/reset.h"
#include "shell/startup.h"
#include "stages/spawn.h"
#include "test_game.h"

namespace volley {
namespace {

class StageEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 3);
        ResetGame(*t);
        t->BlastDelay = 0;
        t->WreckDelay = 0;
        t->WreckFrame = 0;
    }
    Enemy& Exploding(int slot, EnemyKind kind, int32_t score) {
        Enemy& e = t->Enemies[slot];
        e = Enemy{};
        e.State = 2;
        e.Kind = kind;
        e.Score = score;
        e.X = 100;
        e.Y = 100;
        return e;
    }
    testing::TestGame t;
};

TEST_F(StageEnd, ALoneExplosionLastsTwentyOneFramesAndPaysAtItsFirstAdvance) {
    Enemy& e = Exploding(5, EnemyKind::Dart, 100);
    std::vector<int32_t> score;
    int frames = 0;
    while (e.State == 2) {
        UpdateBlasts(*t);
        score.push_back(t->Score);
        ++frames;
    }
    EXPECT_EQ(frames, 21);
    EXPECT_EQ(score[1], 0);
    EXPECT_EQ(score[2], 100) << "paid when the first cell advances, in the third frame";
    EXPECT_EQ(t->Score, 100);
    EXPECT_EQ(e.Y, 100 + 4 * 21);
    EXPECT_EQ(e.BlastFrame, 0);
}

TEST_F(StageEnd, AnExplosionCutOffByTheEndOfAStageLeavesNothingToTheNextGame) {
    Enemy& cutOff = Exploding(0, EnemyKind::Dart, 100);
    cutOff.BlastFrame = 4;
    ResetGame(*t);
    SpawnEnemy(*t, EnemyKind::Dart, 4, 0);
    Enemy& next = t->Enemies[0];
    ASSERT_EQ(next.State, 1);
    next.State = 2;  // shot down at once
    int frames = 0;
    while (next.State == 2) {
        UpdateBlasts(*t);
        ++frames;
    }
    EXPECT_EQ(frames, 21);
    EXPECT_EQ(t->Score, next.Score);
    EXPECT_GT(t->Score, 0);
}

TEST_F(StageEnd, ThreeExplosionsShareOneDelayAndTheSlotOrderDecides) {
    Enemy& a = Exploding(0, EnemyKind::Dart, 1);
    Enemy& b = Exploding(1, EnemyKind::Dart, 10);
    Enemy& c = Exploding(2, EnemyKind::Dart, 100);
    std::vector<int> firstAdvance(3, 0);
    for (int frame = 1; frame <= 12; ++frame) {
        UpdateBlasts(*t);
        int i = 0;
        for (const Enemy* e : {&a, &b, &c}) {
            if (firstAdvance[i] == 0 && (e->BlastFrame > 0 || e->State == 0)) {
                firstAdvance[i] = frame;
            }
            ++i;
        }
        if (frame == 7) {
            EXPECT_EQ(c.State, 0) << "the highest slot advanced in each of the first 7 frames";
        }
    }
    EXPECT_EQ(firstAdvance, (std::vector<int>{9, 10, 1}));
    EXPECT_EQ(t->Score, 111);
}

TEST_F(StageEnd, TheBossClearsTheStageWithItsBonusAndUnlocksTheNext) {
    struct Case {
        int16_t stage, maxStage, energy;
        int16_t maxAfter;
        int32_t bonus;
        const char* bonusText;
    };
    const Case cases[] = {
        {1, 1, 100, 2, 20000, "BORNAS +20000"}, {3, 5, 55, 5, 5500, "BORNAS +05500"},
        {8, 8, 1, 8, 100, "BORNAS +00100"},     {3, 3, 0, 4, 0, "BORNAS +00000"},
        {2, 2, -40, 3, 0, "BORNAS +00000"},
    };
    for (const Case& c : cases) {
        ResetGame(*t);
        t->Stage = c.stage;
        t->MaxStage = c.maxStage;
        t->PlayerEnergy = c.energy;
        t->BossKind = EnemyKind::Stage1Boss;
        t->BlastDelay = 2;
        Exploding(0, EnemyKind::Stage1Boss, 10000).BlastFrame = 6;
        UpdateBlasts(*t);
        EXPECT_TRUE(t->StageOver);
        EXPECT_EQ(t->MaxStage, c.maxAfter) << c.stage;
        EXPECT_EQ(t->StageBonus, c.bonus) << c.energy;
        RefreshLabels(*t);
        char clear[32];
        std::snprintf(clear, sizeof clear, "STAGE %02d CLEAR", c.stage);
        EXPECT_EQ(t->Form1.DisplayLabel[LabelId::Result].Caption, clear);
        EXPECT_EQ(t->Form1.DisplayLabel[LabelId::Bonus].Caption, c.bonusText);
        EXPECT_TRUE(t->Form1.DisplayLabel[LabelId::Bonus].Visible);
    }
}

TEST_F(StageEnd, TheWreckFallsForTwentyOneFramesThenTheGameIsOver) {
    t->PlayerDown = true;
    t->PlayerY = 200;
    t->Score = 1234567;
    int frames = 0;
    while (!t->StageOver) {
        UpdateWreck(*t);
        ++frames;
    }
    EXPECT_EQ(frames, 21);
    EXPECT_EQ(t->PlayerY, 284);
    EXPECT_EQ(t->WreckFrame, 0);
    RefreshLabels(*t);
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::Result].Caption, "GAMEOVER");
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::ResultScore].Caption, "SCORE 1234567");
    EXPECT_FALSE(t->Form1.DisplayLabel[LabelId::Bonus].Visible) << "no bonus after a game over";
    UpdateWreck(*t);
    EXPECT_EQ(t->PlayerY, 284) << "nothing more once the stage is over";
}

TEST_F(StageEnd, ABossClearedAfterTheShipWentDownEndsTheWreck) {
    t->PlayerDown = true;
    t->PlayerEnergy = -10;
    t->BossKind = EnemyKind::Stage7Boss;
    t->BlastDelay = 2;
    Exploding(0, EnemyKind::Stage7Boss, 70000).BlastFrame = 6;
    UpdateBlasts(*t);
    UpdateWreck(*t);
    EXPECT_TRUE(t->StageOver);
    EXPECT_EQ(t->StageBonus, 0);
    EXPECT_EQ(t->WreckFrame, 0) << "the wreck stopped";
}

TEST_F(StageEnd, TheBombLabelShowsTwoDigits) {
    t->Bombs = 0;
    t->LabelDirty[LabelId::Bombs] = true;
    RefreshLabels(*t);
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::Bombs].Caption, "BOMB 00");
}

}  // namespace
}  // namespace volley
