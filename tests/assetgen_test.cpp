// The asset generator, end to end and reader by reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "asset_build.h"
#include "asset_error.h"
#include "audio_build.h"
#include "data_table.h"
#include "explosion.h"
#include "file_io.h"
#include "mml_compiler.h"
#include "params.h"
#include "pixel_art.h"
#include "sfx_synth.h"
#include "shape_art.h"
#include "smf_writer.h"
#include "sprite_sheet.h"
#include "support.h"
#include "wav_writer.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;
void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

using volley::testing::ReadBytes;
using Bytes = std::vector<uint8_t>;

template <typename Call>
std::string ErrorOf(Call&& call) {
    try {
        call();
    } catch (const assetgen::AssetError& error) {
        return error.what();
    }
    return "";
}

// The "<source> => <expected>" lines of tests/data/<name>, \n in a source ending a line of it.
std::vector<std::pair<std::string, std::string>> ReadCases(const std::string& name) {
    std::vector<std::pair<std::string, std::string>> cases;
    std::istringstream lines(
        volley::testing::ReadText(fs::path(__FILE__).parent_path() / "data" / name));
    for (std::string line; std::getline(lines, line);) {
        const size_t arrow = line.find(" => ");
        if (line.empty() || line[0] == '#' || arrow == std::string::npos) {
            continue;
        }
        std::string source;
        for (size_t i = 0; i < arrow; ++i) {
            const bool newline = line.compare(i, 2, "\\n") == 0;
            source += newline ? '\n' : line[i];
            i += newline ? 1 : 0;
        }
        cases.emplace_back(source, line.substr(arrow + 4));
    }
    return cases;
}

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

TEST_F(AssetgenFailures, ABrokenSourceNamesItsFileAndLineAndWritesNothing) {
    const fs::path s = Sources();
    const std::string rects = s.string() + "/sprite_rects.txt";
    WriteText(s / "sprite_rects.txt", "# enemies\nEnemyTypes 1 380 0 8 8\n");
    EXPECT_EQ(BuildError(), rects + ":2: rectangle 380 0 8 8 is not wholly on the 384x512 sheet");
    WriteText(s / "sprite_rects.txt", "EnemyShotTypes 2 explosion_3\n");
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
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Output())) {
        EXPECT_NE(entry.path().extension(), ".part") << entry.path();
    }
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

TEST(AssetgenBadSources, EachIsRefusedWithItsOwnLine) {
    const auto cases = ReadCases("bad_asset_sources.txt");
    for (const auto& [line, expected] : cases) {
        const size_t space = line.find(' ');
        EXPECT_EQ(ErrorOf([&] { Read(line.substr(0, space), line.substr(space + 1)); }),
                  expected == "taken" ? "" : expected)
            << line;
    }
    EXPECT_EQ(cases.size(), 75u);
}

// A track's notes, each strike paired with the next release of its key, and its other messages.
std::string NotesOf(const MidiTrack& track) {
    std::ostringstream notes;
    for (size_t i = 0; i < track.Events.size(); ++i) {
        const Bytes& on = track.Events[i].Bytes;
        if (on[0] >= 0xB0 && on[0] < 0xF0) {
            notes << (notes.tellp() > 0 ? " " : "") << track.Events[i].Tick << ":" << std::hex;
            for (uint8_t byte : on) {
                notes << int{byte} / 16 << int{byte} % 16;
            }
            notes << std::dec;
        }
        for (size_t j = i + 1; (on[0] & 0xF0) == 0x90 && j < track.Events.size(); ++j) {
            const Bytes& off = track.Events[j].Bytes;
            if ((off[0] & 0xF0) == 0x80 && off[1] == on[1]) {
                notes << (notes.tellp() > 0 ? " " : "") << track.Events[i].Tick << "+"
                      << track.Events[j].Tick - track.Events[i].Tick << ":" << int{on[1]};
                notes << (on[2] != 100 ? "@" + std::to_string(on[2]) : "");
                notes << ((on[0] & 0x0F) != 0 ? "#" + std::to_string(on[0] & 0x0F) : "");
                break;
            }
        }
    }
    return notes.str();
}

TEST(AssetgenMml, NotesFallWhereTheNotationPutsThem) {
    const auto cases = ReadCases("mml_notes.txt");
    for (const auto& [source, notes] : cases) {
        EXPECT_EQ(NotesOf(CompileMusic(source + "\n", "song.mml").Tracks.at(1)), notes) << source;
    }
    EXPECT_EQ(cases.size(), 20u);
    const CompiledMusic music = CompileMusic("tempo 90\ntrack a 3\nt150 c8\ntrack b 2\nc8\n", "t");
    ASSERT_EQ(music.Tracks.at(0).Events.size(), 3u) << "the conductor: name and two tempi";
    EXPECT_EQ(music.Tracks[0].Events[1].Bytes, TempoChange(0, 90).Bytes);
    EXPECT_EQ(music.Tracks[0].Events[2].Bytes, (Bytes{0xFF, 0x51, 3, 0x06, 0x1A, 0x80}));  // 150
    const Bytes smf = EncodeMusic(music);
    EXPECT_EQ(std::make_pair(smf[9], smf[11]), std::make_pair(uint8_t{1}, uint8_t{3}))
        << "format 1: the conductor and two parts";
}

