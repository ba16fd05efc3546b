#include "display/form.h"

#include "display/layout.h"

namespace volley {

namespace {

struct LabelDesign {
    LabelParent parent;
    const char* caption;
    int left;  // pixels, relative to the parent
    int top;
    int width;
    int textSize;
    bool shown;
    bool centred;
};

constexpr LabelParent kWin = LabelParent::Window;
constexpr LabelParent kPlay = LabelParent::PlaySurface;

// As designed, in pixels (twips / 15), in the order of LabelId.
constexpr std::array<LabelDesign, kDisplayLabels> kDisplayLabelDesign{{
    {kWin, "STAGE 3", 9, 5, 89, kSmallText, false, false},
    {kWin, "HISCORE", 119, 5, 93, kSmallText, false, false},
    {kWin, "SCORE", 139, 26, 73, kSmallText, false, false},
    {kWin, "BOMB 03", 335, 27, 93, kSmallText, false, false},
    {kPlay, "TOTALSCORE", 94, 312, 141, kSmallText, true, false},
    {kPlay, "みるてぃあ", 22, 112, 396, kTitleText, true, false},
    {kPlay, "SRAGE", 110, 245, 155, kLargeText, true, false},
    {kPlay, "HISCORE", 142, 340, 93, kSmallText, true, false},
    {kPlay, "GAMEOVER", 87, 118, 256, kLargeText, false, true},
    {kPlay, "SCORE", 56, 191, 158, kLargeText, false, false},
    {kPlay, "BORNAS", 24, 258, 192, kLargeText, false, false},
    {kWin, "POWER", 26, 52, 75, kSmallText, false, false},
}};

constexpr std::array<LabelDesign, 2> kArrowDesign{{
    {kPlay, "<<", 44, 241, 51, kLargeText, false, false},
    {kPlay, ">>", 338, 246, 51, kLargeText, false, false},
}};

// Captions change during play (scores); room for the longest keeps those changes from allocating.
constexpr size_t kCaptionCapacity = 64;

// The same goes for the rendered text: room for a line as wide as the window and one and a half
// ems high holds any caption the game writes, so that a new score renders into the same storage.
size_t TextImageCapacity(int textSize) {
    return static_cast<size_t>(kClientWidth) * textSize * 3 / 2;
}

void Design(Label& label, const LabelDesign& design) {
    label.Parent = design.parent;
    label.Left = design.left;
    label.Top = design.top;
    label.TextSize = design.textSize;
    label.CentreWidth = design.centred ? design.width : 0;
    label.Caption.reserve(kCaptionCapacity);
    label.Image.Coverage.reserve(TextImageCapacity(design.textSize));
    label.Caption = design.caption;
    label.Visible = design.shown;
    label.ImageStale = true;
}

}  // namespace

void DesignForm(Form& form) {
    for (size_t i = 0; i < kDisplayLabels; ++i) {
        Design(form.DisplayLabel.Items[i], kDisplayLabelDesign[i]);
    }
    for (size_t i = 0; i < form.StageArrows.size(); ++i) {
        Design(form.StageArrows[i], kArrowDesign[i]);
    }
    // Centred on the part of the play surface that the window shows.
    Design(form.PauseLabel, {kPlay, "PAUSE", 0, (kClientHeight - kPlayTop - kLargeText) / 2,
                             kClientWidth, kLargeText, false, true});
    form.Bar = Surface(kBarWidth, kBarHeight);
    form.BarVisible = false;
    form.Band = Surface(kClientWidth, kPlayTop);
    form.BandShown = BandMemory{};
    form.BandShown.Bar = Surface(kBarWidth, kBarHeight);
    form.LabelledPlay = Surface(kClientWidth, kClientHeight - kPlayTop);
    form.PlayLabelled = false;
}

}  // namespace volley
