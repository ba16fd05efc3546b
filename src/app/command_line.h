// What the player asked for on the command line.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/platform.h"

namespace volley {

struct Options {
    std::optional<uint64_t> Seed;
    std::string SavePath;
    int Scale = 0;  // 0: as large as fits
    bool Fullscreen = false;
    bool Mute = false;
    int MusicVolume = 100;
    int SfxVolume = 100;
    // The keys for left, up, right, down, fire and bomb, when not the arrows, Z and X.
    std::optional<KeyBindingPlaces> Keys;
    std::string RecordPath;
    std::string ReplayPath;
    bool Headless = false;
    bool Verify = false;
};

enum class Command { Play, ShowHelp, ShowVersion, Refuse };

// Reads args (without the program name) into options. On Refuse, error holds one line saying what
// is wrong.
Command ParseCommandLine(std::span<const char* const> args, Options& options, std::string& error);

// Every option, one line each.
const char* UsageText();

}  // namespace volley
