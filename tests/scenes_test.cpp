// The scenes: the title, quitting, a stage's end, high scores, the pause, music, many games.
#include "shell/scenes.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <tuple>
#include <utility>

#include "audio/music.h"
#include "display/layout.h"
#include "input/input.h"
#include "replay/game_snapshot.h"
#include "shell/game_loop.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "support.h"

namespace volley {
namespace {

using std::tuple;

class Shell : public ::testing::Test {
  protected:
    void SetUp() override { Main(*t, 5); }
    // `script` runs at every yield with the number of the yield and the milliseconds since the
    // stage ended (0 before), which it does at frame `endAt` unless that is 0.
    void OnPump(std::function<void(int, uint32_t)> script, int32_t endAt = 0) {
        auto endedAt = std::make_shared<uint32_t>(0);
        auto passes = std::make_shared<int>(0);
        t.platform.events.OnPump = [this, endAt, endedAt, passes, script] {
            if (endAt > 0 && t->StageFrame == endAt && !t->StageOver) {
                t->StageOver = true;
                *endedAt = t.platform.clock.NowMs();
            }
            script(++*passes, t->StageOver ? t.platform.clock.NowMs() - *endedAt : 0);
        };
    }
    // Runs the title screen; `script` runs at every yield with the milliseconds since it began.
    void RunTitle(std::function<void(uint32_t)> script) {
        const uint32_t start = t.platform.clock.NowMs();
        OnPump([this, start, script](int, uint32_t) { script(t.platform.clock.NowMs() - start); });
        TitleLoop(*t);
    }
    bool Visible(LabelId id) { return t->Form1.DisplayLabel[id].Visible; }
    const std::string& Caption(LabelId id) { return t->Form1.DisplayLabel[id].Caption; }
    bool Paused() { return t->Form1.PauseLabel.Visible; }
    // Stage 1 with some enemies and shots in the air.
    void InFlight() {
        t->Stage = 1;
        StartGame(*t);
        for (int i = 0; i < 30; ++i) {
            RunFrame(*t);
        }
    }
    testing::TestGame t;
};

TEST_F(Shell, TheTitleChoosesAmongTheUnlockedStagesOncePerPass) {
    const struct {
        int16_t maxStage, stage;
        uint32_t leftFrom, leftTo, rightFrom, rightTo;
        int16_t lowest, highest;
        bool arrows;
    } cases[] = {
        {1, 1, 1100, 1500, 1500, 1900, 1, 1, false},  // both arrows do nothing
        {3, 3, 1400, 1420, 1000, 1300, 2, 2, true},   // no step past the last unlocked
        {8, 1, 0, 0, 1000, 1460, 4, 5, true}};        // passes every 151 ms or more: 3 or 4 steps
    for (const auto& c : cases) {
        t->MaxStage = c.maxStage;
        t->Stage = c.stage;
        bool rightArrowAtTheEnd = false;
        RunTitle([&](uint32_t ms) {
            if (ms > c.leftFrom && ms < c.leftTo) {
                t.platform.keys.Tap(GameKey::Left);
            }
            t.platform.keys.Hold(GameKey::Right, ms > c.rightFrom && ms < c.rightTo);
            rightArrowAtTheEnd |= t->Stage == c.maxStage && t->Form1.StageArrows[1].Visible;
            if (ms > 2000) {
                t.platform.keys.Tap(GameKey::Z);
            }
        });
        EXPECT_TRUE(t->Stage >= c.lowest && t->Stage <= c.highest) << t->Stage;
        EXPECT_FALSE(rightArrowAtTheEnd) << "no arrow to the right at the last unlocked stage";
        EXPECT_EQ(tuple(t->Form1.StageArrows[0].Visible, t->Form1.StageArrows[1].Visible),
                  tuple(c.arrows, c.arrows));
        EXPECT_EQ(Caption(LabelId::TitleStage), "STAGE 0" + std::to_string(t->Stage));
    }
}

TEST_F(Shell, TheTitleForgetsAnEarlierZTakesOneInItsFirstSecondAndQuitsOnEscape) {
    for (uint32_t tapAt : {3000u, 500u}) {
        t.platform.keys.Tap(GameKey::Z);  // before the title: forgotten
        uint32_t startedAt = 0;
        RunTitle([&](uint32_t ms) {
            if (ms > tapAt && startedAt <= tapAt) {
                t.platform.keys.Tap(GameKey::Z);
            }
            startedAt = ms;
        });
        EXPECT_GT(startedAt, tapAt);
        EXPECT_LT(startedAt, std::max(tapAt, 1000u) + 300) << "started at the first pass after";
    }
    EXPECT_EQ(tuple(Caption(LabelId::TotalScore), Caption(LabelId::TitleStage),
                    Caption(LabelId::TitleHiScore), t->Form1.BarVisible),
              tuple("TOTALSCORE  00000000", "STAGE 01", "HISCORE  00000000", false));
    EXPECT_THROW(RunTitle([&](uint32_t ms) {
                     if (ms > 1200) {
                         t.platform.keys.Tap(GameKey::Escape);
                     }
                 }),
                 CloseRequested);
}

TEST_F(Shell, QuittingEndsTheStageAtTheNextFrameWithoutTouchingTheHighScores) {
    const struct {
        bool escapeBefore, escape;
        int32_t at;
    } cases[] = {{false, true, 3}, {true, true, 2}, {false, false, 10}};  // a close stays asked
    for (const auto& c : cases) {
        t->HiScores[1] = t->TotalScore = 10;
        t->Stage = 1;
        StartGame(*t);
        t.platform.keys.Hold(GameKey::Z, true);
        if (c.escapeBefore) {
            t.platform.keys.Tap(GameKey::Escape);  // flushed when the stage starts
        }
        OnPump([&](int, uint32_t) {
            if (t->StageFrame == c.at) {
                t->Score = 500;
                c.escape ? t.platform.keys.Tap(GameKey::Escape) : t.platform.events.RequestClose();
            }
        });
        EXPECT_THROW(GameLoop(*t), CloseRequested);
        EXPECT_EQ(tuple(t->StageFrame, t->HiScores[1], t->TotalScore), tuple(c.at, 10, 10));
        EXPECT_TRUE(c.at < 8 || t->PlayerShots[0].State == 1) << "the held Z fired a volley";
    }
}

TEST_F(Shell, TheStageStartsWithItsLabelsAndEndsWithTheBonusAddedAfterASecond) {
    t->Stage = 2;
    t->HiScores = {0, 100, 4321, 0, 0, 0, 0, 0, 0};
    t->TotalScore = 4421;
    uint32_t last = 0;
    bool ended = false;
    const std::vector<Pixel> background = t->Form1.Def.Pixels;
    StartGame(*t);
    OnPump(
        [&](int pass, uint32_t sinceEnd) {
            if (pass == 1) {
                EXPECT_EQ(tuple(Caption(LabelId::Stage), Caption(LabelId::HiScore),
                                Caption(LabelId::Score), Caption(LabelId::Bombs)),
                          tuple("STAGE 02", "HISCORE 004321", "SCORE 000000", "BOMB 03"));
                EXPECT_TRUE(Visible(LabelId::Stage) && Visible(LabelId::HiScore) &&
                            Visible(LabelId::Score) && Visible(LabelId::Bombs) &&
                            Visible(LabelId::Power) && t->Form1.BarVisible);
            }
            if (t->StageOver && !std::exchange(ended, true)) {
                t->Score = 1000;
                t->StageBonus = 20000;
            }
            // A Z in the result's first second is ignored; one after it goes back to the title.
            if ((sinceEnd >= 500 && last < 500) || (sinceEnd >= 1200 && last < 1200)) {
                t.platform.keys.Tap(GameKey::Z);
            }
            last = sinceEnd;
        },
        4);
    GameLoop(*t);
    EXPECT_GE(last, 1200u) << "the early Z did not end the result";
    EXPECT_EQ(tuple(t->Score, t->HiScores[2], t->TotalScore), tuple(21000, 21000, 21100));
    EXPECT_EQ(tuple(Visible(LabelId::TotalScore), Visible(LabelId::Stage), t->Form1.BarVisible,
                    t->Form1.Picture2.Pixels == background),
              tuple(true, false, false, true))
        << "back on the title, over the background";
    // Escape on the result screen keeps the score.
    t->Stage = 1;
    StartGame(*t);
    OnPump(
        [&](int, uint32_t sinceEnd) {
            t->Score = 500;
            if (sinceEnd >= 3000) {
                t.platform.keys.Tap(GameKey::Escape);
            }
        },
        2);
    EXPECT_THROW(GameLoop(*t), CloseRequested);
    EXPECT_EQ(tuple(t->HiScores[1], t->TotalScore), tuple(500, 21500));
}

TEST(HighScore, OnlyABetterScoreIsKeptAndTheTotalStopsAtThirtyTwoBits) {
    const struct {
        std::array<int32_t, 9> before;
        int32_t total;
        int16_t stage;
        int32_t score, wantHigh, wantTotal;
    } cases[] = {
        {{0, 100, 200}, 777, 2, 200, 200, 777},  // the stored total stays unless a score is beaten
        {{0, 100, 200}, 777, 2, 5000, 5000, 5100},
        {{INT32_MAX - 1000}, 0, 3, 1000, 1000, INT32_MAX},  // just fits
        {{INT32_MAX - 1000}, 0, 3, 1001, 1001, INT32_MAX},  // would wrap
        {{INT32_MIN, -1, -1, -10, -1, -1, -1, -1, -1}, 0, 3, -5, -5, INT32_MIN}};
    testing::TestGame t;
    for (const auto& c : cases) {
        t->HiScores = c.before;
        t->TotalScore = c.total;
        t->Stage = c.stage;
        t->Score = c.score;
        UpdateHiScore(*t);
        EXPECT_EQ(tuple(t->HiScores[c.stage], t->TotalScore), tuple(c.wantHigh, c.wantTotal));
    }
}

TEST_F(Shell, NothingMovesWhilePausedAndPressesDuringItAreForgotten) {
    InFlight();
    uint64_t paused = 0;
    int pausedPasses = 0;
    t.platform.keys.Tap(GameKey::Pause);
    OnPump([&](int, uint32_t) {
        if (!Paused()) {
            return;  // the frame after the pause
        }
        if (++pausedPasses == 1) {
            paused = GameStateHash(*t);
        }
        if (pausedPasses == 50) {
            for (GameKey key : {GameKey::Z, GameKey::X, GameKey::Left}) {
                t.platform.keys.Tap(key);
            }
        }
        if (pausedPasses == 100) {
            EXPECT_EQ(GameStateHash(*t), paused) << "nothing moved, no number was drawn";
            t.platform.keys.Tap(GameKey::Pause);
        }
    });
    const int32_t frame = t->StageFrame;
    RunFrame(*t);  // pauses at its start, resumes, then runs the frame
    EXPECT_GE(pausedPasses, 100);
    EXPECT_EQ(tuple(Paused(), t->StageFrame, t->Bombs), tuple(false, frame + 1, 3))
        << "only the frame after the pause ran, and the X pressed in it dropped no bomb";
    const auto& calls = t.platform.music.Calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "pause"), calls.end());
    EXPECT_EQ(calls.back(), "resume");
}

