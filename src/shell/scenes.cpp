#include "shell/scenes.h"

#include <numeric>

#include "display/background.h"
#include "display/compose.h"
#include "display/labels.h"
#include "display/stars.h"
#include "player/ship.h"
#include "shell/game.h"
#include "shell/game_loop.h"
#include "shell/input.h"
#include "shell/numbers.h"
#include "shell/pacing.h"
#include "shell/reset.h"
#include "shell/shutdown.h"

namespace volley {

namespace {

constexpr int kTitleLabelFirst = 4;
constexpr int kTitleLabelLast = 7;
constexpr int kPowerLabel = 11;

void ShowStageLabels(Game& g, bool stage) {
    Form& f = g.Form1;
    for (int i = 0; i < kDisplayLabels; ++i) {
        bool inStage = i <= 3 || i == kPowerLabel;
        bool onTitle = i >= kTitleLabelFirst && i <= kTitleLabelLast;
        f.DisplayLabel[i].Visible = stage ? inStage : onTitle;
    }
    f.BarVisible = stage;
    for (Label& arrow : f.StageChenge) {
        arrow.Visible = false;
    }
}

}  // namespace

// For now the title screen shows the title over the falling stars; Z starts stage 1.
void TitleLoop(Game& g) {
    g.LabelDirty[4] = g.LabelDirty[6] = g.LabelDirty[7] = true;
    RefreshLabels(g);
    FlushKeys(g);
    for (;;) {
        const uint32_t t0 = g.Sys.clock.NowMs();
        if (KeyDown(g, GameKey::Escape)) {
            FormUnload(g);
        }
        if (KeyDown(g, GameKey::Z)) {
            return;
        }
        BackgroundCopy(g, true);
        DrawStars(g);
        RefreshWindow(g);
        DoEvents(g);
        WaitRestOfFrame(g, t0);
    }
}

void StartGame(Game& g) {
    ResetGame(g);
    ShowStageLabels(g, true);
    DrawPlayer(g, RoundEven(g.ScreenWidth / 2.0 - 16), g.ScreenHeight - 60);
    RefreshWindow(g);
}

void BackToTitle(Game& g) {
    UpdateHiScore(g);
    ShowStageLabels(g, false);
    BackgroundCopy(g, true);
    RefreshWindow(g);
}

void UpdateHiScore(Game& g) {
    if (g.Score > g.HiScores[g.Stage]) {
        g.HiScores[g.Stage] = g.Score;
        g.TotalScore = std::accumulate(g.HiScores.begin(), g.HiScores.end(), int32_t{0});
    }
}

void RunScenes(Game& g) {
    for (;;) {
        TitleLoop(g);
        StartGame(g);
        GameLoop(g);
    }
}

}  // namespace volley
