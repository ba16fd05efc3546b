#include "replay/input_recording.h"

namespace volley {

namespace {

template <typename Value>
Value NextAnswer(RunStream<Value>& stream, const char* what) {
    Value value{};
    if (!stream.Next(value)) {
        throw ReplayDiverged(std::string("the game asked for ") + what +
                             " past the end of the recording");
    }
    return value;
}

}  // namespace

bool InputLog::UsedUp() const {
    for (const RunStream<bool>& key : Keys) {
        if (!key.UsedUp()) {
            return false;
        }
    }
    return FocusLosses.UsedUp() && DeviceCounts.UsedUp() && JoyReads.UsedUp();
}

void InputLog::Reserve() {
    // Runs only start when an answer changes: a few thousand cover hours of play.
    constexpr size_t kRuns = 1 << 14;
    for (RunStream<bool>& key : Keys) {
        key.Reserve(kRuns);
    }
    FocusLosses.Reserve(kRuns / 16);
    DeviceCounts.Reserve(kRuns / 16);
    JoyReads.Reserve(kRuns);
}

bool RecordingKeyboard::Query(GameKey key) {
    const bool down = real_.Query(key);
    log_.Keys[static_cast<size_t>(key)].Append(down);
    return down;
}

int RecordingJoysticks::DeviceCount() {
    const int count = real_.DeviceCount();
    log_.DeviceCounts.Append(count);
    return count;
}

bool RecordingJoysticks::Read(int device, JoyReading& out) {
    JoyAnswer answer;
    answer.Answered = real_.Read(device, answer.Reading);
    log_.JoyReads.Append(answer);
    if (answer.Answered) {
        out = answer.Reading;
    }
    return answer.Answered;
}

bool RecordingEvents::TakeFocusLoss() {
    const bool lost = real_.TakeFocusLoss();
    log_.FocusLosses.Append(lost);
    return lost;
}

bool ReplayKeyboard::Query(GameKey key) {
    return NextAnswer(log_.Keys[static_cast<size_t>(key)], "a key");
}

int ReplayJoysticks::DeviceCount() {
    return NextAnswer(log_.DeviceCounts, "the number of joysticks");
}

bool ReplayJoysticks::Read(int /*device*/, JoyReading& out) {
    const JoyAnswer answer = NextAnswer(log_.JoyReads, "a joystick reading");
    if (answer.Answered) {
        out = answer.Reading;
    }
    return answer.Answered;
}

bool ReplayEvents::Pump() {
    const bool viewerClosed = real_.Pump() || realKeys_.Query(GameKey::Escape);
    if (viewerClosed && !log_.UsedUp()) {
        stoppedByViewer_ = true;
    }
    return viewerClosed || log_.UsedUp();
}

bool ReplayEvents::TakeFocusLoss() {
    real_.TakeFocusLoss();  // the viewer's own focus changes are not the game's
    return NextAnswer(log_.FocusLosses, "a focus change");
}

}  // namespace volley
