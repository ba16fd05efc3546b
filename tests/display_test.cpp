#include <gtest/gtest.h>

#include "display/blit.h"
#include "display/compose.h"
#include "display/gauge.h"
#include "display/layout.h"
#include "display/stars.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

using testing::TestGame;

class Display : public ::testing::Test {
  protected:
    void SetUp() override { Main(*t, 7); }
    TestGame t;
};

TEST_F(Display, StarsStartOnTheTopRowInRange) {
    for (const Star& star : t->Stars) {
        EXPECT_EQ(star.Y, 0);
        EXPECT_GE(star.X, 0);
        EXPECT_LE(star.X, t->ScreenWidth);
        EXPECT_GE(star.Speed, 3);
        EXPECT_LE(star.Speed, 10);
    }
}

TEST_F(Display, StarsUseTheWholeRangeOfColumnsAndSpeeds) {
    // Over many placements every speed 3..10 comes up, and the columns reach both edges' areas.
    std::array<int, 11> speeds{};
    int16_t leftmost = INT16_MAX, rightmost = 0;
    for (int round = 0; round < 400; ++round) {
        PlaceStars(*t);
        for (const Star& star : t->Stars) {
            ++speeds[star.Speed];
            leftmost = std::min(leftmost, star.X);
            rightmost = std::max(rightmost, star.X);
        }
    }
    for (int speed = 3; speed <= 10; ++speed) {
        EXPECT_GT(speeds[speed], 0) << speed;
    }
    EXPECT_LE(leftmost, 5);
    EXPECT_GE(rightmost, t->ScreenWidth - 5);
}

TEST_F(Display, AStarIsPlottedWhereItStoodThenFalls) {
    Star& star = t->Stars[0];
    star = Star{40, 100, 7};
    t->Form1.Picture2 = t->Form1.Def;
    DrawStars(*t);
    EXPECT_EQ(t->Form1.Picture2.At(40, 100), kWhite);
    EXPECT_EQ(star.Y, 107);
    EXPECT_EQ(star.X, 40);
}

TEST_F(Display, AStarLandingOnTheBottomStaysThereForAFrame) {
    Star& star = t->Stars[0];
    star = Star{10, static_cast<int16_t>(t->ScreenHeight - 4), 4};
    DrawStars(*t);
    EXPECT_EQ(star.Y, t->ScreenHeight);
    EXPECT_EQ(star.X, 10);
    DrawStars(*t);  // plotted below the surface, then wraps
    EXPECT_EQ(star.Y, 0);
    EXPECT_EQ(star.Speed, 4);
    EXPECT_GE(star.X, 0);
    EXPECT_LE(star.X, t->ScreenWidth);
}

TEST_F(Display, AStarPassingTheBottomWrapsWithOneRandomDraw) {
    Star& star = t->Stars[0];
    star = Star{10, static_cast<int16_t>(t->ScreenHeight - 3), 4};
    for (size_t i = 1; i < t->Stars.size(); ++i) {
        t->Stars[i] = Star{0, 0, 3};  // none of the others wraps
    }
    Random before = t->Rng;
    DrawStars(*t);
    EXPECT_EQ(star.Y, 0);
    // The new column is the next random number of the game's generator, scaled to 0..width.
    EXPECT_EQ(star.X, static_cast<int16_t>((t->ScreenWidth + 1) * before.Next()));
    EXPECT_EQ(t->Rng.Next(), before.Next());
}

// The gauge art is shaded: its energy rows are mostly blue, its empty rows mostly red.
bool IsBlue(Pixel pixel) {
    return (pixel & 0xFF) > 2 * (pixel >> 16);
}

bool IsRed(Pixel pixel) {
    return (pixel >> 16) > 2 * (pixel & 0xFF);
}

int BlueWidth(Game& g, int16_t energy) {
    g.PlayerEnergy = energy;
    DrawEnergyGauge(g);
    int blue = 0;
    for (int x = 0; x < g.Form1.Bar.Width; ++x) {
        Pixel top = g.Form1.Bar.At(x, 0);
        Pixel bottom = g.Form1.Bar.At(x, g.Form1.Bar.Height - 1);
        EXPECT_EQ(IsBlue(top), IsBlue(bottom)) << x;
        if (IsBlue(top)) {
            EXPECT_EQ(blue, x) << "blue must be one run from the left";
            ++blue;
        } else {
            EXPECT_TRUE(IsRed(top) && IsRed(bottom)) << x;
        }
    }
    return blue;
}

