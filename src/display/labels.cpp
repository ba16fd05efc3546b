#include "display/labels.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "game/game.h"

namespace volley {

namespace {

// What a label shows: a fixed prefix, then a number padded to `digits`.
struct LabelText {
    const char* prefix;
    int digits;
};

int32_t LabelValue(const Game& g, int index) {
    switch (index) {
        case 0:
        case 6: return g.Stage;
        case 1:
        case 7: return g.HiScores[g.Stage];
        case 2:
        case 9: return g.Score;
        case 3: return g.Bombs;
        case 4: return g.TotalScore;
        case 10: return g.StageBonus;
        default: return 0;
    }
}

// Labels 5 and 11 never change; 8 keeps the caption the stage end gave it.
constexpr std::array<LabelText, kLabelFlags> kLabelTexts{{
    {"STAGE ", 2},
    {"HISCORE ", 6},
    {"SCORE ", 6},
    {"BOMB ", 2},
    {"TOTALSCORE  ", 8},
    {nullptr, 0},
    {"STAGE ", 2},
    {"HISCORE  ", 8},
    {nullptr, 0},
    {"SCORE ", 6},
    {"BORNAS +", 5},
}};

// The result labels appear when they are written.
bool ShownWhenWritten(int index) {
    return index >= 8;
}

}  // namespace

size_t FormatPadded(std::span<char> out, const char* prefix, int32_t value, int digits,
                    const char* suffix) {
    const long long magnitude = value < 0 ? -static_cast<long long>(value) : value;
    int written = std::snprintf(out.data(), out.size(), "%s%s%0*lld%s", prefix,
                                value < 0 ? "-" : "", digits, magnitude, suffix);
    if (written < 0) {
        return 0;
    }
    return std::min(static_cast<size_t>(written), out.empty() ? 0 : out.size() - 1);
}

void RefreshLabels(Game& g) {
    std::array<char, 48> text{};
    for (int i = 0; i < kLabelFlags; ++i) {
        if (!g.LabelDirty[i]) {
            continue;
        }
        Label& label = g.Form1.DisplayLabel[i];
        const LabelText& pattern = kLabelTexts[i];
        if (pattern.prefix != nullptr) {
            size_t length = FormatPadded(text, pattern.prefix, LabelValue(g, i), pattern.digits);
            SetCaption(label, std::string_view(text.data(), length));
        }
        if (ShownWhenWritten(i)) {
            label.Visible = true;
        }
    }
    g.LabelDirty.fill(false);
}

}  // namespace volley
