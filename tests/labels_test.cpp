#include "display/labels.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

std::string Format(const char* prefix, int32_t value, int digits) {
    std::array<char, 48> out{};
    size_t n = FormatPadded(out, prefix, value, digits);
    return std::string(out.data(), n);
}

TEST(FormatPaddedTest, PadsButNeverCuts) {
    EXPECT_EQ(Format("STAGE ", 1, 2), "STAGE 01");
    EXPECT_EQ(Format("SCORE ", 0, 6), "SCORE 000000");
    EXPECT_EQ(Format("SCORE ", 1234567, 6), "SCORE 1234567");
    EXPECT_EQ(Format("BORNAS +", 5500, 5), "BORNAS +05500");
    EXPECT_EQ(Format("BORNAS +", -300, 5), "BORNAS +-00300");
    EXPECT_EQ(Format("", INT32_MIN, 2), "-2147483648");
}

TEST(FormatPaddedTest, ASmallBufferGetsWhatFits) {
    std::array<char, 6> out{};
    size_t n = FormatPadded(out, "SCORE ", 12, 6);
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(std::string(out.data(), n), "SCORE");
}

TEST(RefreshLabelsTest, RewritesOnlyTheFlaggedLabelsThenLowersEveryFlag) {
    testing::TestGame t;
    Main(*t, 1);
    Game& g = *t;
    g.Stage = 3;
    g.HiScores[3] = 77;
    g.Score = 123;
    g.Bombs = 12;
    g.TotalScore = 99999999;
    g.StageBonus = 5500;
    g.LabelDirty.fill(true);
    SetCaption(g.Form1.DisplayLabel[LabelId::Result], "GAMEOVER");
    RefreshLabels(g);
    const auto& labels = g.Form1.DisplayLabel;
    EXPECT_EQ(labels[LabelId::Stage].Caption, "STAGE 03");
    EXPECT_EQ(labels[LabelId::HiScore].Caption, "HISCORE 000077");
    EXPECT_EQ(labels[LabelId::Score].Caption, "SCORE 000123");
    EXPECT_EQ(labels[LabelId::Bombs].Caption, "BOMB 12");
    EXPECT_EQ(labels[LabelId::TotalScore].Caption, "TOTALSCORE  99999999");
    EXPECT_EQ(labels[LabelId::Title].Caption, "みるてぃあ");
    EXPECT_EQ(labels[LabelId::TitleStage].Caption, "STAGE 03");
    EXPECT_EQ(labels[LabelId::TitleHiScore].Caption, "HISCORE  00000077");
    EXPECT_EQ(labels[LabelId::Result].Caption, "GAMEOVER");
    EXPECT_EQ(labels[LabelId::ResultScore].Caption, "SCORE 000123");
    EXPECT_EQ(labels[LabelId::Bonus].Caption, "BORNAS +05500");
    EXPECT_EQ(labels[LabelId::Power].Caption, "POWER");
    for (LabelId shown : {LabelId::Result, LabelId::ResultScore, LabelId::Bonus}) {
        EXPECT_TRUE(labels[shown].Visible) << static_cast<int>(shown);
    }
    for (bool flag : g.LabelDirty) {
        EXPECT_FALSE(flag);
    }

    g.Score = 5;
    g.Bombs = 2;
    g.LabelDirty[LabelId::Score] = true;
    RefreshLabels(g);
    EXPECT_EQ(labels[LabelId::Score].Caption, "SCORE 000005");
    EXPECT_EQ(labels[LabelId::Bombs].Caption, "BOMB 12") << "an unflagged label keeps its text";
}

}  // namespace
}  // namespace volley
