// The events of a run without a window: only the termination signals, which ask for a close.
#pragma once

#include "platform/platform.h"
#include "platform/termination_signals.h"

namespace volley {

class SignalEvents final : public Events {
  public:
    bool Pump() override { return TerminationSignals::Requested(); }
    bool TakeFocusLoss() override { return false; }
};

}  // namespace volley
