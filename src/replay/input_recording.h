// Input services that stand between the game and the real ones: the recording kind passes every
// answer through and writes it down; the replaying kind gives back the answers of a recording.
#pragma once

#include <stdexcept>

#include "platform/platform.h"
#include "replay/input_log.h"

namespace volley {

class RecordingKeyboard final : public Keyboard {
  public:
    RecordingKeyboard(Keyboard& real, InputLog& log) : real_(real), log_(log) {}
    bool Query(GameKey key) override;

  private:
    Keyboard& real_;
    InputLog& log_;
};

class RecordingJoysticks final : public Joysticks {
  public:
    RecordingJoysticks(Joysticks& real, InputLog& log) : real_(real), log_(log) {}
    int DeviceCount() override;
    bool Read(int device, JoyReading& out) override;

  private:
    Joysticks& real_;
    InputLog& log_;
};

// Only the focus losses are the game's input; the pump passes straight through.
class RecordingEvents final : public Events {
  public:
    RecordingEvents(Events& real, InputLog& log) : real_(real), log_(log) {}
    bool Pump() override { return real_.Pump(); }
    bool TakeFocusLoss() override;

  private:
    Events& real_;
    InputLog& log_;
};

// The game asked a question the recording has no answer for: the game that plays is not the one
// that was recorded.
struct ReplayDiverged : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ReplayKeyboard final : public Keyboard {
  public:
    explicit ReplayKeyboard(InputLog& log) : log_(log) {}
    bool Query(GameKey key) override;

  private:
    InputLog& log_;
};

class ReplayJoysticks final : public Joysticks {
  public:
    explicit ReplayJoysticks(InputLog& log) : log_(log) {}
    int DeviceCount() override;
    bool Read(int device, JoyReading& out) override;

  private:
    InputLog& log_;
};

// The real pump still runs (the window must be served), and the viewer may end the showing by
// closing the window or with Escape. Once every recorded answer has been given, the pump asks for
// the close that ended the recorded game.
class ReplayEvents final : public Events {
  public:
    ReplayEvents(Events& real, Keyboard& realKeys, InputLog& log)
        : real_(real), realKeys_(realKeys), log_(log) {}
    bool Pump() override;
    bool TakeFocusLoss() override;
    // The viewer stopped the showing before the recording's end.
    bool StoppedByViewer() const { return stoppedByViewer_; }

  private:
    Events& real_;
    Keyboard& realKeys_;
    InputLog& log_;
    bool stoppedByViewer_ = false;
};

}  // namespace volley
