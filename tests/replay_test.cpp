// Recording games and playing them back on the headless platform, and the replay file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/crc32.h"
#include "replay/game_snapshot.h"
#include "support.h"

namespace volley {
namespace {

// Starts stage 1 with fire held and weaves; holds Up for one frame after nudgeFrame, and quits with
// Escape at lastFrame or at the stage's end, or closes the window at closeFrame (-1: never).
void Weave(testing::TestGame& t, int32_t lastFrame, int32_t nudgeFrame = -1,
           int32_t closeFrame = -1) {
    t.platform.keys.Hold(GameKey::Z, true);
    t.platform.events.OnPump = [&t, lastFrame, nudgeFrame, closeFrame] {
        const int32_t frame = t->StageFrame;
        t.platform.keys.Hold(GameKey::Left, (frame / 30) % 2 == 0);
        t.platform.keys.Hold(GameKey::Right, (frame / 30) % 2 != 0);
        t.platform.keys.Hold(GameKey::Up, frame == nudgeFrame);
        if (frame >= lastFrame || t->StageOver) {
            t.platform.keys.Tap(GameKey::Escape);
        }
        if (frame == closeFrame) {
            t.platform.events.RequestClose();
        }
    };
}

struct Recorded {
    Replay replay;
    std::vector<uint8_t> finalState;
};

Recorded RecordRun(uint64_t seed, int32_t lastFrame, int32_t nudgeFrame = -1, int32_t close = -1) {
    testing::RecordedGame run;
    Weave(run.t, lastFrame, nudgeFrame, close);
    EXPECT_EQ(testing::RunToEnd(run.t, seed), 0);
    return Recorded{run.Read(), GameSnapshot(*run.t)};
}

TEST(Replay, APlayedBackGameEndsInExactlyTheRecordedStateWhicheverWayItEnded) {
    const struct {
        int32_t escape, close;
        StageResult end;
        size_t checkpoints;
    } kCases[] = {{600, -1, StageResult::Quit, 6},
                  {1 << 30, 250, StageResult::Quit, 2},
                  {1 << 30, -1, StageResult::GameOver, 7}};
    for (const auto& c : kCases) {
        const Recorded rec = RecordRun(4242, c.escape, -1, c.close);
        EXPECT_EQ(rec.replay.Outcome.Result, c.end);
        EXPECT_GT(rec.replay.Outcome.Score, 0);
        EXPECT_EQ(rec.replay.Checkpoints.size(), c.checkpoints);
        testing::PlayedGame back(rec.replay);
        back.Run();
        EXPECT_EQ(back.playback.WentAstrayAt(), 0u);
        EXPECT_EQ(back.playback.Played(), rec.replay.Outcome);
        EXPECT_EQ(GameSnapshot(*back.t), rec.finalState);
        EXPECT_FALSE(std::filesystem::exists(back.t->SaveFile)) << "a playback writes no save";
    }
}

// The recorded checkpoints against a game that plays otherwise: the first frame named is the
// first checkpoint at or after the change, including checkpoints one side has and the other not.
TEST(Replay, AGameThatGoesAnotherWayIsCaughtAtTheFirstCheckpointAfterIt) {
    const Recorded rec = RecordRun(77, 450);
    const Recorded nudged = RecordRun(77, 450, 250);
    ASSERT_EQ(rec.replay.Checkpoints.size(), 4u);
    const struct {
        const char* change;
        std::function<void(Replay&)> apply;
        uint64_t frame;
    } kCases[] = {
        {"the first checkpoint", [](Replay& r) { r.Checkpoints[0] ^= 1; }, 100},
        {"a key held at frame 250", [&](Replay& r) { r.Log = nudged.replay.Log; }, 300},
        {"the last checkpoint dropped", [](Replay& r) { r.Checkpoints.pop_back(); }, 400},
        {"a checkpoint more", [](Replay& r) { r.Checkpoints.push_back(0); }, 500},
    };
    for (const auto& c : kCases) {
        Replay changed = rec.replay;
        c.apply(changed);
        testing::PlayedGame back(changed);
        back.Run();
        EXPECT_EQ(back.playback.WentAstrayAt(), c.frame) << c.change;
    }
}

TEST(Replay, AGameThatAsksForMoreThanWasRecordedIsReportedAsDiverged) {
    Recorded rec = RecordRun(5, 300);
    rec.replay.Log.FocusLosses = RunStream<bool>();
    rec.replay.Log.FocusLosses.Append(false);
    testing::PlayedGame back(rec.replay);
    back.Run<ReplayDiverged>();
}

TEST(Replay, AFailedWriteIsReportedAndLeavesTheOtherCopies) {
    testing::TempDir dir;
    const std::string good = (dir.Path() / "good.rpl").string();
    std::ofstream(dir.Path() / "file") << "x";  // no replay can be written under a file
    const std::string bad = (dir.Path() / "file" / "bad.rpl").string();
    testing::RecordedGame run({bad, good});
    run.t.platform.keys.Hold(GameKey::Escape, true);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(testing::RunToEnd(run.t, 1), 0);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("the replay was not saved"),
              std::string::npos);
    EXPECT_EQ(run.recorder.FailedPaths(), std::vector<std::string>{bad});
    EXPECT_TRUE(std::filesystem::exists(good));
}

Replay Sample() {
    Replay r;
    r.Seed = 0x0123456789ABCDEFull;
    r.SaveImage[0] = 2;
    r.Outcome = ReplayOutcome{2, StageResult::GameOver, 12345, 0xFEEDull};
    r.Checkpoints = {0x1111222233334444ull, 0x5555666677778888ull};
    r.Log.Keys[1].AppendRun(2, true);
    r.Log.Keys[1].AppendRun(3, false);
    r.Log.DeviceCounts.AppendRun(1000, 1);
    r.Log.JoyReads.AppendRun(3, JoyAnswer{true, JoyReading{1, 2, 0x41}});
    return r;
}

TEST(ReplayFile, EncodingAndDecodingKeepEveryField) {
    const std::vector<uint8_t> bytes = EncodeReplay(Sample());
    Replay back;
    std::string error;
    ASSERT_TRUE(DecodeReplay(bytes, back, error)) << error;
    EXPECT_EQ(back.Seed, 0x0123456789ABCDEFull);
    EXPECT_EQ(back.SaveImage, Sample().SaveImage);
    EXPECT_EQ(back.Outcome, Sample().Outcome);
    EXPECT_EQ(back.Checkpoints, Sample().Checkpoints);
    EXPECT_EQ(back.Log.DeviceCounts.Size(), 1000u);
    // The streams, written back from what was read, come out as they went in.
    EXPECT_EQ(EncodeReplay(back), bytes);
}

// Sets the CRC again, so that a deliberate change reaches the checks behind it.
std::vector<uint8_t> Resealed(std::vector<uint8_t> bytes) {
    const uint32_t crc = Crc32(std::span(bytes).first(bytes.size() - 4));
    for (int i = 0; i < 4; ++i) {
        bytes[bytes.size() - 4 + i] = static_cast<uint8_t>(crc >> (8 * i));
    }
    return bytes;
}

std::string DecodeError(const std::vector<uint8_t>& bytes) {
    Replay out;
    std::string error;
    EXPECT_FALSE(DecodeReplay(bytes, out, error));
    EXPECT_EQ(error.find('\n'), std::string::npos);
    return error;
}

constexpr size_t kOutcomeAt = 8 + 2 + 2 + 8 + kSaveBytes;
constexpr size_t kCheckpointsAt = kOutcomeAt + 2 + 1 + 4 + 8;

TEST(ReplayFile, DamagedFilesAreRefusedSayingWhy) {
    const std::vector<uint8_t> good = EncodeReplay(Sample());
    Replay tooMany = Sample();
    tooMany.Checkpoints.resize(kMaxCheckpoints + 1);
    Replay aDay;
    aDay.Log.Keys[0].AppendRun(static_cast<uint32_t>(kMaxAnswersPerStream / 2), true);
    aDay.Log.Keys[0].AppendRun(static_cast<uint32_t>(kMaxAnswersPerStream / 2 + 1), false);
    const struct {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        bool reseal;
        const char* message;
    } kCases[] = {
        {"foreign", [](auto& b) { b[0] = 'X'; }, true, "not a volley replay"},
        {"a picture",
         [](auto& b) {
             b = {'B', 'M', 0, 0};
         },
         false, "not a volley replay"},
        {"cut in the header", [](auto& b) { b.resize(40); }, false, "cut short"},
        {"of version 2", [](auto& b) { b[8] = 2; }, true,
         "the replay is of version 2; this game plays version 3"},
        {"checksum", [](auto& b) { b[30] ^= 1; }, false, "checksum does not match"},
        {"flags", [](auto& b) { b[10] = 1; }, true, "features"},
        {"result", [](auto& b) { b[kOutcomeAt + 2] = 9; }, true, "result"},
        {"checkpoints past the end", [](auto& b) { b[kCheckpointsAt] = 100; }, true,
         "checkpoints are longer than the file"},
        {"a day of checkpoints", [&](auto& b) { b = EncodeReplay(tooMany); }, false,
         "more checkpoints than a day of play"},
        {"a day of answers", [&](auto& b) { b = EncodeReplay(aDay); }, false,
         "more answers than a day of play"},
        {"a run of none", [](auto& b) { b[kCheckpointsAt + 17 + 2] = 0; }, true, "bad length"},
        {"bytes after", [](auto& b) { b.insert(b.end() - 4, 0); }, true, "after its end"},
    };
    for (const auto& c : kCases) {
        std::vector<uint8_t> bytes = good;
        c.damage(bytes);
        EXPECT_NE(DecodeError(c.reseal ? Resealed(bytes) : bytes).find(c.message),
                  std::string::npos)
            << c.what;
    }
}

TEST(ReplayFile, EveryCutShortOrFlippedBitFileIsRefused) {
    const std::vector<uint8_t> bytes = EncodeReplay(Sample());
    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(DecodeError({bytes.begin(), bytes.begin() + length}).empty()) << length;
    }
    for (size_t bit = 0; bit < bytes.size() * 8; ++bit) {
        std::vector<uint8_t> flipped = bytes;
        flipped[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
        EXPECT_FALSE(DecodeError(flipped).empty()) << bit;
    }
}

}  // namespace
}  // namespace volley
