#include "shell/save_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "shell/files.h"
#include "shell/replace_file.h"
#include "shell/shutdown.h"
#include "shell/startup.h"
#include "support.h"

namespace volley {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::TestGame;

using std::tuple;
using testing::ReadBytes;
using testing::WriteBytes;

// Starts a game on the save file at path and quits it at once; returns the exit code.
int StartAndQuit(TestGame& t, const fs::path& path) {
    t->SaveFile = path.string();
    Main(*t, 1);
    return FormUnload(*t);
}

const std::vector<uint8_t> kSample = {
    0x03, 0x00,                                                  // MaxStage 3
    0xD2, 0x04, 0x00, 0x00,                                      // TotalScore 1234
    0,    0,    0,    0,    0xF4, 0x01, 0, 0, 0xDE, 0x02, 0, 0,  // 0, 500, 734
    0,    0,    0,    0,    0,    0,    0, 0, 0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Whatever a save holds, the game reads it and writes it back unchanged when nothing was played:
// its record and every byte past it, up to the largest tail taken.
TEST(SaveFile, AGameWithoutPlayWritesBackTheBytesItFound) {
    std::vector<uint8_t> withTail = kSample;
    withTail.insert(withTail.end(), {9, 8, 7, 6, 5, 4, 3, 2});
    std::vector<uint8_t> largest = kSample;
    largest.resize(kSaveBytes + kMaxSaveTailBytes, 0x5A);
    for (const auto& found : {kSample, withTail, largest}) {
        TestGame t;
        const fs::path path = t.saveDir.Path() / "SaveData.dat";
        WriteBytes(path, found);
        EXPECT_EQ(StartAndQuit(t, path), 0);
        EXPECT_EQ(tuple(t->MaxStage, t->TotalScore, t->HiScores[1], t->HiScores[2]),
                  tuple(3, 1234, 500, 734));
        EXPECT_EQ(ReadBytes(path), found);
    }
}

TEST(SaveFile, AFirstRunStartsAtStageOneAndLeavesAFullFile) {
    for (bool emptyFile : {false, true}) {
        TestGame t;
        const fs::path path = t.saveDir.Path() / "SaveData.dat";
        if (emptyFile) {
            WriteBytes(path, {});
        }
        t->SaveFile = path.string();
        Main(*t, 1);
        EXPECT_EQ(fs::exists(path), emptyFile) << "loading creates nothing";
        EXPECT_EQ(FormUnload(*t), 0);
        std::vector<uint8_t> fresh(kSaveBytes, 0);
        fresh[0] = 1;
        EXPECT_EQ(ReadBytes(path), fresh);
    }
}

// What a file holds, or where a link points: enough to tell that nothing touched it.
std::string Fingerprint(const fs::path& path) {
    const fs::file_status status = fs::symlink_status(path);
    if (fs::is_symlink(status)) {
        return "link to " + fs::read_symlink(path).string();
    }
    if (fs::is_regular_file(status)) {
        const auto bytes = ReadBytes(path);
        return "file of " + std::to_string(fs::file_size(path)) + " bytes, " +
               std::to_string(std::count(bytes.begin(), bytes.end(), 0x5A));
    }
    return "other " + std::to_string(static_cast<int>(status.type()));
}

TEST(SaveFile, ASaveThatIsThereButMustNotBeReadStopsTheStartAndIsLeftAsItIs) {
    TempDir elsewhere;
    const fs::path secret = elsewhere.Path() / "secret";
    WriteBytes(secret, std::vector<uint8_t>(100, 0x5A));
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;
        const char* errorHas;
    };
    const Case cases[] = {
        {"a link to another file", [&](const fs::path& p) { fs::create_symlink(secret, p); },
         "symbolic link"},
        {"a link to nothing", [&](const fs::path& p) { fs::create_symlink("/nonexistent", p); },
         "symbolic link"},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, "folder"},
        {"a pipe", [](const fs::path& p) { mkfifo(p.c_str(), 0600); }, "pipe"},
        {"one byte too many",
         [](const fs::path& p) {
             WriteBytes(p, std::vector<uint8_t>(kSaveBytes + kMaxSaveTailBytes + 1, 0x5A));
         },
         "larger than"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t;
        const fs::path path = t.saveDir.Path() / "SaveData.dat";
        c.make(path);
        const std::string before = Fingerprint(path);
        t->SaveFile = path.string();
        try {
            Main(*t, 1);
            ADD_FAILURE() << "the game started";
        } catch (const StartupError& e) {
            EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.errorHas), std::string::npos) << e.what();
        }
        EXPECT_FALSE(t.platform.window.IsOpen());
        EXPECT_EQ(Fingerprint(path), before);
        EXPECT_EQ(std::distance(fs::directory_iterator(t.saveDir.Path()), fs::directory_iterator()),
                  1);
    }
    EXPECT_EQ(Fingerprint(secret), "file of 100 bytes, 100");
}

TEST(SaveFile, ASaveKeepsItsPermissionsAndANewOneFollowsTheUmask) {
    TestGame t;
    const fs::path path = t.saveDir.Path() / "SaveData.dat";
    t->SaveFile = path.string();
    std::string error;
    const mode_t oldMask = umask(027);
    ASSERT_TRUE(WriteSaveData(*t, error)) << error;
    umask(oldMask);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));
    chmod(path.c_str(), 0600);
    ASSERT_TRUE(WriteSaveData(*t, error)) << error;
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0600));

    // A save made read-only is the player's to keep: not written, and the game says so.
    WriteBytes(path, kSample);
    chmod(path.c_str(), 0444);
    t->MaxStage = 8;
    EXPECT_FALSE(WriteSaveData(*t, error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(ReadBytes(path), kSample);
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0444));
}