TEST(AssetgenMml, LoopsNestSixteenDeepAndPartsLastTenThousandBeats) {
    auto nested = [](int depth) {
        std::string text = "track a 1\n" + std::string(static_cast<size_t>(depth), '[') + "c";
        for (int i = 0; i < depth; ++i) {
            text += "]1";
        }
        return text + "\n";
    };
    EXPECT_EQ(CompileMusic(nested(16), "deep.mml").EndTick, 480u);
    const auto error = [](const std::string& s) { return ErrorOf([&] { CompileMusic(s, "b"); }); };
    EXPECT_EQ(error(nested(17)), "b:2: loops nest more than 16 deep");
    EXPECT_EQ(error(nested(5000)), "b:2: loops nest more than 16 deep") << "not out of stack";
    EXPECT_EQ(CompileMusic("track a 1\n[[r1]50]50\n", "long.mml").EndTick, 10000u * 480);
    std::string ties = "track a 1\nc1";
    for (int i = 0; i < 10000; ++i) {
        ties += "^1";
    }
    EXPECT_EQ(error(ties), "b:2: the part lasts more than 10000 beats") << "ties must not wrap";
}

// The game's reader cannot tell the order at one tick: a release must go before a strike.
TEST(AssetgenSmf, ReleasesComeBeforeStrikesAtOneTick) {
    MidiTrack track;
    track.Events = {ProgramChange(0, 2, 33), NoteOn(0, 2, 40, 90), NoteOn(96, 2, 40, 90),
                    NoteOff(96, 2, 40)};
    const Bytes smf = EncodeSmf({track}, 96, 96);
    EXPECT_EQ(Bytes(smf.begin() + 22, smf.end()),
              (Bytes{0, 0xC2, 33, 0, 0x92, 40, 90, 0x60, 0x82, 40, 64, 0, 0x92, 40, 90, 0, 0xFF,
                     0x2F, 0}));
    EXPECT_THROW(EncodeSmf({track}, 96, 95), std::logic_error);
}

TEST(AssetgenWav, SamplesAreSixteenBitClampedNotWrapped) {
    const Bytes wav = EncodeWav16Mono({0.0, 0.5, -0.5, 1.7, -3.0}, 44100);
    EXPECT_EQ(Bytes(wav.begin() + 40, wav.end()),
              (Bytes{10, 0, 0, 0, 0, 0, 0, 0x40, 0, 0xC0, 0xFF, 0x7F, 1, 0x80}));
}

constexpr Rgb kGreen{0, 200, 0};

// A shape-painted sprite as text: its cell, then its rows, '|' between them; '.' is clear, 'o' the
// outline and a digit how far a pixel lies from the ramp's dark end (0) to its light end (9).
std::string Picture(const Sprite& sprite) {
    std::string text = std::to_string(sprite.X) + "," + std::to_string(sprite.Y) + " ";
    for (int y = 0; y < sprite.Height(); ++y) {
        for (int x = 0; x < sprite.Width(); ++x) {
            const Rgb c = sprite.Colours.At(x, y);
            text += !sprite.Opaque.At(x, y) ? '.'
                    : c == Rgb{1, 2, 3}     ? 'o'
                                            : static_cast<char>('0' + (c.R - 10) * 9 / 190);
        }
        text += y + 1 < sprite.Height() ? "|" : "";
    }
    return text;
}

TEST(AssetgenShapeArt, ShapesAreCroppedShadedOutlinedAndMirrored) {
    const auto cases = ReadCases("shape_art.txt");
    for (const auto& [source, picture] : cases) {
        EXPECT_EQ(Picture(ParseShapeArt("ramp two 0a141e c8d2dc\n" + source, "s.txt").at(0)),
                  picture)
            << source;
    }
    EXPECT_EQ(cases.size(), 7u);
}

TEST(AssetgenSheet, OpaquePixelsOnlyAndAMaskOfTheRest) {
    std::vector<Sprite> sprites = ParsePixelArt(
        "colour g 00c800\nsprite a 1 0 2 2\ng.\n.g\nend\nsprite b 0 1 1 1\ng\nend\n", "s.txt");
    sprites[0].Colours.At(1, 0) = {9, 9, 9};  // stray colour under a clear pixel
    const SpriteSheet sheet = ComposeSheet(sprites, 3, 2);
    EXPECT_EQ(sheet.Colours.Pixels,
              (std::vector<Rgb>{kBlack, kGreen, kBlack, kGreen, kBlack, kGreen}));
    EXPECT_EQ(sheet.Opaque.Bits, (std::vector<uint8_t>{0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(MaskBits(sheet).Bits, (std::vector<uint8_t>{1, 0, 1, 0, 1, 0}));
    sprites[1] = sprites[0];
    sprites[1].Y = 4;
    EXPECT_EQ(ErrorOf([&] { ComposeSheet(sprites, 8, 8); }),
              "s.txt:2: sprite name 'a' is also used by a (s.txt:2)");
}

}  // namespace
}  // namespace assetgen
