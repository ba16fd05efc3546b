// The generated files as the game will see them: the sources in assets/ built end to end, the
// copies the build put in the runnable folder read back with the game's own bitmap reader, and a
// broken copy of the sources refused with the file and line at fault.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "asset_build.h"
#include "assetgen_test_support.h"
#include "audio_build.h"
#include "file_io.h"
#include "platform/bmp.h"
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

volley::Surface LoadGamePicture(const std::string& name) {
    volley::Surface surface;
    std::string error;
    EXPECT_TRUE(volley::LoadBmp((kGame / "Graphics" / name).string(), surface, error)) << error;
    return surface;
}

TEST(AssetgenOutputs, MaskFollowsTheSpritesOwnTransparency) {
    const volley::Surface sheet = LoadGamePicture("Chr.bmp");
    const volley::Surface mask = LoadGamePicture("MChr.bmp");
    ASSERT_EQ(std::make_pair(sheet.Width, sheet.Height), std::make_pair(kSheetWidth, kSheetHeight));
    ASSERT_EQ(std::make_pair(mask.Width, mask.Height), std::make_pair(kSheetWidth, kSheetHeight));
    volley::Surface expected_mask(kSheetWidth, kSheetHeight, volley::kWhite);
    for (const Sprite& sprite : LoadSprites(kAssets)) {
        for (int y = 0; y < sprite.Height(); ++y) {
            for (int x = 0; x < sprite.Width(); ++x) {
                if (sprite.Opaque.At(x, y)) {
                    expected_mask.At(sprite.X + x, sprite.Y + y) = volley::kBlack;
                }
            }
        }
    }
    for (int y = 0; y < kSheetHeight; ++y) {
        for (int x = 0; x < kSheetWidth; ++x) {
            ASSERT_EQ(mask.At(x, y), expected_mask.At(x, y)) << "mask at " << x << "," << y;
            if (mask.At(x, y) == volley::kWhite) {
                ASSERT_EQ(sheet.At(x, y), volley::kBlack) << "sheet at " << x << "," << y;
            }
        }
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

}  // namespace
}  // namespace assetgen
