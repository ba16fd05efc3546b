// The stages: spawns, each stage's timeline as its table gives it, a stage's end, the labels.
#include "stages/stage_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <tuple>
#include <vector>

#include "display/labels.h"
#include "shell/reset.h"
#include "shell/startup.h"
#include "stages/spawn.h"
#include "stages/stage_end.h"
#include "support.h"

namespace volley {
namespace {

using std::tuple;
// One enemy as it entered the table: kind, x, y.
using Placed = tuple<int, int, int>;

class StageScript : public ::testing::Test {
  protected:
    void SetUp() override {
        Main(*t, 3);
        ResetGame(*t);
        t->BlastDelay = t->WreckDelay = t->WreckFrame = 0;
    }
    Enemy& Exploding(int slot, EnemyKind kind, int32_t score) {
        Enemy& e = testing::PlaceEnemy(*t, slot, kind, 100, 100);
        e.State = 2;
        e.Score = score;
        return e;
    }
    const std::string& Caption(LabelId id) { return t->Form1.DisplayLabel[id].Caption; }
    void ClearTable() { t->Enemies.fill(Enemy{}); }
    std::vector<Placed> TakeAll() {
        std::vector<Placed> placed;
        for (Enemy& e : t->Enemies) {
            if (e.State != 0) {
                placed.emplace_back(RowOf(e.Kind), e.X, e.Y);
            }
        }
        ClearTable();
        return placed;
    }
    // Runs one step at `frame` on an empty table and hands back what entered, in slot order.
    std::vector<Placed> StepAt(int32_t frame) {
        ClearTable();
        t->StageFrame = frame;
        RunStageScript(*t);
        return TakeAll();
    }
    // What a spawn of `kind` at the middle column puts in an empty table.
    std::vector<Placed> Spawned(int kind) {
        ClearTable();
        SpawnEnemy(*t, static_cast<EnemyKind>(kind), 4, 0);
        return TakeAll();
    }
    testing::TestGame t;
};

TEST_F(StageScript, ASpawnIsCentredOnItsColumnRoundingDownInTheLowestFreeSlot) {
    // Centred on its column, rounding down: 56.375 - 64 = -7.625 gives -8.
    t->EnemyTypes[EnemyKind::Stage1Boss] = SpriteRect{0, 0, 128, 96};
    SpawnEnemy(*t, EnemyKind::Stage1Boss, 1, 0);
    EXPECT_EQ(TakeAll(), (std::vector<Placed>{{21, -8, 0}}));
    t->Enemies[0].State = 1;
    t->Enemies[2].State = 2;
    SpawnEnemy(*t, EnemyKind::TwinHull, 4, t->ScreenHeight);
    const Enemy& e = t->Enemies[1];
    EXPECT_EQ(tuple(e.State, e.Kind, e.Y, e.HP, e.VX, e.VY, e.ContactDamage, e.Score),
              tuple(1, EnemyKind::TwinHull, t->ScreenHeight, 20, 0, 6, 5, 1000));
    for (Enemy& slot : t->Enemies) {
        slot.State = 1;
    }
    SpawnEnemy(*t, EnemyKind::Dart, 4, 0);  // a full table: nothing happens
    EXPECT_EQ(t->Enemies[100].Kind, EnemyKind::PowerItem);
}

// What each stage's table asks for before its boss, where and in which order (a fingerprint of
// every spawn's frame, kind and place), and the boss's entrance.
TEST_F(StageScript, EveryStageAsksForItsWholeTableThenBringsItsBoss) {
    const struct {
        int16_t stage;
        int32_t bossFrame;
        int bossKind, frames, enemies, power, bombs, energy;
        uint64_t placed;
    } stages[] = {{1, 6200, 21, 183, 434, 5, 1, 4, 718149427094610448u},
                  {2, 6200, 23, 149, 414, 6, 1, 6, 17406893299809767716u},
                  {3, 6550, 25, 153, 346, 4, 1, 4, 565280907352696408u},
                  {4, 6300, 26, 115, 284, 6, 1, 7, 14871155439022343374u},
                  {5, 6300, 27, 120, 330, 7, 2, 7, 152910873667474797u},
                  {6, 200, 28, 1, 0, 3, 0, 0, 9155769672451837194u},
                  {7, 1750, 22, 29, 108, 5, 1, 5, 9671368557553032868u},
                  {8, 200, 31, 2, 0, 4, 0, 0, 6791879280564188228u}};
    for (const auto& s : stages) {
        SCOPED_TRACE(::testing::Message() << "stage " << s.stage);
        t->Stage = s.stage;
        t->ScriptToggle = 0;
        t->BossKind = kNoBossYet;
        std::array<int, 101> byKind{};
        int frames = 0;
        uint64_t fingerprint = 0;
        for (int32_t frame = 0; frame < s.bossFrame; ++frame) {
            const std::vector<Placed> placed = StepAt(frame);
            for (const auto& [kind, x, y] : placed) {
                ++byKind[kind];
                const bool rises = kind == 10 || kind == 17;
                ASSERT_EQ(y, rises ? t->ScreenHeight : 0) << "frame " << frame << " kind " << kind;
                fingerprint = (fingerprint ^ static_cast<uint64_t>(frame * 8191 + kind * 512 + x)) *
                              1099511628211u;
            }
            frames += placed.empty() ? 0 : 1;
        }
        const int enemies = std::accumulate(byKind.begin() + 3, byKind.end(), 0);
        EXPECT_EQ(tuple(frames, enemies, byKind[0], byKind[1], byKind[2], fingerprint),
                  tuple(s.frames, s.enemies, s.power, s.bombs, s.energy, s.placed));
        EXPECT_EQ(t->BossKind, kNoBossYet) << "the boss must not come before its frame";
        EXPECT_EQ(StepAt(s.bossFrame), Spawned(s.bossKind));
        EXPECT_EQ(RowOf(t->BossKind), s.bossKind);
    }
    for (int16_t stage : {0, 9, -1}) {
        t->Stage = stage;
        for (int32_t frame = 0; frame <= 7000; ++frame) {
            ASSERT_TRUE(StepAt(frame).empty()) << stage << " at " << frame;
        }
    }
}

TEST_F(StageScript, AnExplosionLastsTwentyOneFramesAndPaysAtItsFirstAdvance) {
    Enemy& e = Exploding(5, EnemyKind::Dart, 100);
    t->LabelDirty.fill(false);
    std::vector<int32_t> score;
    while (e.State == 2) {
        UpdateBlasts(*t);
        score.push_back(t->Score);
    }
    EXPECT_EQ(score.size(), 21u);
    EXPECT_EQ(tuple(score[1], score[2], t->Score), tuple(0, 100, 100)) << "paid in the 3rd frame";
    EXPECT_TRUE(t->LabelDirty[LabelId::Score]);
    EXPECT_EQ(tuple(e.Y, e.BlastFrame), tuple(100 + 4 * 21, 0));

    // One cut off by the end of a stage leaves nothing to the next game, which starts at the
    // lowest power.
    Exploding(0, EnemyKind::Dart, 100).BlastFrame = 4;
    t->PowerLevel = 4;
    ResetGame(*t);
    EXPECT_EQ(tuple(t->Enemies[0].State, t->Enemies[0].BlastFrame, t->PowerLevel), tuple(0, 0, 1));
}

TEST_F(StageScript, TheBossClearsTheStageWithItsBonusAndUnlocksTheNext) {
    const struct {
        int16_t stage, maxStage, energy, maxAfter;
        int32_t bonus;
        const char* bonusText;
    } cases[] = {{1, 1, 100, 2, 20000, "BORNAS +20000"}, {3, 3, 0, 4, 0, "BORNAS +00000"},
                 {3, 5, 55, 5, 5500, "BORNAS +05500"},   {8, 8, 1, 8, 100, "BORNAS +00100"},
                 {2, 2, -40, 3, 0, "BORNAS +00000"},     {7, 7, 99, 8, 9900, "BORNAS +09900"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "stage " << c.stage << " energy " << c.energy);
        ResetGame(*t);
        t->Stage = c.stage;
        t->MaxStage = c.maxStage;
        t->PlayerEnergy = c.energy;
        t->BossKind = EnemyKind::Stage1Boss;
        t->BlastDelay = 2;
        Exploding(0, EnemyKind::Stage1Boss, 10000).BlastFrame = 6;
        UpdateBlasts(*t);
        EXPECT_EQ(tuple(t->StageOver, t->LastResult, t->MaxStage, t->StageBonus),
                  tuple(true, StageResult::Clear, c.maxAfter, c.bonus));
        RefreshLabels(*t);
        EXPECT_EQ(Caption(LabelId::Result), "STAGE 0" + std::to_string(c.stage) + " CLEAR");
        EXPECT_EQ(Caption(LabelId::Bonus), c.bonusText);
        EXPECT_TRUE(t->Form1.DisplayLabel[LabelId::Bonus].Visible);
    }
}

TEST_F(StageScript, TheWreckFallsForTwentyOneFramesThenTheGameIsOver) {
    t->PlayerDown = true;
    t->PlayerY = 200;
    t->Score = 1234567;
    int frames = 0;
    for (; !t->StageOver; ++frames) {
        UpdateWreck(*t);
    }
    EXPECT_EQ(tuple(frames, t->PlayerY, t->WreckFrame, t->LastResult),
              tuple(21, 284, 0, StageResult::GameOver));
    RefreshLabels(*t);
    EXPECT_EQ(tuple(Caption(LabelId::Result), Caption(LabelId::ResultScore)),
              tuple("GAMEOVER", "SCORE 1234567"));
    EXPECT_FALSE(t->Form1.DisplayLabel[LabelId::Bonus].Visible) << "no bonus after a game over";
    UpdateWreck(*t);
    EXPECT_EQ(t->PlayerY, 284) << "nothing more once the stage is over";
}

TEST(Labels, NumbersArePaddedButNeverCutAndASmallBufferGetsWhatFits) {
    const struct {
        const char* prefix;
        int32_t value;
        int digits;
        const char* shown;
    } cases[] = {{"BORNAS +", -300, 5, "BORNAS +-00300"}, {"", INT32_MIN, 2, "-2147483648"}};
    for (const auto& c : cases) {
        std::array<char, 48> out{};
        EXPECT_EQ(std::string(out.data(), FormatPadded(out, c.prefix, c.value, c.digits)), c.shown);
    }
    std::array<char, 6> small{};
    EXPECT_EQ(std::string(small.data(), FormatPadded(small, "SCORE ", 12, 6)), "SCORE");
}

TEST_F(StageScript, OnlyTheFlaggedLabelsAreRewrittenThenEveryFlagIsLowered) {
    t->Stage = 3;
    t->HiScores[3] = 77;
    t->Score = 123;
    t->Bombs = 12;
    t->TotalScore = 99999999;
    t->StageBonus = 5500;
    t->LabelDirty.fill(true);
    SetCaption(t->Form1.DisplayLabel[LabelId::Result], "GAMEOVER");
    RefreshLabels(*t);
    using L = LabelId;
    std::string shown;
    for (LabelId id :
         {L::Stage, L::HiScore, L::Score, L::Bombs, L::TotalScore, L::Title, L::TitleStage,
          L::TitleHiScore, L::Result, L::ResultScore, L::Bonus, L::Power}) {
        shown += Caption(id) + "|";
    }
    EXPECT_EQ(shown,
              "STAGE 03|HISCORE 000077|SCORE 000123|BOMB 12|TOTALSCORE  99999999|みるてぃあ|"
              "STAGE 03|HISCORE  00000077|GAMEOVER|SCORE 000123|BORNAS +05500|POWER|");
    EXPECT_TRUE(t->Form1.DisplayLabel[L::Result].Visible &&
                t->Form1.DisplayLabel[L::ResultScore].Visible &&
                t->Form1.DisplayLabel[L::Bonus].Visible);
    EXPECT_EQ(std::count(t->LabelDirty.begin(), t->LabelDirty.end(), true), 0);
    t->Score = 5;
    t->Bombs = 0;
    t->LabelDirty[L::Score] = true;
    RefreshLabels(*t);
    EXPECT_EQ(tuple(Caption(L::Score), Caption(L::Bombs)), tuple("SCORE 000005", "BOMB 12"))
        << "an unflagged label keeps its text";
    t->LabelDirty[L::Bombs] = true;
    RefreshLabels(*t);
    EXPECT_EQ(Caption(L::Bombs), "BOMB 00");
}

}  // namespace
}  // namespace volley
