#include "stages/stage_end.h"

#include <array>

#include "display/blit.h"
#include "display/labels.h"
#include "game/game.h"
#include "player/player_rules.h"

namespace volley {

namespace {

constexpr int kBlastSize = 32;
constexpr int kBlastRow = 32;
constexpr uint8_t kBlastCells = 7;
constexpr uint8_t kBlastHold = 2;  // each cell shows for three visits
constexpr int kFallPerFrame = 4;
constexpr int32_t kFullEnergyBonus = 20000;

void DrawBlastCell(Game& g, int x, int y, uint8_t cell) {
    DrawMasked(g, x, y, kBlastSize * cell, kBlastRow, kBlastSize, kBlastSize);
}

// The bonus for the energy left; a ship that went down while the boss exploded earns none.
int32_t StageBonusFor(int16_t energy) {
    if (energy == kFullEnergy) {
        return kFullEnergyBonus;
    }
    return energy > 0 ? energy * 100 : 0;
}

void ClearStage(Game& g) {
    if (g.MaxStage == g.Stage && g.Stage != kStageCount) {
        g.MaxStage = static_cast<int16_t>(g.Stage + 1);
    }
    g.StageBonus = StageBonusFor(g.PlayerEnergy);
    std::array<char, 32> text{};
    const size_t length = FormatPadded(text, "STAGE ", g.Stage, 2, " CLEAR");
    SetCaption(g.Form1.DisplayLabel[LabelId::Result], std::string_view(text.data(), length));
    for (LabelId label : {LabelId::Score, LabelId::Result, LabelId::ResultScore, LabelId::Bonus}) {
        g.LabelDirty[label] = true;
    }
    g.StageOver = true;
    g.LastResult = StageResult::Clear;
}

// One visit of an exploding enemy: draw, fall, and either wait or advance a cell.
void AdvanceBlast(Game& g, Enemy& e) {
    DrawBlastCell(g, e.X, e.Y, e.BlastFrame);
    e.Y = static_cast<int16_t>(e.Y + kFallPerFrame);
    if (g.BlastDelay != kBlastHold) {
        g.BlastDelay += 1;
        return;
    }
    g.BlastDelay = 0;
    if (e.BlastFrame == 0) {
        g.Score += e.Score;
        g.LabelDirty[LabelId::Score] = true;
    }
    e.BlastFrame += 1;
    if (e.BlastFrame == kBlastCells) {
        e.State = 0;
        e.BlastFrame = 0;
        if (e.Kind == g.BossKind) {
            ClearStage(g);
        }
    }
}

}  // namespace

void UpdateBlasts(Game& g) {
    for (Enemy& e : g.Enemies) {
        if (e.State == 2) {
            AdvanceBlast(g, e);
        }
    }
}

void UpdateWreck(Game& g) {
    if (!g.PlayerDown || g.StageOver) {
        return;
    }
    DrawBlastCell(g, g.PlayerX, g.PlayerY, g.WreckFrame);
    g.PlayerY = static_cast<int16_t>(g.PlayerY + kFallPerFrame);
    if (g.WreckDelay < kBlastHold) {
        g.WreckDelay += 1;
        return;
    }
    g.WreckDelay = 0;
    g.WreckFrame += 1;
    if (g.WreckFrame == kBlastCells) {
        SetCaption(g.Form1.DisplayLabel[LabelId::Result], "GAMEOVER");
        g.LabelDirty[LabelId::Result] = true;
        g.LabelDirty[LabelId::ResultScore] = true;
        g.StageOver = true;
        g.LastResult = StageResult::GameOver;
        g.WreckFrame = 0;
    }
}

}  // namespace volley
