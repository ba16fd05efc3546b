// The sources in assets/ built end to end, as the build put them in the runnable folder; a broken
// copy of the sources, and every reader given a bad source (the cases and their lines are in
// data/bad_asset_sources.txt), answered with one line naming the file, the line and the fault.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <utility>

#include "asset_build.h"
#include "assetgen_test_support.h"
#include "audio_build.h"
#include "data_table.h"
#include "explosion.h"
#include "file_io.h"
#include "mml_compiler.h"
#include "pixel_art.h"
#include "sfx_synth.h"
#include "shape_art.h"
#include "sprite_sheet.h"
#include "test_game.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;
using assetgen_test::ErrorOf;
using assetgen_test::ReadBytes;
using assetgen_test::WriteText;

const fs::path kAssets = VOLLEY_ASSETS_DIR;
const fs::path kGame = VOLLEY_GAME_DIR;

TEST(AssetgenOutputs, TwoRunsGiveIdenticalBytesAndMatchTheBuild) {
    const std::vector<OutputFile> first = BuildAllAssets(kAssets);
    const std::vector<OutputFile> second = BuildAllAssets(kAssets);
    ASSERT_EQ(first.size(), 6 + kEffectNames.size() + kMusicNames.size());
    ASSERT_EQ(second.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].Path, second[i].Path);
        EXPECT_TRUE(first[i].Bytes == second[i].Bytes) << first[i].Path;
        EXPECT_TRUE(ReadBytes(kGame / first[i].Path) == first[i].Bytes)
            << first[i].Path << " in the runnable folder is stale";
    }
}

class AssetgenFailures : public ::testing::Test {
  protected:
    void SetUp() override { fs::copy(kAssets, Sources(), fs::copy_options::recursive); }
    fs::path Sources() const { return scratch_.Path() / "assets"; }
    fs::path Output() const { return scratch_.Path() / "game"; }
    std::string BuildError() {
        return ErrorOf([&] { WriteAssets(BuildAllAssets(Sources()), Output()); });
    }

    volley::testing::TempDir scratch_;
};

// Each fault is put in, its line checked, and put right again before the next.
TEST_F(AssetgenFailures, ABrokenSourceNamesItsFileAndLineAndWritesNothing) {
    const fs::path s = Sources();
    const std::string rects = s.string() + "/sprite_rects.txt";
    WriteText(s / "sprite_rects.txt", "# enemies\nEnemyTypes 1 380 0 8 8\n");
    EXPECT_EQ(BuildError(), rects + ":2: rectangle 380 0 8 8 is not wholly on the 384x512 sheet");
    WriteText(s / "sprite_rects.txt", "EnemyShotTypes 2 explosion_3\n");
    const std::vector<OutputFile> named = BuildAssets(s);
    EXPECT_EQ(named.back().Bytes.at(1616 + 16), 96) << "a rectangle named by its sprite";
    WriteText(s / "sprites" / "zz_broken.txt", "colour a ff0000\nsprite dot 0 480 1 1\nb\nend\n");
    EXPECT_NE(BuildError().find("zz_broken.txt:3: character 'b'"), std::string::npos);
    WriteText(s / "sprites" / "zz_broken.txt", "colour a ff0000\nsprite x 40 8 2 2\naa\naa\nend\n");
    EXPECT_NE(BuildError().find("zz_broken.txt:2: sprite x overlaps sprite ship_bank_left"),
              std::string::npos);
    fs::remove(s / "sprites" / "zz_broken.txt");
    std::string up = ReadSourceFile(s / "sound" / "UP.txt");
    WriteText(s / "sound" / "UP.txt",
              up.replace(up.find("tone_level = 0.8"), 16, "tone_level = 0"));
    EXPECT_NE(BuildError().find("UP.txt: "), std::string::npos) << "a silent effect";
    fs::remove(s / "sound" / "UP.txt");
    EXPECT_EQ(BuildError(), s.string() + "/sound/UP.txt: cannot open the file");
    fs::create_directory(s / "sound" / "UP.txt");
    EXPECT_NE(BuildError().find("UP.txt: it is a folder"), std::string::npos);
    fs::remove_all(s / "sprites");
    EXPECT_EQ(BuildError(), s.string() + "/sprites: the folder is missing");
    EXPECT_FALSE(fs::exists(Output()));
}

