// Finding the game's files beside the program or in an installed prefix, and where it saves.

#include "app/game_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "test_game.h"

namespace volley {
namespace {

namespace fs = std::filesystem;

void PutDataFile(const fs::path& folder) {
    fs::create_directories(folder / "Data");
    std::ofstream(folder / "Data" / "Data.dat") << "x";
}

TEST(GameFolders, TheBuildsRunnableFolderKeepsItsFilesAndSaveBesideTheProgram) {
    testing::TempDir dir;
    PutDataFile(dir.Path());
    const GameFolders folders = FindGameFolders(dir.Path().string());
    EXPECT_EQ(folders.Data, dir.Path().string());
    EXPECT_FALSE(folders.Installed);
    EXPECT_EQ(SaveFileFor(folders, ""), (dir.Path() / "Data" / "SaveData.dat").string());
    EXPECT_EQ(SaveFileFor(folders, "/my/save.dat"), "/my/save.dat");
}

TEST(GameFolders, AnInstalledGameReadsShareVolleyAndSavesForTheUser) {
    testing::TempDir dir;
    fs::create_directories(dir.Path() / "bin");
    PutDataFile(dir.Path() / "share" / "volley");
    const GameFolders folders = FindGameFolders((dir.Path() / "bin").string());
    EXPECT_EQ(folders.Data, (dir.Path() / "share" / "volley").string());
    EXPECT_TRUE(folders.Installed);
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old != nullptr ? old : "";
    setenv("XDG_DATA_HOME", "/home/player/.data", 1);
    // Even a prefix the player may write to is not where the save goes.
    EXPECT_EQ(SaveFileFor(folders, ""), "/home/player/.data/volley/SaveData.dat");
    if (old != nullptr) {
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}

TEST(GameFolders, WithoutFilesAnywhereTheProgramsFolderIsNamed) {
    testing::TempDir dir;
    const GameFolders folders = FindGameFolders(dir.Path().string());
    EXPECT_EQ(folders.Data, dir.Path().string());
    EXPECT_FALSE(folders.Installed);
}

}  // namespace
}  // namespace volley
