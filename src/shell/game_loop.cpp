#include "shell/game_loop.h"

#include "display/background.h"
#include "display/compose.h"
#include "display/gauge.h"
#include "display/labels.h"
#include "display/stars.h"
#include "enemies/enemies.h"
#include "enemies/enemy_shots.h"
#include "game/game.h"
#include "input/input.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/pacing.h"
#include "shell/pause.h"
#include "shell/scenes.h"
#include "shell/shutdown.h"
#include "stages/stage_end.h"
#include "stages/stage_script.h"

namespace volley {

namespace {

// Body contact cannot hurt the ship for this many frames after it last did.
constexpr int32_t kContactGuardFrames = 20;

constexpr uint32_t kIdlePassMs = 5;

void CountDownContactGuard(Game& g) {
    if (!g.ContactGuard) {
        return;
    }
    g.ContactGuardFrames += 1;
    if (g.ContactGuardFrames == kContactGuardFrames) {
        g.ContactGuard = false;
        g.ContactGuardFrames = 0;
    }
}

// The stage's result stays on screen over the bare background until Z (back to the title) or
// Escape (quit).
void EndOfStage(Game& g) {
    BackgroundCopy(g, true);
    RefreshWindow(g);
    g.Score += g.StageBonus;
    if (g.Observer != nullptr) {
        g.Observer->StageEnded(g);
    }
    WaitMs(g, 1000);
    FlushKeys(g);
    for (;;) {
        g.Joy = ReadJoystick(g);
        DoEvents(g);
        // Nothing moves on this screen: a few milliseconds between looks at the keys cost no
        // response (presses are latched) and keep the wait from burning a core.
        g.Sys.clock.Sleep(kIdlePassMs);
        if (KeyDown(g, GameKey::Z) || g.Joy.Pressed(PadButton::A)) {
            BackToTitle(g);
            return;
        }
        if (KeyDown(g, GameKey::Escape)) {
            UpdateHiScore(g);
            RequestClose();
        }
    }
}

}  // namespace

void StepFrame(Game& g) {
    BackgroundCopy(g, true);
    DrawStars(g);
    CountDownContactGuard(g);
    MovePlayer(g);
    UpdatePlayerShots(g);
    RunStageScript(g);
    g.StageFrame += 1;
    UpdateEnemies(g);
    UpdateEnemyShots(g);
    UpdateBlasts(g);
    UpdateWreck(g);
    DrawEnergyGauge(g);
    RefreshLabels(g);
    ComposeWindow(g);
}

bool RunFrame(Game& g) {
    g.Joy = ReadJoystick(g);
    if (KeyDown(g, GameKey::Escape)) {
        RequestClose();  // the running score does not reach the high scores
    }
    if (PauseRequested(g)) {
        PauseGame(g);
    }
    const uint32_t t0 = g.Sys.clock.NowMs();
    StepFrame(g);
    if (g.Observer != nullptr) {
        g.Observer->FramePlayed(g);
    }
    PresentWindow(g);
    if (g.StageOver) {
        return true;
    }
    DoEvents(g);
    WaitRestOfFrame(g, t0);
    return false;
}

void GameLoop(Game& g) {
    FlushKeys(g);
    ForgetPauseRequests(g);
    for (LabelId label : {LabelId::Stage, LabelId::HiScore, LabelId::Score, LabelId::Bombs}) {
        g.LabelDirty[label] = true;
    }
    RefreshLabels(g);
    DoEvents(g);
    while (!RunFrame(g)) {
    }
    EndOfStage(g);
}

}  // namespace volley
