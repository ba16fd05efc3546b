// The save when things go wrong: a sudden end (the real game stopped by SIGTERM at any moment, a
// writer of saves killed outright in the middle of its work) must leave a whole save, the old one
// or the new, never torn, cut short or missing; a folder that is full or read-only when the game
// ends gets one line, exit code 1, the old save as it was and no temporary file behind it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "save_pattern.h"
#include "shell/replace_file.h"
#include "support.h"

namespace volley {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ChildProcess;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

constexpr const char* kFillerName = "filler";

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A small file system of its own over an empty folder, taken down again at the end. Mounting it
// needs root; Failure says why it could not be had.
class ScratchMount {
  public:
    ScratchMount(const fs::path& folder, const char* size) : folder_(folder) {
        const std::string options = std::string("size=") + size + ",mode=0755";
        if (mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            failure_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    ~ScratchMount() {
        if (mounted_) {
            umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    const std::string& Failure() const { return failure_; }

    bool MakeReadOnly() {
        return mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

  private:
    fs::path folder_;
    bool mounted_ = false;
    std::string failure_;
};

// Writes to a file in folder until the disk refuses more; true once it is full.
bool FillUp(const fs::path& folder) {
    std::FILE* filler = std::fopen((folder / kFillerName).c_str(), "wb");
    if (filler == nullptr) {
        return false;
    }
    const std::vector<char> block(4096, 'x');
    std::setvbuf(filler, nullptr, _IONBF, 0);
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size()) {
    }
    const bool full = errno == ENOSPC;
    std::fclose(filler);
    // Even a single byte more must not fit.
    std::FILE* probe = std::fopen((folder / "probe").c_str(), "wb");
    const bool probeFitted =
        probe != nullptr && std::fputc('x', probe) != EOF && std::fflush(probe) == 0;
    if (probe != nullptr) {
        std::fclose(probe);
    }
    fs::remove(folder / "probe");
    return full && !probeFitted;
}

struct GameEnd {
    int exitCode = -1;
    std::vector<std::string> errorLines;
};

// Runs the game on save until it is on its title screen, then ends it with SIGTERM.
GameEnd RunAndTerminate(const fs::path& save) {
    TempDir logs;
    const std::string errors = (logs.Path() / "stderr.txt").string();
    testing::ChildProcess game(testing::GameCommand(save.string()), testing::GameEnvironment(),
                               errors);
    GameEnd end;
    if (!game.AwaitHandlerFor(SIGTERM, 30s)) {
        ADD_FAILURE() << "the game did not start: " << testing::ReadText(errors);
        return end;
    }
    game.Signal(SIGTERM);
    const int status = game.Wait();
    end.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    end.errorLines = testing::Lines(testing::ReadText(errors));
    return end;
}

std::vector<uint8_t> OldSave(const fs::path& save) {
    testing::TestGame scratch;
    testing::FillSave(*scratch, 777);
    const auto record = EncodeSave(*scratch);
    const std::vector<uint8_t> bytes(record.begin(), record.end());
    testing::WriteBytes(save, bytes);
    return bytes;
}

// One line says the save failed and why, naming the save itself, not the temporary file that is
// gone by the time the player reads it. The only other lines allowed are the same news about the
// record of the last game, which the game writes beside the save just before it, and the warning
// at the start that the scores will not be kept, which a folder that cannot be written must get.
void ExpectOneLineNaming(const GameEnd& end, const fs::path& save, const std::string& reason,
                         bool warnedAtStart) {
    const std::string saveLine = "volley: the game could not be saved: ";
    const std::string replayLine = "volley: the replay was not saved: ";
    const std::string startLine = "volley: the scores of this game will not be kept: ";
    int saveLines = 0;
    int startLines = 0;
    for (const std::string& line : end.errorLines) {
        if (line.rfind(saveLine, 0) == 0) {
            ++saveLines;
            EXPECT_NE(line.find(save.string() + ": " + reason), std::string::npos) << line;
        } else if (line.rfind(startLine, 0) == 0) {
            ++startLines;
            EXPECT_NE(line.find(save.parent_path().string() + ": " + reason), std::string::npos)
                << line;
        } else {
            EXPECT_EQ(line.rfind(replayLine, 0), 0u) << line;
            const fs::path replay = save.parent_path() / "last.rpl";
            EXPECT_NE(line.find(replay.string() + ": " + reason), std::string::npos) << line;
        }
    }
    EXPECT_EQ(saveLines, 1) << ::testing::PrintToString(end.errorLines);
    EXPECT_LE(startLines, 1);
    if (warnedAtStart) {
        ASSERT_FALSE(end.errorLines.empty());
        EXPECT_EQ(end.errorLines.front().rfind(startLine, 0), 0u) << end.errorLines.front();
    }
}

// A full disk, then a read-only one: for root, who writes through any permission bits, the
// folder's own small file system is filled up or made read-only; another user gets a folder
// without write permission for the second.
TEST(SaveFailure, AFullOrReadOnlyDiskLeavesTheOldSaveAndSaysSoInOneLine) {
    for (const bool full : {true, false}) {
        SCOPED_TRACE(full ? "full" : "read-only");
        if (full && geteuid() != 0) {
            continue;  // only root can mount a small disk to fill
        }
        TempDir folder;
        const fs::path save = folder.Path() / "SaveData.dat";
        std::unique_ptr<ScratchMount> disk;
        if (geteuid() == 0) {
            disk = std::make_unique<ScratchMount>(folder.Path(), "64k");
            if (!disk->Failure().empty()) {
                GTEST_SKIP() << disk->Failure();
            }
        }
        const std::vector<uint8_t> old = OldSave(save);
        std::vector<std::string> names{"SaveData.dat"};
        int reason = EACCES;
        if (full) {
            ASSERT_TRUE(FillUp(folder.Path()));
            names.push_back(kFillerName);
            reason = ENOSPC;
        } else if (disk) {
            ASSERT_TRUE(disk->MakeReadOnly()) << std::strerror(errno);
            reason = EROFS;
        } else {
            ASSERT_EQ(chmod(folder.Path().c_str(), 0555), 0);
        }

        const GameEnd end = RunAndTerminate(save);
        chmod(folder.Path().c_str(), 0755);
        EXPECT_EQ(end.exitCode, 1);
        // A folder that cannot be written is seen at the start; a full disk only at the end.
        ExpectOneLineNaming(end, save, std::strerror(reason), !full);
        EXPECT_EQ(ReadBytes(save), old);
        EXPECT_EQ(NamesIn(folder.Path()), names);
    }
}

// The save of someone the player is not: as root, the game is run as nobody.
TEST(SaveFailure, ASaveThePlayerCannotReadStopsTheGameBeforeItStartsAndIsLeftAsItIs) {
    TempDir folder;
    ASSERT_EQ(chmod(folder.Path().c_str(), 0777), 0);  // the folder itself is anybody's to write
    const fs::path save = folder.Path() / "SaveData.dat";
    const std::vector<uint8_t> old = OldSave(save);
    ASSERT_EQ(chmod(save.c_str(), geteuid() == 0 ? 0600 : 0), 0);
    std::vector<std::string> command = testing::GameCommand(save.string());
    if (geteuid() == 0) {
        command.insert(command.begin(),
                       {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    }
    TempDir logs;
    const std::string errors = (logs.Path() / "stderr.txt").string();
    testing::ChildProcess game(command, testing::GameEnvironment(), errors);
    const std::optional<int> ended = game.WaitAtMost(30s);
    chmod(save.c_str(), 0600);
    ASSERT_TRUE(ended.has_value()) << "the game played on";
    const int status = *ended;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::vector<std::string> lines = testing::Lines(testing::ReadText(errors));
    ASSERT_EQ(lines.size(), 1u) << ::testing::PrintToString(lines);
    EXPECT_NE(lines[0].find(save.string()), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find(std::strerror(EACCES)), std::string::npos) << lines[0];
    EXPECT_EQ(ReadBytes(save), old);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"SaveData.dat"});
}

// A file size limit lets a write take only a part of the save: the reason given must be the
// limit's, not whatever an earlier call happened to leave in errno.
TEST(SaveFailure, AWriteCutShortByTheFileSizeLimitGivesItsOwnReason) {
    TempDir folder;
    const fs::path save = folder.Path() / "SaveData.dat";
    const std::vector<uint8_t> old = OldSave(save);
    testing::TestGame t;
    testing::FillSave(*t, 778);
    t->SaveFile = save.string();

    // Past the limit the kernel raises SIGXFSZ, which would end the test; ignored, the write
    // fails with EFBIG instead.
    struct sigaction ignore {};
    struct sigaction previous {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = kSaveBytes / 2;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    errno = ENOENT;
    std::string error;
    const bool written = WriteSaveData(*t, error);
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_FALSE(written);
    EXPECT_EQ(error, "cannot write " + save.string() + ": " + std::strerror(EFBIG));
    EXPECT_EQ(ReadBytes(save), old);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"SaveData.dat"});
}

// Every name in folder but the save's own and the game's record of its last game.
std::vector<std::string> OthersBeside(const fs::path& save) {
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(save.parent_path())) {
        if (entry.path() != save && entry.path().filename() != "last.rpl") {
            others.push_back(entry.path().filename().string());
        }
    }
    return others;
}

ino_t InodeOf(const fs::path& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// Random moments that a failing run can repeat: the seed is printed, and VOLLEY_TEST_SEED sets it.
std::mt19937 SeededRandom() {
    const char* given = std::getenv("VOLLEY_TEST_SEED");
    const unsigned seed = given != nullptr ? static_cast<unsigned>(std::strtoul(given, nullptr, 10))
                                           : std::random_device{}();
    std::cout << "random moments from VOLLEY_TEST_SEED=" << seed << '\n';
    return std::mt19937(seed);
}

std::chrono::milliseconds Between(std::mt19937& random, int low, int high) {
    return std::chrono::milliseconds(std::uniform_int_distribution<int>(low, high)(random));
}

TEST(CrashSafeSave, TheGameEndedBySigtermAtAnyMomentLeavesItsSaveWhole) {
    TempDir saveDir;
    TempDir logDir;
    const fs::path save = saveDir.Path() / "SaveData.dat";
    const std::vector<uint8_t> before = OldSave(save);
    std::mt19937 random = SeededRandom();

    constexpr int kRounds = 6;
    int endedOutright = 0;
    for (int round = 0; round < kRounds; ++round) {
        // Even rounds let the game take the signal over first, so that its way out (saving
        // included) runs at some moment of the title screen; odd ones send it blind, from the
        // very start of the process on.
        const bool blind = round % 2 == 1;
        // The game takes the signal over some 30 ms after it starts.
        const auto delay = blind ? Between(random, 0, 30) : Between(random, 0, 300);
        SCOPED_TRACE("round " + std::to_string(round) + ", SIGTERM after " +
                     std::to_string(delay.count()) + " ms" + (blind ? " from the start" : ""));
        WriteBytes(save, before);
        const ino_t oldInode = InodeOf(save);
        const std::string errors = (logDir.Path() / "stderr.txt").string();
        ChildProcess game(testing::GameCommand(save.string()), testing::GameEnvironment(), errors);
        if (!blind) {
            ASSERT_TRUE(game.AwaitHandlerFor(SIGTERM, 30s)) << testing::ReadText(errors);
        }
        std::this_thread::sleep_for(delay);
        game.Signal(SIGTERM);
        const int status = game.Wait();

        if (WIFSIGNALED(status)) {
            // Only before the game took the signal over may it end the process outright.
            EXPECT_TRUE(blind);
            ++endedOutright;
            EXPECT_EQ(WTERMSIG(status), SIGTERM);
            EXPECT_EQ(InodeOf(save), oldInode);
        } else {
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), 0) << testing::ReadText(errors);
            EXPECT_NE(InodeOf(save), oldInode) << "the game ended without saving";
        }
        // Nothing was played, so a whole save holds what it held before.
        EXPECT_EQ(ReadBytes(save), before);
        EXPECT_EQ(OthersBeside(save), std::vector<std::string>{});
    }
    std::cout << endedOutright << " of " << kRounds
              << " games were ended by SIGTERM before they took it over\n";
}

TEST(CrashSafeSave, AWriterKilledInTheMiddleOfItsSavesLeavesAWholeOldOrNewSave) {
    constexpr int32_t kSavesPerRun = 200;
    constexpr int kKills = 25;
    TempDir saveDir;
    const fs::path save = saveDir.Path() / "SaveData.dat";
    testing::TestGame scratch;
    auto writer = [&](int32_t first) {
        return std::vector<std::string>{VOLLEY_SAVE_WRITER, save.string(), std::to_string(first),
                                        std::to_string(kSavesPerRun)};
    };

    // One run undisturbed: it must end with its last save, and tells how long a run lasts.
    const auto started = std::chrono::steady_clock::now();
    {
        ChildProcess run(writer(0));
        const int status = run.Wait();
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto runTime = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    ASSERT_EQ(testing::CounterOf(ReadBytes(save), *scratch), kSavesPerRun - 1);

    std::mt19937 random = SeededRandom();
    int32_t last = kSavesPerRun - 1;
    int strayFiles = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const auto delay = Between(random, 0, static_cast<int>(runTime.count()));
        SCOPED_TRACE("kill " + std::to_string(kill) + " after " + std::to_string(delay.count()) +
                     " ms of a " + std::to_string(runTime.count()) + " ms run");
        ChildProcess run(writer(last + 1));
        std::this_thread::sleep_for(delay);
        run.Signal(SIGKILL);
        const int status = run.Wait();

        const std::vector<uint8_t> bytes = ReadBytes(save);
        const std::optional<int32_t> counter = testing::CounterOf(bytes, *scratch);
        ASSERT_TRUE(counter.has_value())
            << "the save is torn or missing: " << bytes.size() << " bytes";
        // The save of the run before, or one of this run's, in order.
        EXPECT_GE(*counter, last);
        EXPECT_LE(*counter, last + kSavesPerRun);
        if (WIFEXITED(status)) {
            EXPECT_EQ(WEXITSTATUS(status), 0);
            EXPECT_EQ(*counter, last + kSavesPerRun) << "a run that ended made all its saves";
        }
        last = *counter;
        // A kill between the temporary file's creation and its rename leaves it behind; the
        // next start of the game clears it away.
        for (const std::string& name : OthersBeside(save)) {
            EXPECT_EQ(name.rfind(".volley-", 0), 0u) << name;
            ++strayFiles;
        }
        RemoveStaleTemporaries(save.string());
        EXPECT_EQ(OthersBeside(save), std::vector<std::string>{});
    }
    ::testing::Test::RecordProperty("temporary files left by kills", strayFiles);
}

}  // namespace
}  // namespace volley
