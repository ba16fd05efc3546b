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

TEST(CommandLine, HelpAndVersionWinWhateverElseIsGiven) {
    EXPECT_EQ(Parse({"--scale", "3", "--help"}).command, Command::ShowHelp);
    EXPECT_EQ(Parse({"-h"}).command, Command::ShowHelp);
    EXPECT_EQ(Parse({"--version", "--bogus"}).command, Command::ShowVersion);
    const Parsed none = Parse({});
    EXPECT_EQ(none.command, Command::Play);
    EXPECT_EQ(none.options.MusicVolume, 100);
    EXPECT_FALSE(none.options.Seed || none.options.Keys || none.options.Mute);
    for (const char* option :
         {"--help", "--version", "--mute", "--music-volume", "--sfx-volume", "--seed", "--save",
          "--scale", "--fullscreen", "--keys", "--record", "--replay", "--headless", "--verify"}) {
        EXPECT_NE(std::string(UsageText()).find(std::string("\n  ") + option + " "),
                  std::string::npos)
            << option;
    }
}

TEST(CommandLine, ValuesAreTakenSeparatelyOrAfterAnEqualsSign) {
    const Parsed p = Parse({"--seed", "18446744073709551615", "--scale=8", "--music-volume", "0",
                            "--sfx-volume=100", "--save", "s.dat", "--record=r.rpl", "--mute",
                            "--fullscreen", "--headless", "--keys=Left,Up,Right,Down,Space,A"});
    ASSERT_EQ(p.command, Command::Play) << p.error;
    EXPECT_EQ(*p.options.Seed, 18446744073709551615ull);
    EXPECT_EQ(p.options.Scale, 8);
    EXPECT_EQ(p.options.MusicVolume, 0);
    EXPECT_EQ(p.options.SfxVolume, 100);
    EXPECT_EQ(p.options.SavePath, "s.dat");
    EXPECT_EQ(p.options.RecordPath, "r.rpl");
    EXPECT_TRUE(p.options.Mute && p.options.Fullscreen && p.options.Headless);
    // The keys in their order: left, up, right, down, fire, bomb.
    EXPECT_EQ((*p.options.Keys)[0], KeyPlace{SDL_SCANCODE_LEFT});
    EXPECT_EQ((*p.options.Keys)[4], KeyPlace{SDL_SCANCODE_SPACE});
    EXPECT_EQ((*p.options.Keys)[5], KeyPlace{SDL_SCANCODE_A});
    const Parsed replay = Parse({"--headless", "--replay", "g.rpl", "--verify"});
    ASSERT_EQ(replay.command, Command::Play) << replay.error;
    EXPECT_EQ(replay.options.ReplayPath, "g.rpl");
    EXPECT_TRUE(replay.options.Verify);
}

TEST(CommandLine, EveryRefusalIsOneLineThatSaysWhatIsWrong) {
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{"--scale", "0"}, "1 to 8"},
        {{"--scale", "9"}, "1 to 8"},
        {{"--scale", "2x"}, "'2x'"},
        {{"--music-volume", "101"}, "0 to 100"},
        {{"--sfx-volume", "-1"}, "0 to 100"},
        {{"--sfx-volume", ""}, "0 to 100"},
        {{"--seed", "18446744073709551616"}, "whole number"},
        {{"--seed", "-5"}, "whole number"},
        {{"--seed"}, "needs a value"},
        {{"--save", ""}, "file name"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"game.rpl"}, "unknown option 'game.rpl'"},
        {{"--mute=yes"}, "takes no value"},
        {{"--keys", "A,W,D,S,J"}, "six key names"},
        {{"--keys", "A,W,D,S,J,K,L"}, "six key names"},
        {{"--keys", "A,W,D,S,J,Nope"}, "'Nope' is not a key name"},
        {{"--keys", "A,W,D,S,J,"}, "is not a key name"},
        {{"--keys", "A,W,D,S,J,a"}, "given twice"},
        {{"--keys", "A,W,D,S,J,Escape"}, "kept for"},
        {{"--keys", "A,W,D,S,J,P"}, "kept for"},
        {{"--keys", "F12,W,D,S,J,K"}, "kept for"},
        {{"--verify"}, "--replay"},
        {{"--replay", "a.rpl", "--record", "b.rpl"}, "cannot go together"},
        {{"--replay", "a.rpl", "--seed", "4"}, "own seed"},
    };
    for (const auto& [args, part] : cases) {
        const Parsed p = Parse(args);
        EXPECT_EQ(p.command, Command::Refuse) << args[0];
        EXPECT_NE(p.error.find(part), std::string::npos) << p.error;
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << "one line: " << p.error;
    }
}

}  // namespace
}  // namespace volley
