// The soak's script of the whole game: from the title screen into each of the eight stages in
// turn, a random pilot at the controls, back to the title at each stage's end, with every table
// checked after every frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "random_pilot.h"
#include "test_game.h"

namespace volley {

struct SoakCounts {
    long frames = 0;
    int stagesStarted = 0;
    int clears = 0;
    int gameOvers = 0;
    int pauses = 0;
    size_t residentAfterFirstStage = 0;
};

class SoakRun {
  public:
    SoakRun(testing::TestGame& t, long frames, uint64_t seed);

    // The script, run at every look at the events. Closes the window once the frames are played or
    // a check fails.
    void Pump();

    const SoakCounts& Counts() const { return counts_; }
    // The first check that failed, with its frame; empty while none has.
    const std::string& Failure() const { return failure_; }

  private:
    void Title();
    void Stage();
    void AfterFrame();
    void Shield();
    void Paused();
    void Result();
    void End();

    testing::TestGame& t_;
    Game& g_;
    RandomPilot pilot_;
    const long frameBudget_;
    SoakCounts counts_;
    std::string failure_;
    int32_t lastStageFrame_ = 0;
    bool inStage_ = false;
    bool shielded_ = false;
    int pausedPumps_ = 0;
    bool ending_ = false;
};

}  // namespace volley
