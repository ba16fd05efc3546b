// Every reader of the asset generator answers a bad source with one line naming the file, the line
// and the fault: the cases and their lines are in data/bad_asset_sources.txt.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "assetgen_test_support.h"
#include "data_table.h"
#include "explosion.h"
#include "mml_compiler.h"
#include "pixel_art.h"
#include "sfx_synth.h"
#include "shape_art.h"
#include "sprite_sheet.h"
#include "test_files.h"

namespace assetgen {
namespace {

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

TEST(AssetgenBadSources, EachIsRefusedWithItsOwnLine) {
    const auto cases = assetgen_test::ReadCases("bad_asset_sources.txt");
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE(line);
        const size_t space = line.find(' ');
        EXPECT_EQ(
            assetgen_test::ErrorOf([&] { Read(line.substr(0, space), line.substr(space + 1)); }),
            expected);
    }
    EXPECT_GT(cases.size(), 90u);
}

// The readers read their values whole: the largest values pass, one beyond is refused.
TEST(AssetgenBadSources, EdgesOfTheRangesAreTaken) {
    for (const auto& [reader, source] : std::initializer_list<std::pair<const char*, const char*>>{
             {"rects", "EnemyTypes 100 0 0 384 512\nEnemyTypes 0 383 511 1 1\n"},
             {"art", "colour r ff0000\nsprite a 4 4 4 1\nrrrr\nend\nsprite b 0 7 4 1\nrrrr\nend\n"},
             {"blast", "cell = 256\nseed = 0"},
             {"mml", "track a 1\n[[r1]50]50\n"}}) {
        EXPECT_EQ(assetgen_test::ErrorOf([&] { Read(reader, source); }), "") << source;
    }
}

}  // namespace
}  // namespace assetgen
