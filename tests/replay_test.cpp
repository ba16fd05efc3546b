// Recording games and playing them back on the headless platform.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/crc32.h"
#include "replay/game_snapshot.h"
#include "replay/replay_session.h"
#include "replay_runs.h"
#include "shell/startup.h"
#include "test_game.h"

namespace volley {
namespace {

namespace fs = std::filesystem;

// A pilot that starts stage 1 from the title with fire held, weaves, and quits with Escape at
// lastFrame (or goes back to the title and quits there once the stage is over).
void FlyStageOne(testing::TestGame& t, int32_t lastFrame) {
    t.platform.keys.Hold(GameKey::Z, true);
    t.platform.events.OnPump = [&t, lastFrame] {
        const bool left = (t->StageFrame / 30) % 2 == 0;
        t.platform.keys.Hold(GameKey::Left, left);
        t.platform.keys.Hold(GameKey::Right, !left);
        if (t->StageFrame >= lastFrame || t->StageOver) {
            t.platform.keys.Tap(GameKey::Escape);
        }
    };
}

struct Recorded {
    Replay replay;
    std::vector<uint8_t> finalState;
};

// Plays a whole run through the recorder and reads back the replay it wrote.
Recorded RecordRun(uint64_t seed, int32_t lastFrame) {
    testing::RecordedGame run;
    FlyStageOne(run.t, lastFrame);
    EXPECT_EQ(testing::RunToEnd(run.t, seed), 0);
    EXPECT_TRUE(run.recorder.FailedPaths().empty());
    return Recorded{run.Read(), GameSnapshot(*run.t)};
}

struct PlayedBack {
    ReplayOutcome outcome;
    std::vector<uint8_t> finalState;
};

PlayedBack PlayBack(const Replay& replay) {
    testing::PlayedGame back(replay);
    back.Run();
    return PlayedBack{back.playback.Played(), GameSnapshot(*back.t)};
}

TEST(Replay, APlayedBackGameEndsInExactlyTheRecordedState) {
    const Recorded rec = RecordRun(4242, 900);
    EXPECT_EQ(rec.replay.Seed, 4242u);
    EXPECT_EQ(rec.replay.Outcome.Stage, 1);
    EXPECT_NE(rec.replay.Outcome.Result, StageResult::None) << "a stage was played";
    EXPECT_GT(rec.replay.Outcome.Score, 0);
    const PlayedBack back = PlayBack(rec.replay);
    EXPECT_EQ(back.outcome, rec.replay.Outcome);
    EXPECT_EQ(back.finalState, rec.finalState);
}

TEST(Replay, AGameEndedByClosingTheWindowIsRecordedAndPlaysBackToTheClose) {
    testing::RecordedGame run;
    testing::TestGame& t = run.t;
    FlyStageOne(t, 1 << 30);
    t.platform.events.OnPump = [&t, inner = t.platform.events.OnPump] {
        inner();
        if (t->StageFrame == 250) {
            t.platform.events.RequestClose();
        }
    };
    EXPECT_EQ(testing::RunToEnd(t, 99), 0);
    const std::vector<uint8_t> finalState = GameSnapshot(*t);
    const Replay replay = run.Read();
    EXPECT_EQ(replay.Outcome.Result, StageResult::Quit);
    const PlayedBack back = PlayBack(replay);
    EXPECT_EQ(back.outcome, replay.Outcome);
    EXPECT_EQ(back.finalState, finalState);
}

TEST(Replay, AFailedWriteIsReportedAndLeavesTheOtherCopies) {
    testing::TempDir dir;
    const std::string good = (dir.Path() / "good.rpl").string();
    // A file where a folder should be: no replay can be written under it, whoever runs the test.
    std::ofstream(dir.Path() / "file") << "x";
    const std::string bad = (dir.Path() / "file" / "bad.rpl").string();
    testing::RecordedGame run({bad, good});
    run.t.platform.keys.Hold(GameKey::Escape, true);  // quits at the title's first look at the keys
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(testing::RunToEnd(run.t, 1), 0);
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("the replay was not saved"), std::string::npos) << warnings;
    EXPECT_EQ(run.recorder.FailedPaths(), std::vector<std::string>{bad});
    EXPECT_TRUE(std::filesystem::exists(good));
}

TEST(Replay, AnotherSeedPlaysAnotherGame) {
    Recorded rec = RecordRun(7, 700);
    rec.replay.Seed = 8;
    const PlayedBack back = PlayBack(rec.replay);
    EXPECT_NE(back.outcome.StateHash, rec.replay.Outcome.StateHash);
}

TEST(Replay, TheSavedHighScoresComeFromTheRecordingNotFromTheDisk) {
    Recorded rec = RecordRun(11, 400);
    rec.replay.SaveImage[0] = 3;  // the recorded game had stages up to 3 open
    testing::PlayedGame back(rec.replay);
    back.Run();
    EXPECT_EQ(back.t->MaxStage, 3);
    EXPECT_FALSE(std::filesystem::exists(back.t->SaveFile)) << "a playback never writes the save";
}

TEST(Replay, AGameThatAsksForMoreThanWasRecordedIsReportedAsDiverged) {
    Recorded rec = RecordRun(5, 300);
    // Without the focus answers the game runs out of them at once.
    rec.replay.Log.FocusLosses = RunStream<bool>();
    rec.replay.Log.FocusLosses.Append(false);
    testing::PlayedGame back(rec.replay);
    back.Run<ReplayDiverged>();
}

// A small valid replay, encoded.
std::vector<uint8_t> SampleBytes() {
    Replay r;
    r.Seed = 0x0123456789ABCDEFull;
    r.SaveImage[0] = 2;
    r.Outcome = ReplayOutcome{2, StageResult::GameOver, 12345, 0xFEEDull};
    for (int i = 0; i < 5; ++i) {
        r.Log.Keys[1].Append(i % 2 == 0);
    }
    r.Log.FocusLosses.Append(false);
    r.Log.DeviceCounts.AppendRun(1000, 1);
    JoyAnswer a;
    a.Answered = true;
    a.Reading.Buttons = 0x41;
    r.Log.JoyReads.AppendRun(3, a);
    return EncodeReplay(r);
}

TEST(ReplayFile, EncodingAndDecodingKeepEveryField) {
    const std::vector<uint8_t> bytes = SampleBytes();
    Replay back;
    std::string error;
    ASSERT_TRUE(DecodeReplay(bytes, back, error)) << error;
    EXPECT_EQ(back.Seed, 0x0123456789ABCDEFull);
    EXPECT_EQ(back.SaveImage[0], 2);
    EXPECT_EQ(back.Outcome, (ReplayOutcome{2, StageResult::GameOver, 12345, 0xFEEDull}));
    EXPECT_EQ(back.Log.Keys[1].Size(), 5u);
    EXPECT_EQ(back.Log.DeviceCounts.Size(), 1000u);
    JoyAnswer a;
    ASSERT_TRUE(back.Log.JoyReads.Next(a));
    EXPECT_TRUE(a.Answered);
    EXPECT_EQ(a.Reading.Buttons, 0x41u);
    bool key = false;
    std::vector<bool> keys;
    while (back.Log.Keys[1].Next(key)) {
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<bool>{true, false, true, false, true}));
    EXPECT_EQ(EncodeReplay(back), bytes);
}