TEST_F(Display, GaugeShowsTheEnergyInBlueFromTheLeft) {
    EXPECT_EQ(BlueWidth(*t, 100), kBarWidth);
    EXPECT_EQ(BlueWidth(*t, 0), 0);
    EXPECT_EQ(BlueWidth(*t, 1), 3);  // 2.96 rounds to 3
    EXPECT_EQ(BlueWidth(*t, -30), 0);
    EXPECT_EQ(BlueWidth(*t, -32768), 0);
    // A half rounds to the even neighbour: 50 % of a 293-wide gauge is 146, not 147.
    t->Form1.Bar = Surface(293, kBarHeight);
    EXPECT_EQ(BlueWidth(*t, 50), 146);
    t->Form1.Bar = Surface(291, kBarHeight);
    EXPECT_EQ(BlueWidth(*t, 50), 146);  // 145.5 rounds up to the even 146
}

TEST_F(Display, LaterSpritesCoverEarlierOnesOnlyInsideTheirMask) {
    Form& f = t->Form1;
    // Two 4x4 test sprites: A fills its cell, B only its left half.
    f.Chr = Surface(kSheetWidth, kSheetHeight, kBlack);
    f.MChr = Surface(kSheetWidth, kSheetHeight, kWhite);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            f.Chr.At(x, y) = MakePixel(200, 0, 0);
            f.MChr.At(x, y) = kBlack;
            if (x < 2) {
                f.Chr.At(8 + x, y) = MakePixel(0, 200, 0);
                f.MChr.At(8 + x, y) = kBlack;
            }
        }
    }
    f.ChrRuns = FindMaskRuns(f.MChr, f.Chr);  // as when the sheet is loaded
    f.Picture2 = Surface(f.Picture2.Width, f.Picture2.Height, MakePixel(1, 2, 3));
    DrawMasked(*t, 10, 10, 0, 0, 4, 4);
    DrawMasked(*t, 12, 10, 8, 0, 4, 4);
    EXPECT_EQ(f.Picture2.At(11, 10), MakePixel(200, 0, 0));  // A alone
    EXPECT_EQ(f.Picture2.At(12, 10), MakePixel(0, 200, 0));  // B over A
    EXPECT_EQ(f.Picture2.At(13, 13), MakePixel(0, 200, 0));
    EXPECT_EQ(f.Picture2.At(14, 10), MakePixel(1, 2, 3));  // B's transparent half
    EXPECT_EQ(f.Picture2.At(9, 10), MakePixel(1, 2, 3));
    // Partly outside the surface: clipped, no harm.
    DrawMasked(*t, -2, -2, 0, 0, 4, 4);
    DrawMasked(*t, f.Picture2.Width - 2, f.Picture2.Height - 2, 0, 0, 4, 4);
    EXPECT_EQ(f.Picture2.At(1, 1), MakePixel(200, 0, 0));
    EXPECT_EQ(f.Picture2.At(f.Picture2.Width - 1, f.Picture2.Height - 1), MakePixel(200, 0, 0));
}

TEST_F(Display, EverySpriteOfTheSheetDrawsAsItsMaskThenItsPicture) {
    // Each enemy and shot cell of the game's own sheet, whole and cut by every edge of the play
    // surface, onto a background with every bit pattern.
    Form& f = t->Form1;
    Surface start(f.Picture2.Width, f.Picture2.Height);
    for (size_t i = 0; i < start.Pixels.size(); ++i) {
        start.Pixels[i] = static_cast<Pixel>((i * 2654435761u) & 0xFFFFFF);
    }
    const int right = f.Picture2.Width;
    const int bottom = f.Picture2.Height;
    int drawn = 0;
    for (const auto* table :
         {&t->EnemyTypes.Items, &t->EnemyShotTypes.Items, &t->PlayerShotTypes.Items}) {
        for (const SpriteRect& cell : *table) {
            if (cell.Width == 0) {
                continue;
            }
            const int places[][2] = {{40, 60},
                                     {-cell.Width / 2, 5},
                                     {right - cell.Width / 2, 9},
                                     {7, -cell.Height / 3},
                                     {11, bottom - cell.Height / 3}};
            for (const auto& [x, y] : places) {
                Surface expected = start;
                Blit(expected, x, y, f.MChr, cell.SrcX, cell.SrcY, cell.Width, cell.Height,
                     RasterOp::And);
                Blit(expected, x, y, f.Chr, cell.SrcX, cell.SrcY, cell.Width, cell.Height,
                     RasterOp::Or);
                f.Picture2 = start;
                DrawMasked(*t, x, y, cell.SrcX, cell.SrcY, cell.Width, cell.Height);
                ASSERT_EQ(f.Picture2.Pixels, expected.Pixels)
                    << "cell at " << cell.SrcX << "," << cell.SrcY << " drawn at " << x << "," << y;
                ++drawn;
            }
        }
    }
    EXPECT_GT(drawn, 100) << "the sheet's sprites were all tried";
}

