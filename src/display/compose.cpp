#include "display/compose.h"

#include <algorithm>

#include "display/layout.h"
#include "game/game.h"

namespace volley {

namespace {

// Lays white text over the picture: each channel moves towards 255 by the text's coverage.
void BlendWhite(Pixel& pixel, uint8_t coverage) {
    Pixel result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        uint32_t channel = (pixel >> shift) & 0xFF;
        channel += ((255 - channel) * coverage + 127) / 255;
        result |= channel << shift;
    }
    pixel = result;
}

// Draws the label's text with its top-left at (x, y) of the window image, kept below row clipTop.
void DrawText(Surface& image, const TextImage& text, int x, int y, int clipTop) {
    const int top = std::max({y, clipTop, 0});
    const int bottom = std::min(y + text.Height, image.Height);
    const int left = std::max(x, 0);
    const int right = std::min(x + text.Width, image.Width);
    for (int row = top; row < bottom; ++row) {
        const uint8_t* coverage = &text.Coverage[static_cast<size_t>(row - y) * text.Width];
        for (int col = left; col < right; ++col) {
            if (uint8_t c = coverage[col - x]; c != 0) {
                BlendWhite(image.At(col, row), c);
            }
        }
    }
}

void DrawLabel(Game& g, Label& label) {
    if (!label.Visible) {
        return;
    }
    if (label.ImageStale) {
        g.Sys.text.Render(label.Caption, label.TextSize, label.Image);
        label.ImageStale = false;
    }
    const bool onPlay = label.Parent == LabelParent::PlaySurface;
    int x = label.Left;
    if (label.CentreWidth > 0) {
        x += (label.CentreWidth - label.Image.Width) / 2;
    }
    const int y = label.Top + (onPlay ? kPlayTop : 0);
    DrawText(g.Form1.WindowImage, label.Image, x, y, onPlay ? kPlayTop : 0);
}

template <typename Labels>
void DrawLabels(Game& g, Labels& labels, LabelParent parent) {
    for (Label& label : labels) {
        if (label.Parent == parent) {
            DrawLabel(g, label);
        }
    }
}

}  // namespace

void ComposeWindow(Game& g) {
    Form& f = g.Form1;
    Surface& image = f.WindowImage;
    std::fill(image.Pixels.begin(),
              image.Pixels.begin() + static_cast<size_t>(kPlayTop) * image.Width, kBlack);
    if (f.BarVisible) {
        Blit(image, kBarLeft, kBarTop, f.Bar, 0, 0, f.Bar.Width, f.Bar.Height, RasterOp::Copy);
    }
    DrawLabels(g, f.DisplayLabel, LabelParent::Window);
    Blit(image, 0, kPlayTop, f.Picture2, 0, 0, f.Picture2.Width, f.Picture2.Height, RasterOp::Copy);
    DrawLabels(g, f.DisplayLabel, LabelParent::PlaySurface);
    DrawLabels(g, f.StageArrows, LabelParent::PlaySurface);
    DrawLabel(g, f.PauseLabel);
}

void PresentWindow(Game& g) {
    g.Sys.window.Present(g.Form1.WindowImage);
}

void RefreshWindow(Game& g) {
    ComposeWindow(g);
    PresentWindow(g);
}

}  // namespace volley
