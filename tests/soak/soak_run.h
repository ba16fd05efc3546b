// The soak's script of the whole game: the stage tour with a random pilot at the controls, every
// table checked after every frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "random_pilot.h"
#include "stage_tour.h"
#include "test_game.h"

namespace volley {

class SoakRun {
  public:
    SoakRun(testing::TestGame& t, long frames, uint64_t seed);

    // The script, run at every look at the events. Closes the window once the frames are played or
    // a check fails.
    void Pump() { tour_.Pump(); }

    const testing::TourCounts& Counts() const { return tour_.Counts(); }
    size_t ResidentAfterFirstStage() const { return residentAfterFirstStage_; }
    // The first check that failed, with its frame; empty while none has.
    const std::string& Failure() const { return failure_; }

  private:
    void AfterFrame();
    void Shield();

    testing::TestGame& t_;
    Game& g_;
    RandomPilot pilot_;
    testing::StageTour tour_;
    const long frameBudget_;
    std::string failure_;
    size_t residentAfterFirstStage_ = 0;
    bool shielded_ = false;
};

}  // namespace volley
