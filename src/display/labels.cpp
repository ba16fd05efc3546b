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

int32_t LabelValue(const Game& g, LabelId label) {
    switch (label) {
        case LabelId::Stage:
        case LabelId::TitleStage: return g.Stage;
        case LabelId::HiScore:
        case LabelId::TitleHiScore: return g.HiScores[g.Stage];
        case LabelId::Score:
        case LabelId::ResultScore: return g.Score;
        case LabelId::Bombs: return g.Bombs;
        case LabelId::TotalScore: return g.TotalScore;
        case LabelId::Bonus: return g.StageBonus;
        default: return 0;
    }
}

// In the order of LabelId. Title never changes; Result keeps the caption the stage end gave it.
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
bool ShownWhenWritten(LabelId label) {
    return label == LabelId::Result || label == LabelId::ResultScore || label == LabelId::Bonus;
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
    for (size_t i = 0; i < kLabelFlags; ++i) {
        const auto id = static_cast<LabelId>(i);
        if (!g.LabelDirty[id]) {
            continue;
        }
        Label& label = g.Form1.DisplayLabel[id];
        const LabelText& pattern = kLabelTexts[i];
        if (pattern.prefix != nullptr) {
            size_t length = FormatPadded(text, pattern.prefix, LabelValue(g, id), pattern.digits);
            SetCaption(label, std::string_view(text.data(), length));
        }
        if (ShownWhenWritten(id)) {
            label.Visible = true;
        }
    }
    g.LabelDirty.fill(false);
}

}  // namespace volley
