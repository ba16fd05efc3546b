#include "display/compose.h"

#include <algorithm>

#include "display/layout.h"
#include "game/game.h"

namespace volley {

namespace {

// Lays white text over the picture: each channel moves towards 255 by the text's coverage.
void BlendWhite(Pixel& pixel, uint8_t coverage) {
    if (pixel == kBlack) {
        // Most text lies on black, where the blend is the coverage itself.
        pixel = Pixel{coverage} * 0x010101;
        return;
    }
    Pixel result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        uint32_t channel = (pixel >> shift) & 0xFF;
        channel += ((255 - channel) * coverage + 127) / 255;
        result |= channel << shift;
    }
    pixel = result;
}

// Draws the label's text with its top-left at (x, y) of image.
void DrawText(Surface& image, const TextImage& text, int x, int y) {
    const int top = std::max(y, 0);
    const int bottom = std::min(y + text.Height, image.Height);
    const int left = std::max(x, 0);
    const int right = std::min(x + text.Width, image.Width);
    for (int row = top; row < bottom; ++row) {
        const uint8_t* coverage = &text.Coverage[static_cast<size_t>(row - y) * text.Width];
        Pixel* pixels = image.Row(row);
        for (int col = left; col < right; ++col) {
            if (uint8_t c = coverage[col - x]; c != 0) {
                BlendWhite(pixels[col], c);
            }
        }
    }
}

// Draws the label on image, the surface of its parent (the band or the labelled play surface).
void DrawLabel(Game& g, Label& label, Surface& image) {
    if (!label.Visible) {
        return;
    }
    if (label.ImageStale) {
        g.Sys.text.Render(label.Caption, label.TextSize, label.Image);
        label.ImageStale = false;
    }
    int x = label.Left;
    if (label.CentreWidth > 0) {
        x += (label.CentreWidth - label.Image.Width) / 2;
    }
    DrawText(image, label.Image, x, label.Top);
}

template <typename Labels>
void DrawLabels(Game& g, Labels& labels, LabelParent parent, Surface& image) {
    for (Label& label : labels) {
        if (label.Parent == parent) {
            DrawLabel(g, label, image);
        }
    }
}

template <typename Labels>
bool AnyShownOnPlay(const Labels& labels) {
    return std::any_of(labels.begin(), labels.end(), [](const Label& label) {
        return label.Visible && label.Parent == LabelParent::PlaySurface;
    });
}

// True when the band would come out as it was last composed: the same gauge, shown or not, and
// the same labels shown with the same captions (a changed caption leaves its label's text stale).
bool BandUnchanged(const Form& f) {
    const BandMemory& shown = f.BandShown;
    if (!shown.Valid || shown.BarVisible != f.BarVisible || shown.Bar.Pixels != f.Bar.Pixels) {
        return false;
    }
    for (size_t i = 0; i < f.DisplayLabel.size(); ++i) {
        const Label& label = f.DisplayLabel.Items[i];
        if (label.Parent == LabelParent::Window &&
            (label.Visible != shown.Visible[i] || (label.Visible && label.ImageStale))) {
            return false;
        }
    }
    return true;
}

void RememberBand(Form& f) {
    BandMemory& shown = f.BandShown;
    shown.Valid = true;
    shown.BarVisible = f.BarVisible;
    shown.Bar.Pixels = f.Bar.Pixels;  // the same size: no allocation
    for (size_t i = 0; i < f.DisplayLabel.size(); ++i) {
        shown.Visible[i] = f.DisplayLabel.Items[i].Visible;
    }
}

void ComposeBand(Game& g) {
    Form& f = g.Form1;
    if (BandUnchanged(f)) {
        return;
    }
    std::fill(f.Band.Pixels.begin(), f.Band.Pixels.end(), kBlack);
    if (f.BarVisible) {
        Blit(f.Band, kBarLeft, kBarTop, f.Bar, 0, 0, f.Bar.Width, f.Bar.Height, RasterOp::Copy);
    }
    DrawLabels(g, f.DisplayLabel, LabelParent::Window, f.Band);
    RememberBand(f);
}

}  // namespace

void ComposeWindow(Game& g) {
    Form& f = g.Form1;
    ComposeBand(g);
    // In play no label shows on the play surface, which then goes to the window uncopied.
    f.PlayLabelled =
        AnyShownOnPlay(f.DisplayLabel) || AnyShownOnPlay(f.StageArrows) || f.PauseLabel.Visible;
    if (!f.PlayLabelled) {
        return;
    }
    Surface& play = f.LabelledPlay;
    Blit(play, 0, 0, f.Picture2, 0, 0, play.Width, play.Height, RasterOp::Copy);
    DrawLabels(g, f.DisplayLabel, LabelParent::PlaySurface, play);
    DrawLabels(g, f.StageArrows, LabelParent::PlaySurface, play);
    DrawLabel(g, f.PauseLabel, play);
}

void PresentWindow(Game& g) {
    const Form& f = g.Form1;
    g.Sys.window.Present(f.Band, f.PlayLabelled ? f.LabelledPlay : f.Picture2);
}

void RefreshWindow(Game& g) {
    ComposeWindow(g);
    PresentWindow(g);
}

}  // namespace volley