TEST_F(AssetgenFailures, WritesEverythingLeavesNoTemporariesAndReportsWhatItCannotWrite) {
    const std::vector<OutputFile> files = BuildAssets(Sources());
    WriteAssets(files, Output());
    for (const OutputFile& file : files) {
        EXPECT_EQ(ReadBytes(Output() / file.Path), file.Bytes) << file.Path;
    }
    EXPECT_TRUE(fs::is_directory(Output() / "Sound"));
    EXPECT_TRUE(fs::is_directory(Output() / "Music"));
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Output())) {
        EXPECT_NE(entry.path().extension(), ".part") << entry.path();
    }
    // A folder squatting on an output's name cannot be replaced.
    fs::remove(Output() / "Data" / "Data.dat");
    fs::create_directories(Output() / "Data" / "Data.dat");
    EXPECT_NE(ErrorOf([&] { WriteAssets(files, Output()); }).find("Data.dat: cannot replace"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(Output() / "Data" / "Data.dat.part"));
    fs::remove_all(Output());
    WriteText(Output(), "a file where the folder should be");
    EXPECT_NE(ErrorOf([&] { WriteAssets(files, Output()); }).find("cannot create the folder"),
              std::string::npos);
}

const char* const kTick =
    "seconds = 0.05\ntone = triangle\nduty = 0.5\npitch = 2000 1500\nsteps = 1\n"
    "step_time = 1\nring = 0\ntone_level = 1\ntone_decay = 0.02\nnoise_level = 0\n"
    "noise_rate = 100 100\nnoise_decay = 1\nlowpass = 9000 9000\nhighpass = 100\n"
    "attack = 0.001\nrelease = 0.01\npeak = -6\nseed = 1\n";
const char* const kBlast =
    "name = boom\norigin = 0 32\ncell = 32\nseed = 1\nramp = ffffff 800000\nradius = 4 8\n"
    "hollow = 0 0.5\nheat = 1 0.5\nragged = 0 0.2\nflare = 6 0\nsparks = 0 3\n";

// A good recipe with the keys the case names taken out, then the case's own lines added.
std::string Changed(const std::string& recipe, const std::string& changes) {
    std::istringstream lines(changes);
    std::string line, text = recipe;
    std::string added;
    while (std::getline(lines, line)) {
        const std::string key = line[0] == '-' ? line.substr(1) : line.substr(0, line.find(" ="));
        if (const size_t at = text.find(key + " ="); at != std::string::npos) {
            text.erase(at, text.find('\n', at) + 1 - at);
        }
        added += line[0] == '-' ? "" : line + "\n";
    }
    return text + added;
}

void Read(const std::string& reader, const std::string& source) {
    static const std::map<std::string, std::function<void(const std::string&)>> kReaders = {
        {"mml", [](const std::string& s) { CompileMusic(s, "bad.mml"); }},
        {"art", [](const std::string& s) { ComposeSheet(ParsePixelArt(s, "bad.txt"), 8, 8); }},
        {"shape",
         [](const std::string& s) { ParseShapeArt("ramp two 0a141e c8d2dc\n" + s, "bad.txt"); }},
        {"rects", [](const std::string& s) { ParseRectTables(s, "bad.txt", {}); }},
        {"effect",
         [](const std::string& s) {
             SynthesizeEffect(ReadEffectRecipe(Params::Parse(Changed(kTick, s), "bad.txt")));
         }},
        {"blast",
         [](const std::string& s) {
             ReadExplosionRecipe(Params::Parse(Changed(kBlast, s), "bad.txt"));
         }},
    };
    kReaders.at(reader)(source);
}

// "taken" marks the sources at the edges of the ranges, which must pass.
TEST(AssetgenBadSources, EachIsRefusedWithItsOwnLine) {
    const auto cases = assetgen_test::ReadCases("bad_asset_sources.txt");
    for (const auto& [line, expected] : cases) {
        const size_t space = line.find(' ');
        EXPECT_EQ(
            assetgen_test::ErrorOf([&] { Read(line.substr(0, space), line.substr(space + 1)); }),
            expected == "taken" ? "" : expected)
            << line;
    }
    EXPECT_GT(cases.size(), 90u);
}

}  // namespace
}  // namespace assetgen
