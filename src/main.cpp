// volley: a vertical shooting game. Parses the command line, brings up the SDL platform and runs
// the game until the player quits.

#include <unistd.h>

#include <charconv>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/sdl/sdl_platform.h"
#include "shell/game.h"
#include "shell/startup.h"

namespace {

constexpr const char* kUsage =
    "Usage: volley [--seed N] [--save PATH] [--scale N] [--fullscreen] [--help]\n"
    "  --seed N     start the random generator from N (a whole number), so a game can be repeated\n"
    "  --save PATH  keep the high scores and unlocked stages in PATH instead of the usual place\n"
    "  --scale N    draw the window N times larger (1 to 8); by default as large as fits\n"
    "  --fullscreen start in fullscreen (F11 or Alt+Enter switch at any time)\n"
    "  --help       show this help and exit\n";

struct Options {
    std::optional<uint64_t> seed;
    std::string savePath;
    int scale = 0;
    bool fullscreen = false;
    bool help = false;
};

// Returns false with a message on stderr when the command line makes no sense.
bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--seed" && i + 1 < argc) {
            std::string_view value = argv[++i];
            uint64_t seed = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seed);
            if (ec != std::errc() || end != value.data() + value.size()) {
                std::cerr << "volley: --seed needs a whole number, not '" << value << "'\n";
                return false;
            }
            options.seed = seed;
        } else if (arg == "--scale" && i + 1 < argc) {
            std::string_view value = argv[++i];
            int scale = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), scale);
            if (ec != std::errc() || end != value.data() + value.size() || scale < 1 || scale > 8) {
                std::cerr << "volley: --scale needs a whole number from 1 to 8, not '" << value
                          << "'\n";
                return false;
            }
            options.scale = scale;
        } else if (arg == "--fullscreen") {
            options.fullscreen = true;
        } else if (arg == "--save" && i + 1 < argc && argv[i + 1][0] != '\0') {
            options.savePath = argv[++i];
        } else {
            std::cerr << "volley: unknown option '" << arg << "'\n" << kUsage;
            return false;
        }
    }
    return true;
}

// The folder of the executable: the game's files are found next to it, wherever it is run from.
std::string ProgramDir(const char* argv0) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = std::filesystem::absolute(argv0, ec);
    }
    return exe.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        return 2;
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    std::string error;
    auto sdl = volley::SdlPlatform::Create(error);
    if (!sdl) {
        std::cerr << "volley: " << error << '\n';
        return 1;
    }
    sdl->SetWindowOpening(options.scale, options.fullscreen);
    auto game = std::make_unique<volley::Game>(sdl->Services(), ProgramDir(argv[0]));
    game->SaveFile = options.savePath;
    try {
        volley::Main(*game, options.seed);
        volley::FormActivate(*game);
    } catch (const volley::ProcessEnd& end) {
        return end.ExitCode;
    } catch (const volley::StartupError& e) {
        std::cerr << "volley: " << e.what() << '\n';
        return 1;
    }
}
