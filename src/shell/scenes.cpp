#include "shell/scenes.h"

#include <algorithm>
#include <climits>
#include <numeric>

#include "audio/music.h"
#include "display/background.h"
#include "display/compose.h"
#include "display/labels.h"
#include "game/game.h"
#include "game/numbers.h"
#include "game/stage_table.h"
#include "input/input.h"
#include "player/ship.h"
#include "shell/game_loop.h"
#include "shell/pacing.h"
#include "shell/reset.h"
#include "shell/shutdown.h"

namespace volley {

namespace {

bool ShownInStage(LabelId label) {
    using enum LabelId;
    return label == Stage || label == HiScore || label == Score || label == Bombs || label == Power;
}

bool ShownOnTitle(LabelId label) {
    using enum LabelId;
    return label == TotalScore || label == Title || label == TitleStage || label == TitleHiScore;
}

void ShowStageLabels(Game& g, bool stage) {
    Form& f = g.Form1;
    for (size_t i = 0; i < kDisplayLabels; ++i) {
        const auto label = static_cast<LabelId>(i);
        f.DisplayLabel[label].Visible = stage ? ShownInStage(label) : ShownOnTitle(label);
    }
    f.BarVisible = stage;
    for (Label& arrow : f.StageArrows) {
        arrow.Visible = false;
    }
}

}  // namespace

namespace {

constexpr int32_t kTitlePauseMs = 1000;
constexpr int32_t kTitlePassMs = 150;

// One pass of the stage choice: Right wins over Left; a joystick counts only straight sideways.
void ChooseStage(Game& g) {
    if (KeyDown(g, GameKey::Right) || g.Joy.Direction == Direction::Right) {
        if (g.Stage != g.MaxStage) {
            g.Stage += 1;
            g.LabelDirty[LabelId::TitleStage] = g.LabelDirty[LabelId::TitleHiScore] = true;
        }
    } else if (KeyDown(g, GameKey::Left) || g.Joy.Direction == Direction::Left) {
        if (g.Stage != 1) {
            g.Stage -= 1;
            g.LabelDirty[LabelId::TitleStage] = g.LabelDirty[LabelId::TitleHiScore] = true;
        }
    }
    g.Form1.StageArrows[kLeftArrow].Visible = g.Stage != 1;
    g.Form1.StageArrows[kRightArrow].Visible = g.Stage != g.MaxStage;
}

}  // namespace

void TitleLoop(Game& g) {
    g.LabelDirty[LabelId::TotalScore] = g.LabelDirty[LabelId::TitleStage] =
        g.LabelDirty[LabelId::TitleHiScore] = true;
    RefreshLabels(g);
    RefreshWindow(g);
    FlushKeys(g);
    PlayMusic(g, MusicPiece::Title);
    // The title does not look at the keys in its first second.
    WaitMs(g, kTitlePauseMs);
    for (;;) {
        g.Joy = ReadJoystick(g);
        if (KeyDown(g, GameKey::Escape)) {
            RequestClose();
        }
        ChooseStage(g);
        if (KeyDown(g, GameKey::Z) || g.Joy.Pressed(PadButton::A)) {
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
    PlayMusic(g, StageRowOf(g.Stage).Music);
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

int RunScenes(Game& g) {
    try {
        for (;;) {
            TitleLoop(g);
            StartGame(g);
            GameLoop(g);
        }
    } catch (const CloseRequested&) {
        return FormUnload(g);
    }
}

}  // namespace volley
