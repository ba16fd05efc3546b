// What the player sees: the stars, the energy gauge, masked sprites and the composed window.
#include <gtest/gtest.h>

#include <tuple>

#include "display/background.h"
#include "display/blit.h"
#include "display/compose.h"
#include "display/gauge.h"
#include "display/layout.h"
#include "shell/scenes.h"
#include "shell/startup.h"
#include "support.h"

namespace volley {
namespace {

using std::tuple;

class Display : public ::testing::Test {
  protected:
    void SetUp() override { Main(*t, 7); }
    // The gauge art is shaded: its energy rows are mostly blue, its empty rows mostly red.
    static bool IsBlue(Pixel pixel) { return (pixel & 0xFF) > 2 * (pixel >> 16); }
    static bool IsRed(Pixel pixel) { return (pixel >> 16) > 2 * (pixel & 0xFF); }
    testing::TestGame t;
};

TEST_F(Display, TheGaugeShowsTheEnergyInBlueFromTheLeftRoundedToEven) {
    const struct {
        int width;
        int16_t energy;
        int blue;
    } cases[] = {{kBarWidth, 100, kBarWidth},
                 {kBarWidth, 1, 3},  // 2.96
                 {kBarWidth, -32768, 0},
                 {293, 50, 146},   // 146.5
                 {291, 50, 146}};  // 145.5
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.energy << " of " << c.width);
        Surface& bar = t->Form1.Bar = Surface(c.width, kBarHeight);
        t->PlayerEnergy = c.energy;
        DrawEnergyGauge(*t);
        for (int x = 0; x < bar.Width; ++x) {
            const Pixel top = bar.At(x, 0), bottom = bar.At(x, bar.Height - 1);
            ASSERT_EQ(IsBlue(top), x < c.blue) << x;
            ASSERT_EQ(IsBlue(bottom), x < c.blue) << x;
            ASSERT_TRUE(x < c.blue || (IsRed(top) && IsRed(bottom))) << x;
        }
    }
}

