#include "shell/scenes.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <numeric>

#include "audio/music.h"
#include "display/background.h"
#include "display/compose.h"
#include "display/labels.h"
#include "game/game.h"
#include "game/numbers.h"
#include "input/input.h"
#include "player/ship.h"
#include "shell/game_loop.h"
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

namespace {

constexpr int32_t kTitlePauseMs = 1000;
constexpr int32_t kTitlePassMs = 150;

// One pass of the stage choice: Right wins over Left; a joystick counts only straight sideways.
void ChooseStage(Game& g) {
    if (KeyDown(g, GameKey::Right) || g.Joy.Direction == kRight) {
        if (g.Stage != g.MaxStage) {
            g.Stage += 1;
            g.LabelDirty[6] = g.LabelDirty[7] = true;
        }
    } else if (KeyDown(g, GameKey::Left) || g.Joy.Direction == kLeft) {
        if (g.Stage != 1) {
            g.Stage -= 1;
            g.LabelDirty[6] = g.LabelDirty[7] = true;
        }
    }
    g.Form1.StageChenge[0].Visible = g.Stage != 1;
    g.Form1.StageChenge[1].Visible = g.Stage != g.MaxStage;
}

}  // namespace

void TitleLoop(Game& g) {
    g.LabelDirty[4] = g.LabelDirty[6] = g.LabelDirty[7] = true;
    RefreshLabels(g);
    RefreshWindow(g);
    FlushKeys(g);
    PlayMusic(g, "Main");
    // The title does not look at the keys in its first second.
    WaitMs(g, kTitlePauseMs);
    for (;;) {
        g.Joy = ReadJoystick(g);
        if (KeyDown(g, GameKey::Escape)) {
            FormUnload(g);
        }
        ChooseStage(g);
        if (KeyDown(g, GameKey::Z) || g.Joy.Button[0]) {
            return;
        }
        RefreshLabels(g);
        RefreshWindow(g);
        DoEvents(g);
        WaitMs(g, kTitlePassMs);
    }
}

void StartGame(Game& g) {
    ResetGame(g);
    g.LastResult = StageResult::Quit;
    ShowStageLabels(g, true);
    DrawPlayer(g, RoundEven(g.ScreenWidth / 2.0 - 16), g.ScreenHeight - 60);
    RefreshWindow(g);
    std::array<char, 16> name{};
    std::snprintf(name.data(), name.size(), "Stage%d", g.Stage);
    PlayMusic(g, name.data());
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
        // Summed in 64 bits: a damaged or edited save can hold scores whose sum does not fit the
        // 32 bits the total is saved in; the total then stops at the nearest value that does.
        const int64_t sum = std::accumulate(g.HiScores.begin(), g.HiScores.end(), int64_t{0});
        g.TotalScore = static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
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
