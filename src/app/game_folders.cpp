#include "app/game_folders.h"

#include <filesystem>

#include "shell/save_file.h"

namespace volley {

namespace fs = std::filesystem;

namespace {

bool HasGameData(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(folder / "Data" / "Data.dat", ec);
}

}  // namespace

GameFolders FindGameFolders(const std::string& programDir) {
    const fs::path own(programDir);
    if (HasGameData(own)) {
        return GameFolders{programDir, false};
    }
    const fs::path shared = own.parent_path() / "share" / "volley";
    if (HasGameData(shared)) {
        return GameFolders{shared.lexically_normal().string(), true};
    }
    return GameFolders{programDir, false};
}

std::string SaveFileFor(const GameFolders& folders, const std::string& givenPath) {
    if (!givenPath.empty()) {
        return givenPath;
    }
    return folders.Installed ? UserSaveFile() : ChooseSaveFile(folders.Data, "");
}

}  // namespace volley