TEST(ReplayFile, LongHeldKeysCostAFewBytes) {
    Replay r;
    for (int i = 0; i < 100000; ++i) {
        r.Log.Keys[6].Append(i < 60000);
    }
    EXPECT_LT(EncodeReplay(r).size(), 120u);
}

// Sets the CRC again, so that a deliberate change reaches the checks behind it.
void Reseal(std::vector<uint8_t>& bytes) {
    const uint32_t crc = Crc32(std::span(bytes).first(bytes.size() - 4));
    for (int i = 0; i < 4; ++i) {
        bytes[bytes.size() - 4 + i] = static_cast<uint8_t>(crc >> (8 * i));
    }
}

std::string DecodeError(const std::vector<uint8_t>& bytes) {
    Replay out;
    std::string error;
    EXPECT_FALSE(DecodeReplay(bytes, out, error));
    return error;
}

TEST(ReplayFile, EveryCutShortFileIsRefused) {
    const std::vector<uint8_t> bytes = SampleBytes();
    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(
            DecodeError(std::vector<uint8_t>(bytes.begin(), bytes.begin() + length)).empty())
            << length;
    }
}

TEST(ReplayFile, EveryFlippedBitIsRefused) {
    const std::vector<uint8_t> bytes = SampleBytes();
    for (size_t bit = 0; bit < bytes.size() * 8; ++bit) {
        std::vector<uint8_t> flipped = bytes;
        flipped[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
        EXPECT_FALSE(DecodeError(flipped).empty()) << bit;
    }
}

TEST(ReplayFile, ForeignFilesAndOtherVersionsSayWhatTheyAre) {
    std::vector<uint8_t> bytes = SampleBytes();
    std::vector<uint8_t> foreign = bytes;
    foreign[0] = 'X';
    EXPECT_EQ(DecodeError(foreign), "not a volley replay");
    EXPECT_EQ(DecodeError({'B', 'M', 0, 0}), "not a volley replay");
    std::vector<uint8_t> newer = bytes;
    newer[8] = static_cast<uint8_t>(kReplayVersion + 1);
    Reseal(newer);
    EXPECT_NE(DecodeError(newer).find("version " + std::to_string(kReplayVersion + 1)),
              std::string::npos);
    std::vector<uint8_t> badResult = bytes;
    badResult[8 + 2 + 2 + 8 + kSaveBytes + 2] = 9;
    Reseal(badResult);
    EXPECT_NE(DecodeError(badResult).find("result"), std::string::npos);
    std::vector<uint8_t> longer = bytes;
    longer.insert(longer.end() - 4, 0);
    Reseal(longer);
    EXPECT_NE(DecodeError(longer).find("after its end"), std::string::npos);
}

TEST(ReplayFile, AStreamOfMoreAnswersThanADayOfPlayIsRefused) {
    for (uint64_t extra : {0, 1}) {
        Replay replay;
        const uint64_t half = kMaxAnswersPerStream / 2;
        replay.Log.Keys[0].AppendRun(static_cast<uint32_t>(half), true);
        replay.Log.Keys[0].AppendRun(static_cast<uint32_t>(kMaxAnswersPerStream - half + extra),
                                     false);
        Replay out;
        std::string error;
        EXPECT_EQ(DecodeReplay(EncodeReplay(replay), out, error), extra == 0) << error;
        if (extra == 1) {
            EXPECT_NE(error.find("more answers than a day of play"), std::string::npos) << error;
        }
    }
}

TEST(ReplayFile, AnythingButAReplayFileIsNamedInTheReason) {
    testing::TempDir dir;
    fs::create_directory(dir.Path() / "folder.rpl");
    ASSERT_EQ(mkfifo((dir.Path() / "pipe.rpl").c_str(), 0600), 0);
    for (const char* name : {"missing.rpl", "folder.rpl", "pipe.rpl"}) {
        const std::string path = (dir.Path() / name).string();
        Replay out;
        std::string error;
        EXPECT_FALSE(ReadReplayFile(path, out, error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace volley
