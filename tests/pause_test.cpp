#include "shell/pause.h"

#include <gtest/gtest.h>

#include "input/input.h"
#include "shell/game_loop.h"
#include "shell/scenes.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

class Pause : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 31);
        t->Stage = 1;
        StartGame(*t);
        for (int i = 0; i < 30; ++i) {  // some enemies and shots in the air
            RunFrame(*t);
        }
    }
    // A fingerprint of everything that moves.
    uint64_t State() {
        uint64_t h = static_cast<uint64_t>(t->StageFrame);
        for (const Enemy& e : t->Enemies)
            h = h * 31 + e.State + e.X * 7 + e.Y * 13 + e.Age;
        for (const EnemyShot& s : t->EnemyShots)
            h = h * 31 + s.State + s.X * 7 + s.Y * 13;
        for (const PlayerShot& s : t->PlayerShots)
            h = h * 31 + s.State + s.X * 7 + s.Y * 13;
        for (const Star& s : t->Stars)
            h = h * 31 + s.X + s.Y * 7;
        return h * 31 + t->PlayerX + t->PlayerY * 7 + t->ShotTimer + t->BlastDelay;
    }
    testing::TestGame t;
};

TEST_F(Pause, NothingMovesWhilePausedAndPressesDuringItAreForgotten) {
    int pausedPasses = 0;
    t.platform.keys.Tap(GameKey::Pause);
    t.platform.events.OnPump = [&] {
        if (!t->Form1.PauseLabel.Visible) {
            return;  // the frame after the pause
        }
        ++pausedPasses;
        if (pausedPasses == 50) {
            t.platform.keys.Tap(GameKey::Z);
            t.platform.keys.Tap(GameKey::X);
            t.platform.keys.Tap(GameKey::Left);
        }
        if (pausedPasses == 100) {
            t.platform.keys.Tap(GameKey::Pause);
        }
    };
    const int32_t frame = t->StageFrame;
    RunFrame(*t);  // pauses at its start, resumes, then runs the frame
    t.platform.events.OnPump = nullptr;
    EXPECT_GE(pausedPasses, 100);
    EXPECT_FALSE(t->Form1.PauseLabel.Visible);
    EXPECT_EQ(t->StageFrame, frame + 1) << "only the frame after the pause ran";
    EXPECT_EQ(t->Bombs, 3) << "the X pressed during the pause dropped no bomb";
    const auto& calls = t.platform.music.Calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "pause"), calls.end());
    EXPECT_EQ(calls.back(), "resume");
}

TEST_F(Pause, APausedStageHoldsEveryTableAndCounter) {
    const uint64_t before = State();
    const Random rng = t->Rng;
    int passes = 0;
    t.platform.keys.Tap(GameKey::Pause);
    t.platform.events.OnPump = [&] {
        if (++passes == 100) {
            EXPECT_EQ(State(), before);
            t.platform.events.RequestClose();
        }
    };
    EXPECT_THROW(RunFrame(*t), CloseRequested);
    Random after = t->Rng;
    Random expected = rng;
    EXPECT_EQ(after.Next(), expected.Next()) << "no random number was drawn while paused";
}

TEST_F(Pause, LosingTheFocusPausesAndEscapeStillQuits) {
    t.platform.events.LoseFocus();
    int passes = 0;
    t.platform.events.OnPump = [&] {
        if (++passes == 20) {
            EXPECT_TRUE(t->Form1.PauseLabel.Visible);
            t.platform.events.LoseFocus();  // losing it again does not resume
        }
        if (passes == 40) {
            EXPECT_TRUE(t->Form1.PauseLabel.Visible);
            t.platform.keys.Tap(GameKey::Escape);
        }
    };
    EXPECT_THROW(RunFrame(*t), CloseRequested);
    EXPECT_EQ(passes, 40);
}

TEST_F(Pause, TheGamepadsStartButtonPausesOnItsPressNotWhileHeld) {
    t.platform.joysticks.Set(0, JoyReading{32767, 32767, 1u << 6});
    JoyInit(*t);
    int passes = 0;
    t.platform.events.OnPump = [&] {
        ++passes;
        if (passes == 10) {
            t.platform.joysticks.Set(0, JoyReading{});  // released
        }
        if (passes == 20) {
            t.platform.joysticks.Set(0, JoyReading{32767, 32767, 1u << 6});  // pressed again
        }
    };
    RunFrame(*t);
    EXPECT_GE(passes, 20) << "paused on the press, resumed on the next press";
    EXPECT_FALSE(t->Form1.PauseLabel.Visible);
    bool pausedAgain = false;
    t.platform.events.OnPump = [&] { pausedAgain |= t->Form1.PauseLabel.Visible; };
    RunFrame(*t);  // Start still held: no new pause
    EXPECT_FALSE(pausedAgain);
}

TEST(PauseOutsideAStage, RequestsMadeBeforeAStageDoNotPauseIt) {
    testing::TestGame t;
    Main(*t, 31);
    // On the title: P tapped, the focus lost and given back, Start held down.
    t.platform.keys.Tap(GameKey::Pause);
    t.platform.events.LoseFocus();
    t.platform.joysticks.Set(0, JoyReading{32767, 32767, 1u << 6});
    JoyInit(*t);
    t->Joy = ReadJoystick(*t);
    StartGame(*t);
    bool paused = false;
    int passes = 0;
    t.platform.events.OnPump = [&] {
        paused |= t->Form1.PauseLabel.Visible;
        if (++passes == 200) {
            t.platform.keys.Tap(GameKey::Escape);
        }
    };
    EXPECT_THROW(GameLoop(*t), CloseRequested);
    EXPECT_FALSE(paused);
    EXPECT_GT(t->StageFrame, 5);
}

}  // namespace
}  // namespace volley