TEST_F(Shell, TheGamepadsStartButtonPausesOnItsPressNotWhileHeld) {
    InFlight();
    const JoyReading start{32767, 32767, 1u << 6};
    t.platform.joysticks.Set(0, start);
    JoyInit(*t);
    int passes = 0;
    OnPump([&](int pass, uint32_t) {
        passes = pass;
        t.platform.joysticks.Set(0, pass >= 10 && pass < 20 ? JoyReading{} : start);
    });
    RunFrame(*t);
    EXPECT_GE(passes, 20) << "paused on the press, resumed on the next press";
    EXPECT_FALSE(Paused());
    bool pausedAgain = false;
    OnPump([&](int, uint32_t) { pausedAgain |= Paused(); });
    RunFrame(*t);  // Start still held: no new pause
    EXPECT_FALSE(pausedAgain);
}

TEST_F(Shell, RequestsMadeBeforeAStageDoNotPauseItButLosingTheFocusInItDoes) {
    t.platform.keys.Tap(GameKey::Pause);
    t.platform.events.LoseFocus();
    t.platform.joysticks.Set(0, JoyReading{32767, 32767, 1u << 6});
    JoyInit(*t);
    t->Joy = ReadJoystick(*t);
    std::string paused;  // at passes 199, 220 and 240
    StartGame(*t);
    OnPump([&](int pass, uint32_t) {
        if (pass == 199 || pass == 220 || pass == 240) {
            paused += Paused() ? 'P' : '-';
        }
        if (pass == 200 || pass == 220) {
            t.platform.events.LoseFocus();  // losing it again does not resume
        }
        if (pass == 240) {
            t.platform.keys.Tap(GameKey::Escape);  // and Escape still quits
        }
    });
    EXPECT_THROW(GameLoop(*t), CloseRequested);
    EXPECT_EQ(paused, "-PP");
    EXPECT_GT(t->StageFrame, 5);
}

