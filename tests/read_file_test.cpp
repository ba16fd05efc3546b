#include "platform/read_file.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "test_game.h"

namespace volley {
namespace {

namespace fs = std::filesystem;

// Every kind of thing that can stand where a file is expected, and what the reader makes of it.
TEST(ReadWholeFile, TakesRegularFilesWithinTheirLimitAndRefusesTheRest) {
    testing::TempDir dir;
    const fs::path d = dir.Path();
    std::ofstream(d / "ten") << "0123456789";
    std::ofstream(d / "empty").close();
    fs::create_directory(d / "folder");
    ASSERT_EQ(mkfifo((d / "pipe").c_str(), 0600), 0);
    fs::create_symlink(d / "ten", d / "link");
    fs::create_symlink("/dev/zero", d / "zero");
    fs::create_symlink(d / "nothing", d / "dangling");
    // A sparse gigabyte costs nothing on the disk and must cost nothing in memory either.
    std::ofstream(d / "huge").close();
    fs::resize_file(d / "huge", size_t{1} << 30);

    struct Case {
        const char* name;
        size_t limit;
        Links links;
        ReadStatus status;
        size_t bytes;
        const char* errorHas;
    };
    const Case cases[] = {
        {"ten", 10, Links::Follow, ReadStatus::Read, 10, ""},
        {"ten", 9, Links::Follow, ReadStatus::Refused, 0, "larger than 9 bytes"},
        {"empty", 0, Links::Follow, ReadStatus::Read, 0, ""},
        {"missing", 10, Links::Follow, ReadStatus::Missing, 0, "No such file"},
        {"folder", 10, Links::Follow, ReadStatus::Refused, 0, "a folder"},
        {"pipe", 10, Links::Follow, ReadStatus::Refused, 0, "a pipe"},
        {"zero", 10, Links::Follow, ReadStatus::Refused, 0, "a device"},
        {"huge", size_t{1} << 20, Links::Follow, ReadStatus::Refused, 0, "larger than"},
        {"link", 10, Links::Follow, ReadStatus::Read, 10, ""},
        {"link", 10, Links::Refuse, ReadStatus::Refused, 0, "symbolic link"},
        {"dangling", 10, Links::Refuse, ReadStatus::Refused, 0, "symbolic link"},
        {"dangling", 10, Links::Follow, ReadStatus::Missing, 0, "No such file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes(3, 7);
        std::string error;
        const std::string path = (d / c.name).string();
        EXPECT_EQ(ReadWholeFile(path, c.limit, bytes, error, c.links), c.status);
        EXPECT_EQ(bytes.size(), c.bytes);
        EXPECT_NE(error.find(c.errorHas), std::string::npos) << error;
        if (c.status != ReadStatus::Read) {
            EXPECT_NE(error.find(path), std::string::npos) << error;
        }
    }
}

// Runs what in a child process that is not root (nobody, when the tests run as root, since root
// reads every file) and returns its exit code.
int AsNormalUser(const std::function<int()>& what) {
    if (geteuid() != 0) {
        return what();
    }
    const pid_t child = fork();
    if (child == 0) {
        const bool dropped = setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
        _exit(dropped ? what() : 99);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

TEST(ReadWholeFile, AFileItsReaderMayNotReadIsRefusedNotMissing) {
    testing::TempDir dir;
    chmod(dir.Path().c_str(), 0755);
    const fs::path path = dir.Path() / "private";
    std::ofstream(path) << "secret";
    ASSERT_EQ(chmod(path.c_str(), geteuid() == 0 ? 0600 : 0), 0);
    const int result = AsNormalUser([&] {
        std::vector<uint8_t> bytes;
        std::string error;
        return ReadWholeFile(path.string(), 100, bytes, error) == ReadStatus::Refused &&
                       bytes.empty() && error.find("Permission denied") != std::string::npos
                   ? 0
                   : 1;
    });
    EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace volley
