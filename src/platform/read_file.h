// Reading a whole file that comes from outside the program: a picture, a sound, a piece of music,
// the data file, the save or a replay. Anything but a regular file of a sane size is refused, so a
// folder, a pipe, a device or a huge file in the wrong place costs one message, never a hang, an
// abort or the machine's memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace volley {

// The largest file of each kind the game takes, each far above what it ships: its pictures are
// under 1 MB, its effects under 100 KB, its pieces under 64 KB, a replay of a stage a few hundred
// bytes.
inline constexpr size_t kMaxPictureBytes = size_t{17} << 20;  // a 2048 x 2048 picture at 32 bits
inline constexpr size_t kMaxEffectBytes = size_t{16} << 20;
inline constexpr size_t kMaxMusicBytes = size_t{1} << 20;
inline constexpr size_t kMaxReplayBytes = size_t{64} << 20;

enum class ReadStatus {
    Read,     // bytes hold the whole file
    Missing,  // there is no file at path (nor a dangling link)
    Refused,  // it exists but cannot or must not be read; error says why, naming the file
};

enum class Links {
    Follow,
    Refuse,  // a symbolic link at path itself is refused, never read through
};

// Reads the regular file at path, of at most maxBytes, into bytes. Never throws.
ReadStatus ReadWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                         std::string& error, Links links = Links::Follow);

}  // namespace volley
