#include "app/run_game.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "game/game.h"
#include "platform/headless.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/signal_events.h"
#include "platform/system_clock.h"
#include "platform/termination_signals.h"
#include "replay/replay_session.h"
#include "shell/replace_file.h"
#include "shell/save_file.h"
#include "shell/startup.h"

namespace volley {

namespace {

constexpr int kExitBadReplay = 2;

std::string Hex(uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

void PrintOutcome(const ReplayOutcome& o) {
    std::printf("stage  %d\nresult %s\nscore  %d\nstate  %s\n", o.Stage, ResultName(o.Result),
                o.Score, Hex(o.StateHash).c_str());
}

std::string Describe(const ReplayOutcome& o) {
    return "stage " + std::to_string(o.Stage) + ", " + ResultName(o.Result) + ", score " +
           std::to_string(o.Score) + ", state " + Hex(o.StateHash);
}

// Runs the game to its end; the observer decides how a run ends besides the game's own way out.
// Returns the exit code of the game's own end, or -1 when the playback finished.
int Play(Platform services, RunObserver& observer, const GameFolders& folders,
         const std::string& saveFile, std::optional<uint64_t> seed) {
    auto game = std::make_unique<Game>(services, folders.Data);
    game->SaveFile = saveFile;
    game->Observer = &observer;
    try {
        Main(*game, seed);
        return FormActivate(*game);
    } catch (const PlaybackFinished&) {
        return -1;
    } catch (const StartupError& e) {
        std::fprintf(stderr, "volley: %s\n", e.what());
        return 1;
    }
}

// Before the game starts: clears away what writers killed before their rename left beside the
// save, and tells the player now rather than after the game when its scores cannot be kept.
void PrepareSave(const std::string& saveFile) {
    RemoveStaleTemporaries(saveFile);
    std::string why;
    if (SaveIsReadOnly(saveFile)) {
        why = saveFile + " is read-only";
    } else if (CanWriteBeside(saveFile, why)) {
        return;
    }
    std::fprintf(stderr, "volley: the scores of this game will not be kept: %s\n", why.c_str());
}

int Record(Platform base, const Options& o, const GameFolders& folders,
           const std::string& saveFile) {
    PrepareSave(saveFile);
    std::vector<std::string> paths = {LastReplayPath(saveFile)};
    if (!o.RecordPath.empty()) {
        paths.push_back(o.RecordPath);
    }
    GameRecorder recorder(base, paths);
    int code = Play(recorder.Services(), recorder, folders, saveFile, o.Seed);
    for (const std::string& failed : recorder.FailedPaths()) {
        if (failed == o.RecordPath && code == 0) {
            code = 1;
        }
    }
    return code;
}

int PlayBack(Platform base, const Options& o, Replay replay, const GameFolders& folders,
             const std::string& saveFile) {
    GamePlayback playback(base, std::move(replay));
    try {
        const int code = Play(playback.Services(), playback, folders, saveFile, playback.Seed());
        if (code >= 0) {
            return code;
        }
    } catch (const ReplayDiverged& e) {
        std::fprintf(stderr, "volley: the replay does not fit this game after frame %llu: %s\n",
                     static_cast<unsigned long long>(playback.Frames()), e.what());
        return kExitBadReplay;
    }
    if (playback.StoppedByViewer()) {
        std::printf("stopped before the end of the replay\n");
        return 0;
    }
    if (playback.WentAstrayAt() != 0) {
        std::fprintf(stderr, "volley: the game went another way than its recording at frame %llu\n",
                     static_cast<unsigned long long>(playback.WentAstrayAt()));
        return kExitBadReplay;
    }
    PrintOutcome(playback.Played());
    if (o.Verify && !(playback.Played() == playback.Recorded())) {
        std::fprintf(stderr, "volley: the replay does not match its recording, which ended at %s\n",
                     Describe(playback.Recorded()).c_str());
        return kExitBadReplay;
    }
    if (o.Verify) {
        std::printf("verified: the game ended as recorded\n");
    }
    return 0;
}

int RunOn(Platform base, const Options& o, const GameFolders& folders) {
    const std::string saveFile = SaveFileFor(folders, o.SavePath);
    if (o.ReplayPath.empty()) {
        return Record(base, o, folders, saveFile);
    }
    Replay replay;
    std::string error;
    if (!ReadReplayFile(o.ReplayPath, replay, error)) {
        std::fprintf(stderr, "volley: %s\n", error.c_str());
        return kExitBadReplay;
    }
    return PlayBack(base, o, std::move(replay), folders, saveFile);
}

// Without a window the game has no keys but its replay's; a replay runs on the headless clock,
// which never waits, while a game without one keeps real time until a termination signal.
int RunHeadless(const Options& o, const GameFolders& folders) {
    TerminationSignals signals;
    HeadlessPlatform headless;
    SystemClock realClock;
    SignalEvents events;
    Clock& clock = o.ReplayPath.empty() ? static_cast<Clock&>(realClock) : headless.clock;
    Platform base{clock,           headless.keys,      events,         headless.text,
                  headless.window, headless.joysticks, headless.sound, headless.music};
    return RunOn(base, o, folders);
}

int RunInWindow(const Options& o, const GameFolders& folders) {
    std::string error;
    auto sdl = SdlPlatform::Create(error);
    if (!sdl) {
        std::fprintf(stderr, "volley: %s\n", error.c_str());
        return 1;
    }
    sdl->SetWindowOpening(o.Scale, o.Fullscreen);
    if (o.Keys) {
        sdl->SetKeyBindings(*o.Keys);
    }
    sdl->SetVolumes(o.Mute ? 0 : o.MusicVolume, o.Mute ? 0 : o.SfxVolume);
    const std::filesystem::path saveFile = SaveFileFor(folders, o.SavePath);
    sdl->SetScreenshotFolder((saveFile.parent_path() / "Screenshots").string());
    return RunOn(sdl->Services(), o, folders);
}

}  // namespace

int RunGame(const Options& options, const GameFolders& folders) {
    return options.Headless ? RunHeadless(options, folders) : RunInWindow(options, folders);
}

}  // namespace volley
