#include "stage_tour.h"

namespace volley::testing {

void StageTour::Pump() {
    if (ended_) {
        return;
    }
    if (g_.Form1.PauseLabel.Visible) {
        Paused();
    } else if (g_.Form1.DisplayLabel[LabelId::TotalScore].Visible) {
        Title();
    } else if (g_.StageOver) {
        Result();
    } else {
        Stage();
    }
}

void StageTour::End() {
    ended_ = true;
    ReleaseKeys();
    events_.RequestClose();
}

void StageTour::ReleaseKeys() {
    for (int key = 0; key < kGameKeyCount; ++key) {
        keys_.Hold(static_cast<GameKey>(key), false);
    }
}

void StageTour::Title() {
    ++counts_.titlePumps;
    ReleaseKeys();
    if (stagesToPlay > 0 && counts_.stagesStarted == stagesToPlay) {
        End();
        return;
    }
    const auto target = static_cast<int16_t>(counts_.stagesStarted % kStageCount + 1);
    if (g_.Stage < target) {
        keys_.Tap(GameKey::Right);
    } else if (g_.Stage > target) {
        keys_.Tap(GameKey::Left);
    } else {
        keys_.Tap(GameKey::Z);
    }
}

void StageTour::Stage() {
    if (!inStage_) {
        inStage_ = true;
        lastStageFrame_ = 0;  // a stage's first frame is played before it is looked at
        StageStarted();
        ++counts_.stagesStarted;
    }
    if (g_.StageFrame == lastStageFrame_) {
        return;  // another look at the events within the same frame's wait
    }
    lastStageFrame_ = g_.StageFrame;
    ++counts_.frames;
    Fly();
}

void StageTour::Paused() {
    ReleaseKeys();
    if (++pumpsPaused_ == pausedPumps_) {
        pumpsPaused_ = 0;
        ++counts_.pauses;
        keys_.Tap(GameKey::Pause);
    }
}

void StageTour::Result() {
    ReleaseKeys();
    if (inStage_) {
        inStage_ = false;
        const bool over = g_.Form1.DisplayLabel[LabelId::Result].Caption == "GAMEOVER";
        (over ? counts_.gameOvers : counts_.clears) += 1;
        StageEnded();
    }
    keys_.Tap(GameKey::Z);
}

}  // namespace volley::testing
