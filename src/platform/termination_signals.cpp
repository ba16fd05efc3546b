#include "platform/termination_signals.h"

#include <csignal>

namespace volley {
namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t gTerminationRequested = 0;

extern "C" void NoteTermination(int) {
    gTerminationRequested = 1;
}

}  // namespace

TerminationSignals::TerminationSignals() {
    // A signal from an earlier platform's lifetime must not close this one.
    gTerminationRequested = 0;
    struct sigaction action {};
    action.sa_handler = NoteTermination;
    sigemptyset(&action.sa_mask);
    // Restarting keeps a signal from cutting a blocking call short; the game notices the request
    // at its next pump, at most a frame later.
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &action, &previous_[i]);
    }
}

TerminationSignals::~TerminationSignals() {
    for (size_t i = 0; i < kSignals.size(); ++i) {
        sigaction(kSignals[i], &previous_[i], nullptr);
    }
}

bool TerminationSignals::Requested() {
    return gTerminationRequested != 0;
}

}  // namespace volley
