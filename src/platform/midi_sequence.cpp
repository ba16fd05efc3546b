#include "platform/midi_sequence.h"

#include <algorithm>
#include <cmath>

#include "platform/midi_check.h"
#include "platform/read_file.h"

namespace volley {

namespace {

constexpr double kDefaultMicrosPerQuarter = 500'000;  // 120 beats a minute
constexpr uint8_t kTempoMeta = 0x51;
constexpr double kShortestSeconds = 0.1;
constexpr double kLongestSeconds = 3600;
// A MIDI cable carries about a thousand three-byte messages a second; a piece may set up its
// channels with a few hundred more at its start.
constexpr double kMessagesPerSecond = 1000;
constexpr size_t kSetUpMessages = 512;

struct TimedMessage {
    uint64_t Tick = 0;
    SequencedMessage Message;
};

struct TempoChange {
    uint64_t Tick = 0;
    double MicrosPerQuarter = kDefaultMicrosPerQuarter;
};

// Gathers what timing the piece needs: its channel messages, its tempo changes and its end.
class Gatherer final : public MidiEventVisitor {
  public:
    void Division(uint16_t division) override { division_ = division; }

    void Event(const MidiFileEvent& event) override {
        lastTick_ = std::max(lastTick_, event.Tick);
        if (event.Status == 0xFF && event.MetaType == kTempoMeta && event.Data.size() == 3) {
            const uint32_t micros =
                (uint32_t{event.Data[0]} << 16) | (uint32_t{event.Data[1]} << 8) | event.Data[2];
            if (micros > 0) {
                tempos_.push_back({event.Tick, static_cast<double>(micros)});
            }
        } else if (event.Status >= 0x80 && event.Status < 0xF0) {
            const uint8_t second = event.Data.size() > 1 ? event.Data[1] : 0;
            messages_.push_back({event.Tick, {0, event.Status, event.Data[0], second}});
        }
    }

    uint16_t division_ = 0;
    uint64_t lastTick_ = 0;
    std::vector<TimedMessage> messages_;
    std::vector<TempoChange> tempos_;
};

// Turns ticks into seconds, in order of increasing tick.
class TickClock {
  public:
    TickClock(uint16_t division, std::vector<TempoChange> tempos) : tempos_(std::move(tempos)) {
        if ((division & 0x8000) != 0) {
            // SMPTE time: frames a second (as a negative number) and ticks a frame.
            const int framesPerSecond = -static_cast<int8_t>(division >> 8);
            const int ticksPerFrame = division & 0xFF;
            const double rate = framesPerSecond == 29 ? 29.97 : framesPerSecond;
            secondsPerTick_ =
                ticksPerFrame > 0 && framesPerSecond > 0 ? 1 / (rate * ticksPerFrame) : 0;
            tempos_.clear();
        } else {
            ticksPerQuarter_ = division;
            secondsPerTick_ = kDefaultMicrosPerQuarter / 1e6 / division;
        }
        std::stable_sort(
            tempos_.begin(), tempos_.end(),
            [](const TempoChange& a, const TempoChange& b) { return a.Tick < b.Tick; });
    }

    bool Valid() const { return secondsPerTick_ > 0; }

    double Seconds(uint64_t tick) {
        while (nextTempo_ < tempos_.size() && tempos_[nextTempo_].Tick <= tick) {
            const TempoChange& change = tempos_[nextTempo_++];
            since_ += static_cast<double>(change.Tick - sinceTick_) * secondsPerTick_;
            sinceTick_ = change.Tick;
            secondsPerTick_ = change.MicrosPerQuarter / 1e6 / ticksPerQuarter_;
        }
        return since_ + static_cast<double>(tick - sinceTick_) * secondsPerTick_;
    }

  private:
    std::vector<TempoChange> tempos_;
    size_t nextTempo_ = 0;
    double ticksPerQuarter_ = 0;
    double secondsPerTick_ = 0;
    double since_ = 0;
    uint64_t sinceTick_ = 0;
};

}  // namespace

bool BuildMidiSequence(std::span<const uint8_t> file, int rate, MidiSequence& sequence,
                       std::string& error) {
    Gatherer gathered;
    if (!ReadMidiFile(file, gathered, error)) {
        return false;
    }
    TickClock clock(gathered.division_, std::move(gathered.tempos_));
    if (!clock.Valid()) {
        error = "its time division is damaged";
        return false;
    }
    std::vector<TimedMessage>& messages = gathered.messages_;
    std::stable_sort(messages.begin(), messages.end(),
                     [](const TimedMessage& a, const TimedMessage& b) { return a.Tick < b.Tick; });
    // The clock only runs forwards, so the end is read after the last message.
    sequence.Messages.clear();
    sequence.Messages.reserve(messages.size());
    for (TimedMessage& timed : messages) {
        timed.Message.Frame = static_cast<uint32_t>(
            std::min(std::floor(clock.Seconds(timed.Tick) * rate), kLongestSeconds * rate));
        sequence.Messages.push_back(timed.Message);
    }
    const double seconds = clock.Seconds(gathered.lastTick_);
    if (seconds < kShortestSeconds || seconds > kLongestSeconds) {
        error = seconds < kShortestSeconds ? "it lasts less than a tenth of a second"
                                           : "it lasts more than an hour";
        return false;
    }
    if (static_cast<double>(messages.size()) > kSetUpMessages + seconds * kMessagesPerSecond) {
        error = "it holds more messages than a MIDI cable could carry in its time";
        return false;
    }
    sequence.LoopFrames = static_cast<uint32_t>(std::floor(seconds * rate));
    return true;
}

bool LoadMidiPiece(const std::string& path, int rate, MidiSequence& sequence, std::string& error) {
    std::vector<uint8_t> file;
    if (ReadWholeFile(path, kMaxMusicBytes, file, error) == ReadStatus::Read &&
        CheckMidiFile(file, error) && BuildMidiSequence(file, rate, sequence, error)) {
        return true;
    }
    if (error.find(path) == std::string::npos) {
        error = path + ": " + error;  // the check's own words do not name the file
    }
    return false;
}

void SequencePlayer::Play(uint32_t frames, MidiSink& sink) {
    if (sequence_ == nullptr || sequence_->LoopFrames == 0) {
        return;
    }
    const std::vector<SequencedMessage>& messages = sequence_->Messages;
    while (frames > 0) {
        while (next_ < messages.size() && messages[next_].Frame <= position_) {
            sink.Send(messages[next_++]);
        }
        if (position_ >= sequence_->LoopFrames) {
            position_ = 0;
            next_ = 0;
            continue;
        }
        const uint32_t until =
            next_ < messages.size() ? messages[next_].Frame : sequence_->LoopFrames;
        const uint32_t span = std::min(frames, until - position_);
        sink.Render(span);
        position_ += span;
        frames -= span;
    }
}

}  // namespace volley
