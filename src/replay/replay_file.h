// The replay file: everything needed to play a recorded game again, and how it ended.
//
// Layout, little-endian: the magic "VOLLEYRP", a 16-bit version and 16 bits of flags (0), the
// 64-bit random seed, the 42 bytes of the save as the game started with them, how the game ended
// (16-bit stage, 8-bit result, 32-bit score, 64-bit state hash), the checkpoints (a varint count,
// then the 64-bit state hash after every hundredth frame of play, counted from the run's start),
// the input streams, and a CRC-32 of everything before it. Each stream is a varint count of runs,
// then per run a varint length and the value: the eight keys and the focus losses one byte 0/1, the
// joystick counts a varint, the joystick reads a byte 0/1 (answered), X and Y 16 bits each and the
// buttons 32 bits.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/run_observer.h"
#include "replay/input_log.h"
#include "shell/save_file.h"

namespace volley {

inline constexpr uint16_t kReplayVersion = 3;

// A checkpoint is taken after every this many frames of play (stage frames, in whatever stages
// the run played, but not the title or the end-of-stage screens).
inline constexpr uint32_t kCheckpointFrames = 100;
// A day of play at 40 frames a second: a recording keeps no more, a reader accepts no more, and
// the recorder has room for them all before the first frame.
inline constexpr size_t kMaxCheckpoints = size_t{40} * 60 * 60 * 24 / kCheckpointFrames;

// No stream of a replay holds more answers than a day of play asks: the game's busiest loop (the
// end of a stage) asks each of its questions 200 times a second.
inline constexpr uint64_t kMaxAnswersPerStream = uint64_t{200} * 60 * 60 * 24;

struct ReplayOutcome {
    int16_t Stage = 0;
    StageResult Result = StageResult::None;
    int32_t Score = 0;
    uint64_t StateHash = 0;
    friend bool operator==(const ReplayOutcome&, const ReplayOutcome&) = default;
};

struct Replay {
    uint64_t Seed = 0;
    std::array<uint8_t, kSaveBytes> SaveImage{};
    ReplayOutcome Outcome;
    std::vector<uint64_t> Checkpoints;  // the state hash after frame 100, 200, ...
    InputLog Log;
};

std::vector<uint8_t> EncodeReplay(const Replay& replay);

// Reads a replay from bytes; false with a one-line reason in error when the bytes are not a whole,
// undamaged replay of this version.
bool DecodeReplay(std::span<const uint8_t> bytes, Replay& out, std::string& error);

// The same from a file; the reason names the file.
bool ReadReplayFile(const std::string& path, Replay& out, std::string& error);

}  // namespace volley
