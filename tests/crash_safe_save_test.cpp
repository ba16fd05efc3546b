// What a sudden end leaves of the save file: the real game stopped by SIGTERM at any moment of its
// run, and a writer of saves killed outright in the middle of its work. Either way the file must be
// a whole save, the old one or the new, never torn, cut short or missing.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
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
using testing::TempDir;

using testing::ReadBytes;
using testing::WriteBytes;

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
    testing::TestGame scratch;
    testing::FillSave(*scratch, 4242);
    const auto record = EncodeSave(*scratch);
    const std::vector<uint8_t> before(record.begin(), record.end());
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
