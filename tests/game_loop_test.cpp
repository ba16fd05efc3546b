#include "shell/game_loop.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "display/background.h"
#include "display/blit.h"
#include "display/layout.h"
#include "game/enemy.h"
#include "shell/reset.h"
#include "shell/scenes.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

using testing::TestGame;

class GameLoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 5);
        StartGame(*t);
    }
    // Runs the loop; frames are counted at the window's presents.
    void RunLoopUntilEnd() { GameLoop(*t); }
    TestGame t;
};

TEST_F(GameLoopTest, EscapeQuitsAtTheNextFrameWithoutTouchingTheHighScores) {
    t->HiScores[1] = 10;
    t->TotalScore = 10;
    t.platform.events.OnPump = [&] {
        if (t->StageFrame == 3) {
            t->Score = 500;
            t.platform.keys.Tap(GameKey::Escape);
        }
    };
    EXPECT_THROW(RunLoopUntilEnd(), CloseRequested);
    EXPECT_EQ(t->StageFrame, 3);
    EXPECT_EQ(t->HiScores[1], 10);
    EXPECT_EQ(t->TotalScore, 10);
}

TEST_F(GameLoopTest, ClosingTheWindowEndsTheGameAtTheNextYield) {
    t.platform.events.OnPump = [&] {
        if (t->StageFrame == 10) {
            t.platform.events.RequestClose();
        }
    };
    EXPECT_THROW(RunLoopUntilEnd(), CloseRequested);
    EXPECT_EQ(t->StageFrame, 10);
}

TEST_F(GameLoopTest, KeysPressedBeforeTheStageAreFlushed) {
    t.platform.keys.Tap(GameKey::Escape);
    t.platform.events.OnPump = [&] {
        if (t->StageFrame == 2) {
            t.platform.events.RequestClose();
        }
    };
    EXPECT_THROW(RunLoopUntilEnd(), CloseRequested);
    EXPECT_EQ(t->StageFrame, 2) << "the old Escape press must not have quit the first frame";
}

TEST_F(GameLoopTest, TheStageLabelsAreWrittenWhenTheStageStarts) {
    t->Stage = 2;
    t->HiScores[2] = 4321;
    t.platform.events.OnPump = [&] { t.platform.events.RequestClose(); };
    EXPECT_THROW(RunLoopUntilEnd(), CloseRequested);
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::Stage].Caption, "STAGE 02");
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::HiScore].Caption, "HISCORE 004321");
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::Score].Caption, "SCORE 000000");
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::Bombs].Caption, "BOMB 03");
    for (LabelId top : {LabelId::Stage, LabelId::HiScore, LabelId::Score, LabelId::Bombs}) {
        EXPECT_TRUE(t->Form1.DisplayLabel[top].Visible);
    }
    EXPECT_TRUE(t->Form1.DisplayLabel[LabelId::Power].Visible);
    EXPECT_TRUE(t->Form1.BarVisible);
}

TEST_F(GameLoopTest, TheContactGuardFallsAfterTwentyFrames) {
    ResetGame(*t);
    t->ContactGuard = true;  // as if raised by the enemy step of frame 0
    for (int frame = 1; frame <= 19; ++frame) {
        RunFrame(*t);
        EXPECT_TRUE(t->ContactGuard) << frame;
        EXPECT_EQ(t->ContactGuardFrames, frame);
        t->ContactGuard = true;  // raising it again does not restart the count
    }
    RunFrame(*t);
    EXPECT_FALSE(t->ContactGuard);
    EXPECT_EQ(t->ContactGuardFrames, 0);
    RunFrame(*t);
    EXPECT_EQ(t->ContactGuardFrames, 0) << "the count stays put while the guard is down";
}

TEST_F(GameLoopTest, EachFrameRestoresTheBackgroundAndShowsTheGauge) {
    // Last frame's leftovers: the first enemy's sprite and a star, where the background is not
    // theirs.
    const SpriteRect& cell = t->EnemyTypes[EnemyKind::Dart];
    DrawMasked(*t, 100, 100, cell.SrcX, cell.SrcY, cell.Width, cell.Height);
    SetPixel(t->Form1.Picture2, 300, 300, MakePixel(1, 2, 3));
    NoteDrawn(*t, 300, 300, 1, 1);
    ASSERT_NE(t->Form1.Picture2.Pixels, t->Form1.Def.Pixels);
    t->PlayerEnergy = 50;
    RunFrame(*t);
    for (const auto& [x, y] :
         {std::pair{100, 100}, {100 + cell.Width / 2, 100 + cell.Height / 2}, {300, 300}}) {
        EXPECT_EQ(t->Form1.Picture2.At(x, y), t->Form1.Def.At(x, y)) << x << "," << y;
    }
    const Surface& shown = t.platform.window.LastImage();
    const Pixel energy = shown.At(kBarLeft, kBarTop),
                empty = shown.At(kBarLeft + kBarWidth - 1, kBarTop);
    EXPECT_GT(energy & 0xFF, 2 * (energy >> 16)) << "blue, shaded";
    EXPECT_GT(empty >> 16, 2 * (empty & 0xFF)) << "red, shaded";
    EXPECT_EQ(t->StageFrame, 1);
    // The band is composed again only when it changes, and a refilled gauge is a change.
    RunFrame(*t);
    EXPECT_EQ(shown.At(kBarLeft + kBarWidth - 1, kBarTop), empty);
    t->PlayerEnergy = 100;
    RunFrame(*t);
    EXPECT_EQ(shown.At(kBarLeft + kBarWidth - 1, kBarTop), energy)
        << "the gauge art is the same in every column";
}