// Only temporaries of ours that nobody holds are taken away: never a file of another name,
// another user's, a link, or one a running game is still writing.
TEST(SaveFile, StaleTemporariesBesideTheSaveAreRemovedAtTheStart) {
    TempDir folder;
    const fs::path d = folder.Path();
    const char* stale[] = {".volley-Ab3xY9.tmp", "SaveData.dat.Q1w2E3", "last.rpl.zzzzzz"};
    const char* kept[] = {
        "SaveData.dat",     "SaveData.dat.bak",  "notes.txt", ".volley-Ab3xY9.tmpx",
        "other.dat.Q1w2E3", ".volley-short.tmp", "held"};
    for (const char* name : stale) {
        WriteBytes(d / name, {1});
    }
    for (const char* name : kept) {
        WriteBytes(d / name, {1});
    }
    fs::create_symlink(d / "notes.txt", d / ".volley-LinkLn.tmp");
    const int held = open((d / ".volley-Held00.tmp").c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    bool otherOwner = false;
    if (geteuid() == 0) {
        WriteBytes(d / ".volley-Theirs.tmp", {1});
        otherOwner = chown((d / ".volley-Theirs.tmp").c_str(), 65534, 65534) == 0;
    }

    RemoveStaleTemporaries((d / "SaveData.dat").string());
    close(held);

    for (const char* name : stale) {
        EXPECT_FALSE(fs::exists(fs::symlink_status(d / name))) << name;
    }
    for (const char* name : kept) {
        EXPECT_TRUE(fs::exists(d / name)) << name;
    }
    EXPECT_TRUE(fs::is_symlink(d / ".volley-LinkLn.tmp"));
    EXPECT_TRUE(fs::exists(d / ".volley-Held00.tmp"));
    EXPECT_EQ(fs::exists(d / ".volley-Theirs.tmp"), otherOwner);
}

TEST(SaveFile, DamagedStageLimitsAreKeptWithinTheStages) {
    const std::pair<int16_t, int16_t> cases[] = {{0, 1},  {1, 1},     {8, 8},      {9, 8},
                                                 {-3, 1}, {32767, 8}, {-32768, 1}, {5, 5}};
    for (auto [stored, loaded] : cases) {
        TestGame t;
        std::array<uint8_t, kSaveBytes> bytes{};
        bytes[0] = static_cast<uint8_t>(stored & 0xFF);
        bytes[1] = static_cast<uint8_t>((stored >> 8) & 0xFF);
        DecodeSave(bytes, *t);
        EXPECT_EQ(t->MaxStage, loaded) << stored;
    }
}

TEST(SaveFile, ScoresKeepTheirPlacesAndSignsInTheRecord) {
    TestGame t;
    t->MaxStage = 2;
    t->TotalScore = -5;
    t->HiScores[4] = 70000;
    t->HiScores[8] = INT32_MIN;
    const auto bytes = EncodeSave(*t);
    // 70000 = 0x11170, little-endian at offset 6 + 4 * 4.
    EXPECT_EQ(tuple(bytes[22], bytes[23], bytes[24], bytes[25]), tuple(0x70, 0x11, 0x01, 0x00));
    TestGame u;
    DecodeSave(bytes, *u);
    EXPECT_EQ(u->TotalScore, -5);
    EXPECT_EQ(u->HiScores[8], INT32_MIN);
    EXPECT_EQ(u->MaxStage, 2);
}

TEST(SaveFile, TheProgramFolderIsUsedWhenWritableOtherwiseTheUserDataFolder) {
    TempDir program;
    TempDir data;
    fs::create_directory(program.Path() / "Data");
    EXPECT_EQ(ChooseSaveFile(program.Path().string(), ""),
              (program.Path() / "Data" / "SaveData.dat").string());
    EXPECT_EQ(ChooseSaveFile(program.Path().string(), "/x/y.dat"), "/x/y.dat");

    // A program folder whose Data folder cannot be written (here: there is none, which holds even
    // for root) sends the save to the user's data folder.
    TempDir bare;
    {
        testing::ScopedEnvironment xdg("XDG_DATA_HOME", data.Path().c_str());
        EXPECT_EQ(ChooseSaveFile(bare.Path().string(), ""),
                  (data.Path() / "volley" / "SaveData.dat").string());
    }
    testing::ScopedEnvironment xdg("XDG_DATA_HOME", "relative/ignored");
    testing::ScopedEnvironment home("HOME", data.Path().c_str());
    EXPECT_EQ(ChooseSaveFile(bare.Path().string(), ""),
              (data.Path() / ".local/share/volley/SaveData.dat").string());
}

TEST(SaveFile, ALongNameOrAMissingFolderIsNoObstacle) {
    for (const char* name : {"volley/deeper/SaveData.dat", "sssssssss"}) {
        TestGame t;
        t->SaveFile = (t.saveDir.Path() / (name[0] == 's' ? std::string(250, 's') : name)).string();
        std::string error;
        ASSERT_TRUE(WriteSaveData(*t, error)) << error;
        EXPECT_EQ(fs::file_size(t->SaveFile), kSaveBytes);
    }
}

}  // namespace
}  // namespace volley
