// volley: a vertical shooting game. Reads the command line and runs the game.

#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

#include "app/command_line.h"
#include "app/game_folders.h"
#include "app/run_game.h"

namespace {

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
    volley::Options options;
    std::string error;
    const std::span<const char* const> args(argv + 1, static_cast<size_t>(argc - 1));
    switch (volley::ParseCommandLine(args, options, error)) {
        case volley::Command::ShowHelp: std::fputs(volley::UsageText(), stdout); return 0;
        case volley::Command::ShowVersion: std::printf("volley %s\n", VOLLEY_VERSION); return 0;
        case volley::Command::Refuse: std::fprintf(stderr, "volley: %s\n", error.c_str()); return 2;
        case volley::Command::Play: break;
    }
    return volley::RunGame(options, volley::FindGameFolders(ProgramDir(argv[0])));
}
