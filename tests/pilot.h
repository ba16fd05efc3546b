// Whole runs of the game on the headless platform: a scripted pilot that reads the game's tables
// the way a player reads the screen, and runs recorded or played back from a recording.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "replay/replay_session.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley::testing {

// From the title, steps right to `stage` and starts it; in the stage, fires all the time, takes
// the move that the fewest things reach soonest, lines up under the boss or the lowest enemy, and
// bombs when every move is hit; on the stage's end screen, or in a stage that lasts too long,
// quits with Escape.
void Pilot(TestGame& t, int16_t stage);

// Keeps the ship's energy full each time the game looks at its events, before the pump's other
// work, until the boss comes in; a playback of a shielded run needs the same shield.
void Shield(TestGame& t);

// Runs the game from its start through its scenes until the player closes it; the exit code.
inline int RunToEnd(TestGame& t, uint64_t seed) {
    Main(*t, seed);
    return FormActivate(*t);
}

// A test game whose input is recorded to the given paths, by default run.rpl in its save folder.
struct RecordedGame {
    explicit RecordedGame(std::vector<std::string> paths = {})
        : recorder(t.platform.Services(), paths.empty() ? std::vector{DefaultPath()} : paths) {
        t.UseServices(recorder.Services());
        t->Observer = &recorder;
    }
    std::string DefaultPath() const { return (t.saveDir.Path() / "run.rpl").string(); }
    Replay Read() const {
        Replay replay;
        std::string error;
        EXPECT_TRUE(ReadReplayFile(DefaultPath(), replay, error)) << error;
        return replay;
    }
    TestGame t;
    GameRecorder recorder;
};

// A test game that plays a recording back until the game ends by throwing End.
struct PlayedGame {
    explicit PlayedGame(const Replay& replay) : playback(t.platform.Services(), replay) {
        t.UseServices(playback.Services());
        t->Observer = &playback;
    }
    template <typename End = PlaybackFinished>
    void Run() {
        EXPECT_THROW(RunToEnd(t, playback.Seed()), End);
    }
    TestGame t;
    GamePlayback playback;
};

}  // namespace volley::testing
