// SIGINT, SIGTERM and SIGHUP turned into a polite request to close, checked at each event pump.
#pragma once

#include <signal.h>

#include <array>

namespace volley {

// Installs the handlers for its lifetime and puts the previous ones back when destroyed.
class TerminationSignals {
  public:
    TerminationSignals();
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // True once one of the signals arrived while the handlers were installed.
    static bool Requested();

  private:
    std::array<struct sigaction, 3> previous_{};
};

}  // namespace volley