TEST_F(Display, TheWindowShowsTheBandThePlaySurfaceAndTheVisibleLabels) {
    Form& f = t->Form1;
    f.Picture2 = Surface(f.Picture2.Width, f.Picture2.Height, MakePixel(0, 0, 40));
    f.BarVisible = true;
    t->PlayerEnergy = 100;
    DrawEnergyGauge(*t);
    RefreshWindow(*t);
    const Surface& image = t.platform.window.LastImage();
    ASSERT_EQ(image.Width, kClientWidth);
    ASSERT_EQ(image.Height, kClientHeight);
    EXPECT_EQ(image.At(0, kPlayTop - 1), kBlack);
    EXPECT_EQ(image.At(kClientWidth - 1, kPlayTop), MakePixel(0, 0, 40));
    EXPECT_EQ(image.At(kClientWidth - 1, kClientHeight - 1), MakePixel(0, 0, 40));
    EXPECT_TRUE(IsBlue(image.At(kBarLeft, kBarTop)));
    EXPECT_TRUE(IsBlue(image.At(kBarLeft + kBarWidth - 1, kBarTop + kBarHeight - 1)));
    EXPECT_EQ(image.At(kBarLeft + kBarWidth, kBarTop), kBlack);
    // The title label (shown at start) starts with a white stroke at its left edge in the stand-in
    // face; the hidden result label does not show.
    Label& title = f.DisplayLabel[LabelId::Title];
    EXPECT_EQ(image.At(title.Left, kPlayTop + title.Top + 5), kWhite);
    const Label& result = f.DisplayLabel[LabelId::Result];
    EXPECT_FALSE(result.Visible);
    // Without labels on it, the play surface itself is what the window gets.
    f.BarVisible = false;
    title.Visible = false;
    for (LabelId id : {LabelId::TotalScore, LabelId::TitleStage, LabelId::TitleHiScore}) {
        f.DisplayLabel[id].Visible = false;
    }
    f.Picture2.At(title.Left, title.Top + 5) = MakePixel(1, 2, 3);
    RefreshWindow(*t);
    EXPECT_EQ(image.At(kBarLeft, kBarTop), kBlack);
    EXPECT_FALSE(f.PlayLabelled);
    EXPECT_EQ(image.At(title.Left, kPlayTop + title.Top + 5), MakePixel(1, 2, 3));
}

TEST_F(Display, ALabelIsRenderedAgainOnlyWhenItsCaptionChanges) {
    ComposeWindow(*t);
    const int renders = t.platform.text.RenderCount();
    ComposeWindow(*t);
    EXPECT_EQ(t.platform.text.RenderCount(), renders);
    SetCaption(t->Form1.DisplayLabel[LabelId::TotalScore], "TOTALSCORE  00000001");
    ComposeWindow(*t);
    EXPECT_EQ(t.platform.text.RenderCount(), renders + 1);
    SetCaption(t->Form1.DisplayLabel[LabelId::TotalScore], "TOTALSCORE  00000001");
    ComposeWindow(*t);
    EXPECT_EQ(t.platform.text.RenderCount(), renders + 1);
}

TEST_F(Display, TheCentredResultLabelIsCentredOnItsDesignBox) {
    Label& result = t->Form1.DisplayLabel[LabelId::Result];
    result.Visible = true;
    SetCaption(result, "AB");  // two 24-pixel cells in the stand-in face at 48
    RefreshWindow(*t);
    const int left = result.Left + (result.CentreWidth - 48) / 2;
    const Surface& shown = t.platform.window.LastImage();
    EXPECT_EQ(shown.At(left, kPlayTop + result.Top), kWhite);
    EXPECT_EQ(shown.At(left + 24, kPlayTop + result.Top), kWhite);
}

}  // namespace
}  // namespace volley
