#include "shell/startup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "display/layout.h"
#include "support.h"

namespace volley {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::TestGame;

// A copy of the built game folder, to damage.
struct GameCopy {
    GameCopy() {
        fs::copy(testing::BuiltGameDir(), dir.Path(), fs::copy_options::recursive);
        fs::remove(dir.Path() / "volley");
        fs::remove(dir.Path() / "Data" / "SaveData.dat");
    }
    TempDir dir;
};

// Starts a game from dir and returns the start-up error, or "" when it started.
std::string StartupFailure(const fs::path& dir) {
    TestGame t(dir.string());
    try {
        Main(*t, 1);
    } catch (const StartupError& e) {
        EXPECT_FALSE(t.platform.window.IsOpen()) << "the window must not open";
        return e.what();
    }
    return "";
}

// What can stand where a file is expected instead of it.
enum class Impostor { Missing, Garbage, Folder, Pipe, Device, Huge, OneShort, OneLong };

void PutInPlace(const fs::path& path, Impostor impostor) {
    fs::remove(path);
    switch (impostor) {
        case Impostor::Missing: break;
        case Impostor::Garbage: std::ofstream(path) << "not a picture"; break;
        case Impostor::Folder: fs::create_directory(path); break;
        case Impostor::Pipe: ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); break;
        case Impostor::Device: fs::create_symlink("/dev/zero", path); break;
        case Impostor::Huge:
            std::ofstream(path).close();
            fs::resize_file(path, size_t{1} << 30);
            break;
        case Impostor::OneShort: std::ofstream(path) << std::string(2423, '\0'); break;
        case Impostor::OneLong: std::ofstream(path) << std::string(2425, '\0'); break;
    }
}

TEST(Startup, AnythingButAWholeFileWhereTheDataOrAPictureShouldBeStopsBeforeTheWindow) {
    struct Case {
        const char* file;
        Impostor impostor;
        const char* errorHas;
    };
    const Case cases[] = {
        {"Data/Data.dat", Impostor::Missing, ""},
        {"Graphics/Back.bmp", Impostor::Missing, ""},
        {"Graphics/Chr.bmp", Impostor::Garbage, ""},
        {"Data/Data.dat", Impostor::Folder, "folder"},
        {"Data/Data.dat", Impostor::Pipe, "pipe"},
        {"Data/Data.dat", Impostor::OneShort, "damaged: it holds 2423 bytes, not 2424"},
        {"Data/Data.dat", Impostor::OneLong, "larger than 2424"},
        {"Graphics/Chr.bmp", Impostor::Folder, "folder"},
        {"Graphics/Back.bmp", Impostor::Pipe, "pipe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + std::to_string(static_cast<int>(c.impostor)));
        GameCopy copy;
        const fs::path path = copy.dir.Path() / c.file;
        PutInPlace(path, c.impostor);
        const std::string error = StartupFailure(copy.dir.Path());
        EXPECT_NE(error.find(path.string()), std::string::npos) << error;
        EXPECT_NE(error.find(c.errorHas), std::string::npos) << error;
        // Nothing is made in its place, not even the save.
        EXPECT_EQ(fs::exists(fs::symlink_status(path)), c.impostor != Impostor::Missing);
        EXPECT_FALSE(fs::exists(copy.dir.Path() / "Data" / "SaveData.dat"));
    }
}

// An effect is its whole file and one zero byte; one that cannot be read is the lone zero byte.
TEST(Startup, AnEffectThatCannotBeReadStaysSilentWithOneWarning) {
    for (Impostor impostor :
         {Impostor::Missing, Impostor::Folder, Impostor::Device, Impostor::Huge}) {
        GameCopy copy;
        const fs::path path = copy.dir.Path() / "Sound" / "Bom.wav";
        PutInPlace(path, impostor);
        TestGame t(copy.dir.Path().string());
        ::testing::internal::CaptureStderr();
        Main(*t, 1);
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 1) << warnings;
        EXPECT_NE(warnings.find(path.string()), std::string::npos) << warnings;
        EXPECT_EQ(t->SndBom, std::vector<uint8_t>{0});
        std::vector<uint8_t> whole = testing::ReadBytes(copy.dir.Path() / "Sound" / "HitB.wav");
        whole.push_back(0);
        EXPECT_EQ(t->SndHitB, whole);
    }
}

}  // namespace
}  // namespace volley
