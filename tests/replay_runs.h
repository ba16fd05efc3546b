// Whole runs of the game on the headless platform, recorded or played back from a recording.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "replay/replay_session.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley::testing {

// Runs the game from its start through its scenes until the player closes it; the exit code.
inline int RunToEnd(TestGame& t, uint64_t seed) {
    Main(*t, seed);
    return FormActivate(*t);
}

// Runs the game from its start through its scenes, until it ends by throwing End.
template <typename End>
void RunUntil(TestGame& t, uint64_t seed) {
    EXPECT_THROW(
        {
            Main(*t, seed);
            FormActivate(*t);
        },
        End);
}

// A test game whose input is recorded; the replay goes to run.rpl in its save folder unless other
// paths are given.
struct RecordedGame {
    explicit RecordedGame(std::vector<std::string> paths = {})
        : recorder(t.platform.Services(), paths.empty() ? std::vector{DefaultPath()} : paths) {
        t.UseServices(recorder.Services());
        t->Observer = &recorder;
    }
    std::string DefaultPath() const { return (t.saveDir.Path() / "run.rpl").string(); }
    // The replay written to run.rpl.
    Replay Read() const {
        Replay replay;
        std::string error;
        EXPECT_TRUE(ReadReplayFile(DefaultPath(), replay, error)) << error;
        return replay;
    }

    TestGame t;
    GameRecorder recorder;
};

// A test game that plays a recording back.
struct PlayedGame {
    explicit PlayedGame(const Replay& replay) : playback(t.platform.Services(), replay) {
        t.UseServices(playback.Services());
        t->Observer = &playback;
    }
    template <typename End = PlaybackFinished>
    void Run() {
        RunUntil<End>(t, playback.Seed());
    }

    TestGame t;
    GamePlayback playback;
};

}  // namespace volley::testing
