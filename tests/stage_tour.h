// A tour of the whole game from the title screen, shared by the soak and the allocation count:
// each stage in turn (1 to 8, then over again), back to the title at each stage's end, a pause
// resumed after a few looks at the events. What is flown in a stage is the caller's: Fly runs once
// for every frame of play.
#pragma once

#include <functional>

#include "game/game.h"
#include "platform/headless.h"

namespace volley::testing {

struct TourCounts {
    long frames = 0;
    int stagesStarted = 0;
    int clears = 0;
    int gameOvers = 0;
    int pauses = 0;
    int titlePumps = 0;
};

class StageTour {
  public:
    StageTour(Game& g, HeadlessKeyboard& keys, HeadlessEvents& events, int pausedPumps)
        : g_(g), keys_(keys), events_(events), pausedPumps_(pausedPumps) {}

    // Called at each look at the events (HeadlessEvents::OnPump).
    void Pump();
    // Lets go of every key and closes the window; the tour does nothing more.
    void End();

    std::function<void()> StageStarted = [] {};
    std::function<void()> Fly = [] {};
    std::function<void()> StageEnded = [] {};
    // Back on the title after this many stages, the tour ends; never when 0.
    int stagesToPlay = 0;

    const TourCounts& Counts() const { return counts_; }
    bool Ended() const { return ended_; }
    void ReleaseKeys();

  private:
    void Title();
    void Stage();
    void Paused();
    void Result();

    Game& g_;
    HeadlessKeyboard& keys_;
    HeadlessEvents& events_;
    const int pausedPumps_;
    TourCounts counts_;
    int32_t lastStageFrame_ = 0;
    int pumpsPaused_ = 0;
    bool inStage_ = false;
    bool ended_ = false;
};

}  // namespace volley::testing
