#include "shell/scenes.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <climits>
#include <filesystem>
#include <fstream>

#include "audio/music.h"
#include "shell/game_loop.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

class Title : public ::testing::Test {
  protected:
    void SetUp() override { Main(*t, 23); }
    // Runs the title screen; `script` runs at every yield with the milliseconds since it began.
    void RunTitle(std::function<void(uint32_t)> script) {
        const uint32_t start = t.platform.clock.NowMs();
        t.platform.events.OnPump = [&, script] { script(t.platform.clock.NowMs() - start); };
        TitleLoop(*t);
    }
    testing::TestGame t;
};

TEST_F(Title, WithOneStageBothArrowsAreHiddenAndTheArrowsDoNothing) {
    t->MaxStage = 1;
    RunTitle([&](uint32_t ms) {
        t.platform.keys.Hold(GameKey::Left, ms > 1100 && ms < 1500);
        t.platform.keys.Hold(GameKey::Right, ms > 1500 && ms < 1900);
        if (ms > 2000)
            t.platform.keys.Tap(GameKey::Z);
    });
    EXPECT_EQ(t->Stage, 1);
    EXPECT_FALSE(t->Form1.StageArrows[0].Visible);
    EXPECT_FALSE(t->Form1.StageArrows[1].Visible);
}

TEST_F(Title, TheChoiceStaysBetweenOneAndTheHighestUnlockedStage) {
    t->MaxStage = 3;
    t->Stage = 3;
    bool sawRightArrow = true;
    RunTitle([&](uint32_t ms) {
        t.platform.keys.Hold(GameKey::Right, ms > 1000 && ms < 1300);
        if (ms > 1100 && ms < 1300)
            sawRightArrow &= t->Form1.StageArrows[1].Visible;
        if (ms > 1400 && ms < 1420)
            t.platform.keys.Tap(GameKey::Left);
        if (ms > 1700)
            t.platform.keys.Tap(GameKey::Z);
    });
    EXPECT_FALSE(sawRightArrow) << "no arrow to the right at the last unlocked stage";
    EXPECT_EQ(t->Stage, 2);
    EXPECT_TRUE(t->Form1.StageArrows[0].Visible);
    EXPECT_TRUE(t->Form1.StageArrows[1].Visible);
    EXPECT_EQ(t->Form1.DisplayLabel[LabelId::TitleStage].Caption, "STAGE 02");
}

TEST_F(Title, HoldingAnArrowStepsOncePerPass) {
    t->MaxStage = 8;
    t->Stage = 1;
    RunTitle([&](uint32_t ms) {
        t.platform.keys.Hold(GameKey::Right, ms >= 1000 && ms < 1460);
        if (ms > 2000)
            t.platform.keys.Tap(GameKey::Z);
    });
    // Passes come every 151 ms or more from the end of the pause: 3 or 4 in 460 ms.
    EXPECT_GE(t->Stage, 4);
    EXPECT_LE(t->Stage, 5);
}

TEST_F(Title, AZPressedBeforeTheTitleIsForgottenButOneInItsFirstSecondCounts) {
    t.platform.keys.Tap(GameKey::Z);
    bool started = false;
    uint32_t startedAt = 0;
    RunTitle([&](uint32_t ms) {
        if (ms > 3000 && !started) {
            started = true;
            t.platform.keys.Tap(GameKey::Z);
        }
        startedAt = ms;
    });
    EXPECT_GT(startedAt, 3000u) << "the early press did not start the game";

    bool tapped = false;
    RunTitle([&](uint32_t ms) {
        if (ms > 500 && !tapped) {
            tapped = true;
            t.platform.keys.Tap(GameKey::Z);
        }
        startedAt = ms;
    });
    EXPECT_LT(startedAt, 1300u) << "a press during the pause starts the game at the first pass";
}

TEST_F(Title, EscapeQuitsFromTheTitle) {
    EXPECT_THROW(RunTitle([&](uint32_t ms) {
                     if (ms > 1200)
                         t.platform.keys.Tap(GameKey::Escape);
                 }),
                 CloseRequested);
}

TEST(HighScore, OnlyABetterScoreIsKept) {
    testing::TestGame t;
    Main(*t, 1);
    t->HiScores = {0, 100, 200, 0, 0, 0, 0, 0, 0};
    t->TotalScore = 777;  // as stored: not recomputed unless a score is beaten
    t->Stage = 2;
    t->Score = 200;
    UpdateHiScore(*t);
    EXPECT_EQ(t->HiScores[2], 200);
    EXPECT_EQ(t->TotalScore, 777);
    t->Score = 5000;
    UpdateHiScore(*t);
    EXPECT_EQ(t->HiScores[2], 5000);
    EXPECT_EQ(t->TotalScore, 5100);
}

