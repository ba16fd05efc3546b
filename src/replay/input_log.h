// Every answer the game's input queries gave, in order: enough to play a game again exactly.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace volley {

// A sequence of values kept as runs of equal ones: held keys and idle pads cost almost nothing.
template <typename Value>
class RunStream {
  public:
    struct Run {
        uint32_t Count = 0;
        Value Item{};
    };

    void Append(const Value& value) {
        if (!runs_.empty() && runs_.back().Item == value && runs_.back().Count < UINT32_MAX) {
            ++runs_.back().Count;
        } else {
            runs_.push_back(Run{1, value});
        }
        ++size_;
    }
    // Adds count copies of value at once, as a reader of a stored stream does.
    void AppendRun(uint32_t count, const Value& value) {
        if (count == 0) {
            return;
        }
        if (!runs_.empty() && runs_.back().Item == value &&
            runs_.back().Count <= UINT32_MAX - count) {
            runs_.back().Count += count;
        } else {
            runs_.push_back(Run{count, value});
        }
        size_ += count;
    }
    // Reads the next value; false once the stream is used up.
    bool Next(Value& out) {
        while (runIndex_ < runs_.size() && usedOfRun_ == runs_[runIndex_].Count) {
            ++runIndex_;
            usedOfRun_ = 0;
        }
        if (runIndex_ == runs_.size()) {
            return false;
        }
        out = runs_[runIndex_].Item;
        ++usedOfRun_;
        ++consumed_;
        return true;
    }
    bool UsedUp() const { return consumed_ == size_; }
    uint64_t Size() const { return size_; }
    const std::vector<Run>& Runs() const { return runs_; }
    // Room for this many runs before the storage has to grow.
    void Reserve(size_t runs) { runs_.reserve(runs); }

  private:
    std::vector<Run> runs_;
    uint64_t size_ = 0;
    uint64_t consumed_ = 0;
    size_t runIndex_ = 0;
    uint32_t usedOfRun_ = 0;
};

// One answer of a joystick read: whether the pad answered, and what it said.
struct JoyAnswer {
    bool Answered = false;
    JoyReading Reading;
    friend bool operator==(const JoyAnswer& a, const JoyAnswer& b) {
        return a.Answered == b.Answered && a.Reading.X == b.Reading.X &&
               a.Reading.Y == b.Reading.Y && a.Reading.Buttons == b.Reading.Buttons;
    }
};

struct InputLog {
    std::array<RunStream<bool>, kGameKeyCount> Keys;  // by GameKey
    RunStream<bool> FocusLosses;
    RunStream<int32_t> DeviceCounts;
    RunStream<JoyAnswer> JoyReads;

    // Every stream read to its end.
    bool UsedUp() const;
    // Room for a long game, so that recording does not allocate while frames run.
    void Reserve();
};

}  // namespace volley
