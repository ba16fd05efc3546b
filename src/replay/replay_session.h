// Recording a run of the game, and playing a recording back.
#pragma once

#include <string>
#include <vector>

#include "game/run_observer.h"
#include "platform/platform.h"
#include "replay/input_recording.h"
#include "replay/replay_file.h"

namespace volley {

// The stage, result, score and state hash of the game as it stands.
ReplayOutcome OutcomeOf(const Game& g);

// Where the last game's replay is kept: last.rpl beside the save file.
std::string LastReplayPath(const std::string& saveFile);

// Writes down every input answer of the run and saves the replay to each of paths whenever a stage
// ends and when the game closes, so that whichever way the run ends, its file is complete.
class GameRecorder final : public RunObserver {
  public:
    GameRecorder(Platform real, std::vector<std::string> paths);
    // The real services with the recording input in front of them.
    Platform Services();

    void Started(Game& g) override;
    void FramePlayed(Game& g) override;
    void StageEnded(Game& g) override { Write(g); }
    void Quitting(Game& g) override { Write(g); }

    // Paths whose last write failed (each failure was also reported on the error output).
    const std::vector<std::string>& FailedPaths() const { return failed_; }

  private:
    void Write(const Game& g);

    Platform real_;
    std::vector<std::string> paths_;
    std::vector<std::string> failed_;
    Replay replay_;
    uint64_t frames_ = 0;
    RecordingKeyboard keys_{real_.keys, replay_.Log};
    RecordingJoysticks joysticks_{real_.joysticks, replay_.Log};
    RecordingEvents events_{real_.events, replay_.Log};
};

// The playback has reached the recording's end (or the viewer stopped it).
struct PlaybackFinished {};

// Plays a recording: the game's input comes from it, everything else from the real services. At
// the first checkpoint where the game stands otherwise than it did when recorded, the playback
// ends: what follows is no longer the recorded game.
class GamePlayback final : public RunObserver {
  public:
    GamePlayback(Platform real, Replay replay);
    Platform Services();
    uint64_t Seed() const { return replay_.Seed; }
    const ReplayOutcome& Recorded() const { return replay_.Outcome; }

    void Started(Game& g) override;
    void FramePlayed(Game& g) override;
    void StageEnded(Game& g) override;
    void Quitting(Game& g) override;

    // The frame of play at whose checkpoint the game first stood otherwise than recorded, or 0:
    // a checkpoint the recording has and the playback never reached counts as well.
    uint64_t WentAstrayAt() const { return astrayAt_; }
    // Frames of play so far.
    uint64_t Frames() const { return frames_; }
    // How the played-back game stood when the playback ended.
    const ReplayOutcome& Played() const { return played_; }
    bool StoppedByViewer() const { return events_.StoppedByViewer(); }

  private:
    [[noreturn]] void Finish(const Game& g);

    Platform real_;
    Replay replay_;
    ReplayOutcome played_;
    uint64_t frames_ = 0;
    uint64_t astrayAt_ = 0;
    ReplayKeyboard keys_{replay_.Log};
    ReplayJoysticks joysticks_{replay_.Log};
    ReplayEvents events_{real_.events, real_.keys, replay_.Log};
};

}  // namespace volley