TEST(HighScore, TheTotalOfADamagedTableStopsAtTheLimitsOfItsThirtyTwoBits) {
    testing::TestGame t;
    t->Stage = 3;
    t->Score = 1000;
    // A sum that just fits is exact.
    t->HiScores = {INT32_MAX - 1000, 0, 0, 0, 0, 0, 0, 0, 0};
    UpdateHiScore(*t);
    EXPECT_EQ(t->TotalScore, INT32_MAX);
    // One more and it would wrap round to a negative total.
    t->Score = 1001;
    UpdateHiScore(*t);
    EXPECT_EQ(t->HiScores[3], 1001);
    EXPECT_EQ(t->TotalScore, INT32_MAX);
    t->HiScores = {INT32_MAX, 0, 0, 0, 0, 0, 0, 0, INT32_MAX};
    t->Score = 5;
    UpdateHiScore(*t);
    EXPECT_EQ(t->TotalScore, INT32_MAX);
    // Damaged negative scores stop at the other end.
    t->HiScores = {INT32_MIN, -1, -1, -10, -1, -1, -1, -1, -1};
    t->Score = -5;
    UpdateHiScore(*t);
    EXPECT_EQ(t->HiScores[3], -5);
    EXPECT_EQ(t->TotalScore, INT32_MIN);
}

// Plays games one after another through the whole scene loop: each stage ends at once and the
// player goes straight back and starts the next. Stops after `games` games.
struct SceneRun {
    explicit SceneRun(int games) {
        Main(*t, 5);
        t->MaxStage = 2;
        t->Stage = 2;
        t.platform.events.OnPump = [this, games] { Script(games); };
    }
    void Script(int games) {
        if (t->StageFrame == 3 && !t->StageOver) {
            t->StageOver = true;
            ++played;
            t->Score = played;
            if (played == 10) {
                stackAtTen = __builtin_frame_address(0);
                heapAtTen = mallinfo2().uordblks;
            }
        }
        if (played >= games && t->StageOver) {
            stackAtEnd = __builtin_frame_address(0);
            heapAtEnd = mallinfo2().uordblks;
            t.platform.events.RequestClose();
        }
        t.platform.keys.Tap(GameKey::Z);
        if (t.platform.music.Calls.size() > 64) {
            t.platform.music.Calls.erase(t.platform.music.Calls.begin(),
                                         t.platform.music.Calls.end() - 16);
        }
    }
    testing::TestGame t;
    int played = 0;
    void* stackAtTen = nullptr;
    void* stackAtEnd = nullptr;
    size_t heapAtTen = 0;
    size_t heapAtEnd = 0;
};

TEST(Scenes, AThousandGamesInARowNeitherDeepenTheStackNorGrowTheHeap) {
    SceneRun run(1000);
    EXPECT_EQ(RunScenes(*run.t), 0);
    EXPECT_EQ(run.played, 1000);
    EXPECT_EQ(run.stackAtTen, run.stackAtEnd);
    EXPECT_LE(run.heapAtEnd, run.heapAtTen + 4096);
    // The last game's score never reaches the high scores: the window closed on its result screen.
    EXPECT_EQ(run.t->HiScores[2], 999);
}

TEST(Scenes, MusicFollowsTheTitleTheStageAndTheBoss) {
    testing::TestGame t;
    Main(*t, 5);
    t->MaxStage = 2;
    t->Stage = 2;
    bool ended = false;
    t.platform.events.OnPump = [&] {
        if (t->StageFrame == 1) {
            t->StageFrame = 6195;  // skip ahead to just before the boss
        }
        if (t->StageFrame == 6201 && !t->StageOver) {
            t->StageOver = true;  // right after the boss came in
            ended = true;
        }
        t.platform.keys.Tap(GameKey::Z);
        if (ended && t->Form1.DisplayLabel[LabelId::TotalScore].Visible) {
            t.platform.events.RequestClose();
        }
    };
    t->PlayerEnergy = 100;
    EXPECT_EQ(RunScenes(*t), 0);
    std::vector<std::string> loads;
    for (const std::string& call : t.platform.music.Calls) {
        if (call.rfind("load ", 0) == 0) {
            loads.push_back(
                call.substr(call.rfind('/') + 1, call.find(".mid") - call.rfind('/') - 1));
        }
    }
    ASSERT_GE(loads.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(loads.begin(), loads.begin() + 4),
              (std::vector<std::string>{"Main", "Stage2", "boss", "Main"}));
    EXPECT_EQ(t.platform.music.Calls.back(), "close");
}

TEST(Scenes, MusicIsOnlyLookedForAmongTheGamesFiles) {
    testing::TempDir program;
    testing::TempDir startedFrom;
    std::filesystem::create_directory(startedFrom.Path() / "Music");
    std::ofstream(startedFrom.Path() / "Music" / "boss.mid") << "MThd";
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(startedFrom.Path());
    testing::TestGame t(program.Path().string());
    const std::string path = MusicPath(*t, "boss");
    std::filesystem::current_path(before);
    EXPECT_EQ(path, (program.Path() / "Music" / "boss.mid").string());
}

}  // namespace
}  // namespace volley
