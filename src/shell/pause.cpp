#include "shell/pause.h"

#include "display/compose.h"
#include "game/game.h"
#include "input/input.h"
#include "shell/pacing.h"
#include "shell/shutdown.h"

namespace volley {

namespace {

// How often the paused game looks at its keys.
constexpr uint32_t kPausedPassMs = 10;

// Start counts when it goes down, not while it is held.
bool StartPressed(Game& g) {
    const bool down = g.Joy.Pressed(PadButton::Start);
    const bool pressed = down && !g.StartHeld;
    g.StartHeld = down;
    return pressed;
}

}  // namespace

bool PauseRequested(Game& g) {
    const bool key = KeyDown(g, GameKey::Pause);
    const bool start = StartPressed(g);
    const bool focus = g.Sys.events.TakeFocusLoss();
    return key || start || focus;
}

void ForgetPauseRequests(Game& g) {
    KeyDown(g, GameKey::Pause);
    g.Sys.events.TakeFocusLoss();
    // Start held down since the title counts once it is let go and pressed again.
    g.StartHeld = g.Joy.Pressed(PadButton::Start);
}

void PauseGame(Game& g) {
    Label& label = g.Form1.PauseLabel;
    label.Visible = true;
    RefreshWindow(g);
    g.Sys.music.Pause();
    for (;;) {
        DoEvents(g);
        g.Joy = ReadJoystick(g);
        if (KeyDown(g, GameKey::Escape)) {
            RequestClose();
        }
        const bool resume = KeyDown(g, GameKey::Pause) || StartPressed(g);
        g.Sys.events.TakeFocusLoss();  // losing the focus again changes nothing
        if (resume) {
            break;
        }
        g.Sys.clock.Sleep(kPausedPassMs);
    }
    FlushKeys(g);
    KeyDown(g, GameKey::Pause);
    g.Sys.music.Resume();
    label.Visible = false;
    RefreshWindow(g);
}

}  // namespace volley
