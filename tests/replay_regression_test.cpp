// Recorded games of all eight stages, kept with the tests: any change that alters how the game
// plays makes them go another way at some checkpoint, and these tests fail naming its frame.
//
// To record them again after a deliberate change of the game's rules or assets:
//   VOLLEY_WRITE_REPLAYS=tests/replays build/<dir>/tests/volley_tests --gtest_filter='*Regression*'

#include <gtest/gtest.h>

#include <cstdlib>

#include "game/stage_table.h"
#include "shell/save_file.h"
#include "support.h"

namespace volley {
namespace {

struct StageRun {
    int16_t stage;
    uint64_t seed;
    StageResult end;
    bool shielded;  // the pilot cannot live through this stage on its own
};

constexpr StageRun kRuns[] = {
    {1, 101, StageResult::Clear, false},   {2, 202, StageResult::GameOver, false},
    {3, 303, StageResult::Clear, false},   {4, 404, StageResult::Clear, false},
    {5, 505, StageResult::GameOver, true}, {6, 607, StageResult::Clear, false},
    {7, 722, StageResult::Clear, false},   {8, 816, StageResult::Clear, false},
};

std::string ReplayPath(const char* folder, const StageRun& run) {
    return std::string(folder) + "/stage" + std::to_string(run.stage) + ".rpl";
}

// Opens every stage in the save, then flies the run and keeps its replay at path.
void Record(const StageRun& run, const std::string& path) {
    testing::RecordedGame recorded({path});
    testing::TestGame& t = recorded.t;
    Game open(t.platform.Services(), "");
    open.MaxStage = kStageCount;
    open.SaveFile = t->SaveFile;
    std::string error;
    ASSERT_TRUE(WriteSaveData(open, error)) << error;
    testing::Pilot(t, run.stage);
    if (run.shielded) {
        testing::Shield(t);
    }
    EXPECT_EQ(testing::RunToEnd(t, run.seed), 0);
}

class Regression : public ::testing::TestWithParam<StageRun> {};

TEST_P(Regression, AKeptWholeStagePlaysToItsRecordedEndThroughEveryCheckpoint) {
    const StageRun run = GetParam();
    if (const char* folder = std::getenv("VOLLEY_WRITE_REPLAYS")) {
        Record(run, ReplayPath(folder, run));
    }
    Replay replay;
    std::string error;
    ASSERT_TRUE(ReadReplayFile(ReplayPath(VOLLEY_REPLAYS_DIR, run), replay, error)) << error;
    EXPECT_EQ(replay.Outcome.Stage, run.stage);
    EXPECT_EQ(ResultName(replay.Outcome.Result), std::string(ResultName(run.end)));

    testing::PlayedGame back(replay);
    if (run.shielded) {
        testing::Shield(back.t);
    }
    back.Run();
    EXPECT_EQ(back.playback.WentAstrayAt(), 0u) << "the game went another way at that frame";
    EXPECT_EQ(back.playback.Played(), replay.Outcome);
    // The whole script ran: the boss came in, and a stage that ends early is caught.
    const Game& g = *back.t;
    EXPECT_EQ(g.BossKind, StageRowOf(run.stage).Boss);
    EXPECT_GT(g.StageFrame, StageRowOf(run.stage).BossFrame);
    EXPECT_EQ(replay.Checkpoints.size(), static_cast<size_t>(g.StageFrame) / kCheckpointFrames);
}

INSTANTIATE_TEST_SUITE_P(WholeStages, Regression, ::testing::ValuesIn(kRuns), [](const auto& info) {
    return "Stage" + std::to_string(info.param.stage);
});

}  // namespace
}  // namespace volley
