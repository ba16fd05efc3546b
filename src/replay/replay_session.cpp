#include "replay/replay_session.h"

#include <cstdio>
#include <filesystem>

#include "game/game.h"
#include "replay/game_snapshot.h"
#include "shell/replace_file.h"

namespace volley {

ReplayOutcome OutcomeOf(const Game& g) {
    return ReplayOutcome{g.Stage, g.LastResult, g.Score, GameStateHash(g)};
}

std::string LastReplayPath(const std::string& saveFile) {
    return (std::filesystem::path(saveFile).parent_path() / "last.rpl").string();
}

const char* ResultName(StageResult result) {
    switch (result) {
        case StageResult::Clear: return "clear";
        case StageResult::GameOver: return "game over";
        case StageResult::Quit: return "quit";
        case StageResult::None: break;
    }
    return "none";
}

namespace {

// The real services with other keys, events and joysticks in front of them.
Platform WithInput(const Platform& real, Keyboard& keys, Events& events, Joysticks& joysticks) {
    return Platform{real.clock,  keys,      events,     real.text,
                    real.window, joysticks, real.sound, real.music};
}

}  // namespace

GameRecorder::GameRecorder(Platform real, std::vector<std::string> paths)
    : real_(real), paths_(std::move(paths)) {
    replay_.Log.Reserve();
    replay_.Checkpoints.reserve(kMaxCheckpoints);
}

Platform GameRecorder::Services() {
    return WithInput(real_, keys_, events_, joysticks_);
}

void GameRecorder::Started(Game& g) {
    replay_.Seed = g.Seed;
    replay_.SaveImage = EncodeSave(g);
}

void GameRecorder::FramePlayed(Game& g) {
    frames_ += 1;
    if (frames_ % kCheckpointFrames == 0 && replay_.Checkpoints.size() < kMaxCheckpoints) {
        replay_.Checkpoints.push_back(GameStateHash(g));
    }
}

void GameRecorder::Write(const Game& g) {
    replay_.Outcome = OutcomeOf(g);
    const std::vector<uint8_t> bytes = EncodeReplay(replay_);
    failed_.clear();
    for (const std::string& path : paths_) {
        std::string error;
        if (!ReplaceFile(path, bytes, error)) {
            std::fprintf(stderr, "volley: the replay was not saved: %s\n", error.c_str());
            failed_.push_back(path);
        }
    }
}

GamePlayback::GamePlayback(Platform real, Replay replay)
    : real_(real), replay_(std::move(replay)) {}

Platform GamePlayback::Services() {
    return WithInput(real_, keys_, events_, joysticks_);
}

void GamePlayback::Started(Game& g) {
    DecodeSave(replay_.SaveImage, g);
}

void GamePlayback::FramePlayed(Game& g) {
    frames_ += 1;
    if (frames_ % kCheckpointFrames != 0) {
        return;
    }
    const uint64_t index = frames_ / kCheckpointFrames - 1;
    if (index >= kMaxCheckpoints) {
        return;  // past what a recording keeps
    }
    if (index >= replay_.Checkpoints.size() || replay_.Checkpoints[index] != GameStateHash(g)) {
        astrayAt_ = frames_;
        Finish(g);
    }
}

void GamePlayback::StageEnded(Game& g) {
    if (replay_.Log.UsedUp()) {
        Finish(g);
    }
}

void GamePlayback::Quitting(Game& g) {
    Finish(g);
}

void GamePlayback::Finish(const Game& g) {
    const uint64_t reached = frames_ / kCheckpointFrames;
    if (astrayAt_ == 0 && !StoppedByViewer() && reached < replay_.Checkpoints.size()) {
        astrayAt_ = (reached + 1) * kCheckpointFrames;
    }
    played_ = OutcomeOf(g);
    throw PlaybackFinished{};
}

}  // namespace volley