TEST_F(Shell, MusicFollowsTheTitleTheStageAndTheBossFromTheGamesOwnFolder) {
    t->MaxStage = t->Stage = 2;
    OnPump([&](int, uint32_t) {
        if (t->StageFrame == 1) {
            t->StageFrame = 6195;  // skip ahead to just before the boss
        }
        t->StageOver |= t->StageFrame == 6201;  // right after the boss came in
        t.platform.keys.Tap(GameKey::Z);
        if (t->StageFrame >= 6201 && Visible(LabelId::TotalScore)) {
            t.platform.events.RequestClose();
        }
    });
    EXPECT_EQ(RunScenes(*t), 0);
    std::string loads;
    for (const std::string& call : t.platform.music.Calls) {
        const size_t name = call.rfind('/') + 1;
        loads +=
            call.rfind("load ", 0) == 0 ? call.substr(name, call.find(".mid") - name) + " " : "";
    }
    EXPECT_EQ(loads.substr(0, 21), "Main Stage2 boss Main");
    EXPECT_EQ(t.platform.music.Calls.back(), "close");

    // Never from the folder the game was started in.
    testing::TempDir program, startedFrom;
    std::filesystem::create_directory(startedFrom.Path() / "Music");
    std::ofstream(startedFrom.Path() / "Music" / "boss.mid") << "MThd";
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(startedFrom.Path());
    testing::TestGame elsewhere(program.Path().string());
    const std::string path = MusicPath(*elsewhere, "boss");
    std::filesystem::current_path(before);
    EXPECT_EQ(path, (program.Path() / "Music" / "boss.mid").string());
}

}  // namespace
}  // namespace volley