TEST_F(Display, EverySpriteDrawsAsItsMaskThenItsPictureClippedAtEveryEdge) {
    // Each enemy and shot cell of the game's own sheet, whole and cut by every edge, onto a
    // background with every bit pattern, against a blit of the mask and then of the picture.
    Form& f = t->Form1;
    Surface& p = f.Picture2;
    Surface start(p.Width, p.Height);
    for (size_t i = 0; i < start.Pixels.size(); ++i) {
        start.Pixels[i] = static_cast<Pixel>((i * 2654435761u) & 0xFFFFFF);
    }
    int drawn = 0;
    for (const auto* table :
         {&t->EnemyTypes.Items, &t->EnemyShotTypes.Items, &t->PlayerShotTypes.Items}) {
        for (const SpriteRect& c : *table) {
            const int places[][2] = {{40, 60},
                                     {-c.Width / 2, 5},
                                     {p.Width - c.Width / 2, 9},
                                     {7, -c.Height / 3},
                                     {11, p.Height - c.Height / 3}};
            for (const auto& [x, y] : places) {
                Surface expected = start;
                Blit(expected, x, y, f.MChr, c.SrcX, c.SrcY, c.Width, c.Height, RasterOp::And);
                Blit(expected, x, y, f.Chr, c.SrcX, c.SrcY, c.Width, c.Height, RasterOp::Or);
                p = start;
                DrawMasked(*t, x, y, c.SrcX, c.SrcY, c.Width, c.Height);
                ASSERT_EQ(p.Pixels, expected.Pixels)
                    << c.SrcX << "," << c.SrcY << " at " << x << "," << y;
                drawn += c.Width > 0 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(drawn, 100) << "the sheet's sprites were all tried";
}

// Past the places the list of drawn ones holds, as in the busiest frames, the whole play surface
// is restored: no sprite is left behind.
TEST_F(Display, TheBackgroundComesBackUnderEverySpriteEvenPastTheListOfDrawnPlaces) {
    const SpriteRect& cell = t->EnemyTypes[EnemyKind::Dart];
    for (int i = 0; i <= DrawnAreas::kCapacity; ++i) {
        DrawMasked(*t, i % 400, i / 4, cell.SrcX, cell.SrcY, cell.Width, cell.Height);
    }
    ASSERT_TRUE(t->Form1.Drawn.Whole);
    BackgroundCopy(*t, true);
    EXPECT_EQ(t->Form1.Picture2.Pixels, t->Form1.Def.Pixels);
}

TEST_F(Display, TheWindowShowsTheBandThePlaySurfaceAndTheVisibleLabels) {
    Form& f = t->Form1;
    const Pixel navy = MakePixel(0, 0, 40);
    f.Picture2 = Surface(f.Picture2.Width, f.Picture2.Height, navy);
    f.BarVisible = true;
    t->PlayerEnergy = 100;
    DrawEnergyGauge(*t);
    RefreshWindow(*t);
    const Surface& image = t.platform.window.LastImage();
    EXPECT_EQ(tuple(image.At(0, kPlayTop - 1), image.At(kClientWidth - 1, kPlayTop),
                    image.At(kClientWidth - 1, kClientHeight - 1),
                    image.At(kBarLeft + kBarWidth, kBarTop)),
              tuple(kBlack, navy, navy, kBlack));
    EXPECT_TRUE(IsBlue(image.At(kBarLeft, kBarTop)) &&
                IsBlue(image.At(kBarLeft + kBarWidth - 1, kBarTop + kBarHeight - 1)));
    // The title label (shown at start) begins with a white stroke in the stand-in face.
    Label& title = f.DisplayLabel[LabelId::Title];
    EXPECT_EQ(image.At(title.Left, kPlayTop + title.Top + 5), kWhite);
    // Without labels on it, the play surface itself is what the window gets.
    f.BarVisible = false;
    for (LabelId id :
         {LabelId::Title, LabelId::TotalScore, LabelId::TitleStage, LabelId::TitleHiScore}) {
        f.DisplayLabel[id].Visible = false;
    }
    f.Picture2.At(title.Left, title.Top + 5) = MakePixel(1, 2, 3);
    RefreshWindow(*t);
    EXPECT_EQ(image.At(kBarLeft, kBarTop), kBlack);
    EXPECT_FALSE(f.PlayLabelled);
    EXPECT_EQ(image.At(title.Left, kPlayTop + title.Top + 5), MakePixel(1, 2, 3));
    // The centred result label is centred on its design box: "AB" is two 24-pixel cells.
    Label& result = f.DisplayLabel[LabelId::Result];
    result.Visible = true;
    SetCaption(result, "AB");
    RefreshWindow(*t);
    const int left = result.Left + (result.CentreWidth - 48) / 2;
    EXPECT_EQ(
        tuple(image.At(left, kPlayTop + result.Top), image.At(left + 24, kPlayTop + result.Top)),
        tuple(kWhite, kWhite));
}

TEST_F(Display, ALabelIsRenderedAgainOnlyWhenItsCaptionChanges) {
    ComposeWindow(*t);
    std::vector<int> renders{t.platform.text.RenderCount()};
    for (const char* caption : {"", "TOTALSCORE  00000001", "TOTALSCORE  00000001"}) {
        if (*caption != 0) {
            SetCaption(t->Form1.DisplayLabel[LabelId::TotalScore], caption);
        }
        ComposeWindow(*t);
        renders.push_back(t.platform.text.RenderCount() - renders[0]);
    }
    EXPECT_EQ(renders, (std::vector<int>{renders[0], 0, 1, 1}));
}

// The band is composed again only when something in it changes: a label hidden or shown again
// with the same caption is such a change.
TEST_F(Display, ABandLabelHiddenLeavesTheWindowAndComesBackWhenShown) {
    Label& stage = t->Form1.DisplayLabel[LabelId::Stage];
    auto whiteUnderIt = [&] {
        RefreshWindow(*t);
        const Surface& image = t.platform.window.LastImage();
        int white = 0;
        for (int y = stage.Top; y < stage.Top + stage.TextSize; ++y) {
            for (int x = stage.Left; x < stage.Left + 4 * stage.TextSize; ++x) {
                white += image.At(x, y) == kWhite;
            }
        }
        return white;
    };
    stage.Visible = true;
    SetCaption(stage, "STAGE 01");
    const int shown = whiteUnderIt();
    EXPECT_GT(shown, 0);
    stage.Visible = false;
    EXPECT_EQ(whiteUnderIt(), 0);
    stage.Visible = true;
    EXPECT_EQ(whiteUnderIt(), shown);
}

}  // namespace
}  // namespace volley
