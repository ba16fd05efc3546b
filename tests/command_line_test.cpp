// Reading the command line: every option, its values and its refusals.

#include "app/command_line.h"

#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <vector>

namespace volley {
namespace {

struct Parsed {
    Command command;
    Options options;
    std::string error;
};

Parsed Parse(std::vector<const char*> args) {
    Parsed p;
    p.command = ParseCommandLine(args, p.options, p.error);
    return p;
}

void ExpectRefused(std::vector<const char*> args, const std::string& part) {
    const Parsed p = Parse(args);
    EXPECT_EQ(p.command, Command::Refuse) << args[0];
    EXPECT_NE(p.error.find(part), std::string::npos) << p.error;
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << "one line: " << p.error;
}

TEST(CommandLine, NothingGivenPlaysWithTheDefaults) {
    const Parsed p = Parse({});
    EXPECT_EQ(p.command, Command::Play);
    EXPECT_FALSE(p.options.Seed);
    EXPECT_EQ(p.options.Scale, 0);
    EXPECT_EQ(p.options.MusicVolume, 100);
    EXPECT_EQ(p.options.SfxVolume, 100);
    EXPECT_FALSE(p.options.Keys);
    EXPECT_FALSE(p.options.Mute || p.options.Fullscreen || p.options.Headless || p.options.Verify);
}

TEST(CommandLine, HelpAndVersionWinWhateverElseIsGiven) {
    EXPECT_EQ(Parse({"--scale", "3", "--help"}).command, Command::ShowHelp);
    EXPECT_EQ(Parse({"-h"}).command, Command::ShowHelp);
    EXPECT_EQ(Parse({"--version", "--bogus"}).command, Command::ShowVersion);
}

TEST(CommandLine, TheHelpNamesEveryOptionOnALineOfItsOwn) {
    const std::string usage = UsageText();
    for (const char* option :
         {"--help", "--version", "--mute", "--music-volume", "--sfx-volume", "--seed", "--save",
          "--scale", "--fullscreen", "--keys", "--record", "--replay", "--headless", "--verify"}) {
        const std::string line = std::string("\n  ") + option + " ";
        EXPECT_NE(usage.find(line), std::string::npos) << option;
    }
    size_t lines = 0;
    for (char c : usage) {
        lines += c == '\n';
    }
    EXPECT_EQ(lines, 15u) << "a heading and fourteen options";
}

TEST(CommandLine, ValuesAreTakenSeparatelyOrAfterAnEqualsSign) {
    const Parsed p = Parse({"--seed", "18446744073709551615", "--scale=8", "--music-volume", "0",
                            "--sfx-volume=100", "--save", "s.dat", "--record=r.rpl", "--mute",
                            "--fullscreen", "--headless"});
    ASSERT_EQ(p.command, Command::Play) << p.error;
    EXPECT_EQ(*p.options.Seed, 18446744073709551615ull);
    EXPECT_EQ(p.options.Scale, 8);
    EXPECT_EQ(p.options.MusicVolume, 0);
    EXPECT_EQ(p.options.SfxVolume, 100);
    EXPECT_EQ(p.options.SavePath, "s.dat");
    EXPECT_EQ(p.options.RecordPath, "r.rpl");
    EXPECT_TRUE(p.options.Mute && p.options.Fullscreen && p.options.Headless);
}

TEST(CommandLine, NumbersOutsideTheirRangesAreRefused) {
    ExpectRefused({"--scale", "0"}, "1 to 8");
    ExpectRefused({"--scale", "9"}, "1 to 8");
    ExpectRefused({"--scale", "2x"}, "'2x'");
    ExpectRefused({"--music-volume", "101"}, "0 to 100");
    ExpectRefused({"--sfx-volume", "-1"}, "0 to 100");
    ExpectRefused({"--sfx-volume", ""}, "0 to 100");
    ExpectRefused({"--seed", "18446744073709551616"}, "whole number");
    ExpectRefused({"--seed", "-5"}, "whole number");
}

TEST(CommandLine, MissingValuesUnknownOptionsAndStrayFlagsAreRefused) {
    ExpectRefused({"--seed"}, "needs a value");
    ExpectRefused({"--replay"}, "needs a value");
    ExpectRefused({"--save", ""}, "file name");
    ExpectRefused({"--frobnicate"}, "unknown option '--frobnicate'");
    ExpectRefused({"game.rpl"}, "unknown option 'game.rpl'");
    ExpectRefused({"--mute=yes"}, "takes no value");
}

TEST(CommandLine, KeysAreSixSdlNamesInTheirOrder) {
    const Parsed p = Parse({"--keys", "A,W,D,S,J,K"});
    ASSERT_EQ(p.command, Command::Play) << p.error;
    const KeyBindingPlaces expected = {KeyPlace{SDL_SCANCODE_A}, KeyPlace{SDL_SCANCODE_W},
                                       KeyPlace{SDL_SCANCODE_D}, KeyPlace{SDL_SCANCODE_S},
                                       KeyPlace{SDL_SCANCODE_J}, KeyPlace{SDL_SCANCODE_K}};
    EXPECT_EQ(*p.options.Keys, expected);
    const Parsed named = Parse({"--keys=Left,Up,Right,Down,Space,Left Shift"});
    ASSERT_EQ(named.command, Command::Play) << named.error;
    EXPECT_EQ((*named.options.Keys)[4], KeyPlace{SDL_SCANCODE_SPACE});
    EXPECT_EQ((*named.options.Keys)[5], KeyPlace{SDL_SCANCODE_LSHIFT});
}

TEST(CommandLine, BadKeyListsSayWhatIsWrong) {
    ExpectRefused({"--keys", "A,W,D,S,J"}, "six key names");
    ExpectRefused({"--keys", "A,W,D,S,J,K,L"}, "six key names");
    ExpectRefused({"--keys", "A,W,D,S,J,Nope"}, "'Nope' is not a key name");
    ExpectRefused({"--keys", "A,W,D,S,J,"}, "is not a key name");
    ExpectRefused({"--keys", "A,W,D,S,J,a"}, "given twice");
    ExpectRefused({"--keys", "A,W,D,S,J,Escape"}, "kept for");
    ExpectRefused({"--keys", "A,W,D,S,J,P"}, "kept for");
    ExpectRefused({"--keys", "F12,W,D,S,J,K"}, "kept for");
}

TEST(CommandLine, ReplayOptionsMustMakeSenseTogether) {
    const Parsed p = Parse({"--headless", "--replay", "g.rpl", "--verify"});
    ASSERT_EQ(p.command, Command::Play) << p.error;
    EXPECT_EQ(p.options.ReplayPath, "g.rpl");
    EXPECT_TRUE(p.options.Verify);
    ExpectRefused({"--verify"}, "--replay");
    ExpectRefused({"--replay", "a.rpl", "--record", "b.rpl"}, "cannot go together");
    ExpectRefused({"--replay", "a.rpl", "--seed", "4"}, "own seed");
}

}  // namespace
}  // namespace volley