// Ends the stage at frame 2; after that, `script` runs at every yield with the milliseconds
// since the end.
void EndStageThen(TestGame& t, std::function<void(uint32_t)> script) {
    auto endedAt = std::make_shared<uint32_t>(0);
    t.platform.events.OnPump = [&t, endedAt, script] {
        if (t->StageFrame == 2 && !t->StageOver) {
            t->StageOver = true;
            *endedAt = t.platform.clock.NowMs();
        }
        if (t->StageOver) {
            script(t.platform.clock.NowMs() - *endedAt);
        }
    };
}

TEST_F(GameLoopTest, TheEndOfStageAddsTheBonusAndGoesBackOnZ) {
    t->Stage = 1;
    t->HiScores = {0, 100, 200, 0, 0, 0, 0, 0, 0};
    t->TotalScore = 300;
    t.platform.events.OnPump = [&] {
        if (t->StageFrame == 4 && !t->StageOver) {
            t->StageOver = true;
            t->Score = 1000;
            t->StageBonus = 20000;
            t.platform.keys.Hold(GameKey::Z, true);
        }
    };
    RunLoopUntilEnd();
    EXPECT_EQ(t->Score, 21000);
    EXPECT_EQ(t->HiScores[1], 21000);
    EXPECT_EQ(t->TotalScore, 21200);
    EXPECT_GE(t.platform.clock.NowMs(), 1000u) << "the result stays up for a second at least";
    // Back on the title: its labels show again, the stage's are hidden.
    EXPECT_TRUE(t->Form1.DisplayLabel[LabelId::TotalScore].Visible);
    EXPECT_FALSE(t->Form1.DisplayLabel[LabelId::Stage].Visible);
    EXPECT_FALSE(t->Form1.BarVisible);
}

TEST_F(GameLoopTest, AZTappedDuringTheEndOfStagePauseIsIgnored) {
    bool tapped = false;
    bool escaped = false;
    EndStageThen(t, [&](uint32_t sinceEnd) {
        if (sinceEnd >= 500 && !tapped) {
            t.platform.keys.Tap(GameKey::Z);
            tapped = true;
        }
        if (sinceEnd >= 3000 && !escaped) {
            t.platform.keys.Tap(GameKey::Escape);
            escaped = true;
        }
    });
    t->Score = 50;
    EXPECT_THROW(RunLoopUntilEnd(), CloseRequested)
        << "the early Z must not have gone to the title";
    EXPECT_TRUE(tapped);
    EXPECT_EQ(t->HiScores[1], 50) << "Escape on the end screen keeps the score";
}

TEST_F(GameLoopTest, ZPressedAfterThePauseGoesBackToTheTitle) {
    bool tapped = false;
    EndStageThen(t, [&](uint32_t sinceEnd) {
        if (sinceEnd >= 1200 && !tapped) {
            t.platform.keys.Tap(GameKey::Z);
            tapped = true;
        }
    });
    RunLoopUntilEnd();
    EXPECT_TRUE(t->StageOver);
    EXPECT_TRUE(t->Form1.DisplayLabel[LabelId::TotalScore].Visible);
}

TEST(TitleScreen, ZStartsAGameAndEscapeQuits) {
    TestGame t;
    Main(*t, 3);
    t.platform.events.OnPump = [&] {
        if (t.platform.clock.NowMs() > 100) {
            t.platform.keys.Tap(GameKey::Z);
        }
    };
    TitleLoop(*t);
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::TotalScore].Caption, "TOTALSCORE  00000000");
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::TitleStage].Caption, "STAGE 01");
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::TitleHiScore].Caption, "HISCORE  00000000");
    t.platform.events.OnPump = [&] { t.platform.keys.Tap(GameKey::Escape); };
    EXPECT_THROW(TitleLoop(*t), CloseRequested);
}

}  // namespace
}  // namespace volley
