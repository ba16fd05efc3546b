#include "icon.h"

#include <algorithm>
#include <string>

#include "asset_error.h"

namespace assetgen {
namespace {

uint8_t PaletteIndex(IndexedImage& icon, Rgb colour, const Sprite& sprite) {
    const auto found = std::find(icon.Palette.begin(), icon.Palette.end(), colour);
    if (found != icon.Palette.end()) {
        return static_cast<uint8_t>(found - icon.Palette.begin());
    }
    if (icon.Palette.size() == 256) {
        FailAt(sprite.Source, "sprite " + sprite.Name + " has too many colours for the icon");
    }
    icon.Palette.push_back(colour);
    return static_cast<uint8_t>(icon.Palette.size() - 1);
}

}  // namespace

IndexedImage MakeIcon(const Sprite& sprite) {
    if (sprite.Width() != kIconSize || sprite.Height() != kIconSize) {
        FailAt(sprite.Source, "the icon sprite " + sprite.Name + " must be 32 x 32");
    }
    IndexedImage icon;
    icon.Width = kIconSize;
    icon.Height = kIconSize;
    icon.Palette = {kBlack};
    icon.Indices.reserve(static_cast<size_t>(kIconSize) * kIconSize);
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            const Rgb colour = sprite.Opaque.At(x, y) ? sprite.Colours.At(x, y) : kBlack;
            icon.Indices.push_back(PaletteIndex(icon, colour, sprite));
        }
    }
    return icon;
}

}  // namespace assetgen
