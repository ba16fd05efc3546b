#include "app/command_line.h"

#include <charconv>
#include <set>
#include <string_view>
#include <vector>

#include "platform/key_names.h"

namespace volley {

namespace {

constexpr const char* kUsage =
    "Usage: volley [option]...\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n"
    "  --scale N          draw the window N times larger (1 to 8); by default as large as fits\n"
    "  --fullscreen       start in fullscreen (F11 or Alt+Enter switch at any time)\n"
    "  --mute             play without any sound\n"
    "  --music-volume N   music loudness, 0 to 100 (100 unless given)\n"
    "  --sfx-volume N     sound effect loudness, 0 to 100 (100 unless given)\n"
    "  --keys L,U,R,D,F,B SDL key names for left, up, right, down, fire, bomb (e.g. A,W,D,S,J,K)\n"
    "  --seed N           start the random generator from N, so a game can be repeated\n"
    "  --save PATH        keep high scores and unlocked stages in PATH instead of the usual place\n"
    "  --record FILE      also write the game's replay to FILE when it ends\n"
    "  --replay FILE      play the recorded game in FILE back\n"
    "  --verify           with --replay: check the game ends as recorded (exit code 2 if not)\n"
    "  --headless         run without a window or sound (with --replay: as fast as possible)\n";

// Keys the game keeps for itself whatever the bindings.
constexpr std::array<std::string_view, 5> kReservedKeys = {"Escape", "P", "Pause", "F11", "F12"};

bool Reserved(KeyPlace place) {
    for (std::string_view name : kReservedKeys) {
        if (KeyPlaceNamed(name) == place) {
            return true;
        }
    }
    return false;
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text);
    quoted.push_back('\'');
    return quoted;
}

bool ParseWhole(std::string_view text, uint64_t& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseInRange(std::string_view text, int low, int high, int& out) {
    uint64_t value = 0;
    if (!ParseWhole(text, value) || value < static_cast<uint64_t>(low) ||
        value > static_cast<uint64_t>(high)) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

std::vector<std::string> SplitCommas(std::string_view text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t comma = text.find(','); comma != std::string_view::npos;
         comma = text.find(',', start)) {
        parts.emplace_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

bool ParseKeys(std::string_view text, KeyBindingPlaces& out, std::string& error) {
    const std::vector<std::string> names = SplitCommas(text);
    if (names.size() != out.size()) {
        error =
            "--keys needs six key names separated by commas (left,up,right,down,fire,bomb), "
            "not '" +
            std::string(text) + "'";
        return false;
    }
    std::set<KeyPlace> seen;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::optional<KeyPlace> place = KeyPlaceNamed(names[i]);
        if (!place) {
            error = "--keys: " + Quoted(names[i]) + " is not a key name SDL knows";
            return false;
        }
        if (Reserved(*place)) {
            error = "--keys: " + names[i] +
                    " is kept for quitting, pausing, fullscreen or "
                    "screenshots";
            return false;
        }
        if (!seen.insert(*place).second) {
            error = "--keys: the key " + names[i] + " is given twice";
            return false;
        }
        out[i] = *place;
    }
    return true;
}

class Parser {
  public:
    Parser(std::span<const char* const> args, Options& options, std::string& error)
        : args_(args), o_(options), error_(error) {}

    Command Run() {
        for (at_ = 0; at_ < args_.size(); ++at_) {
            std::string_view arg = args_[at_];
            if (arg == "--help" || arg == "-h") {
                return Command::ShowHelp;
            }
            if (arg == "--version") {
                return Command::ShowVersion;
            }
            if (!Option(arg)) {
                return Command::Refuse;
            }
        }
        return Consistent() ? Command::Play : Command::Refuse;
    }

  private:
    // Splits "--name=value"; a bare "--name" takes the next argument as its value when it needs
    // one.
    bool Option(std::string_view arg) {
        std::string_view name = arg;
        std::optional<std::string_view> inlineValue;
        if (const size_t eq = arg.find('=');
            eq != std::string_view::npos && arg.starts_with("--")) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }
        if (name == "--fullscreen" || name == "--mute" || name == "--headless" ||
            name == "--verify") {
            if (inlineValue) {
                return Fail(std::string(name) + " takes no value");
            }
            Flag(name);
            return true;
        }
        if (!Known(name)) {
            return Fail("unknown option " + Quoted(arg) + " (volley --help lists them)");
        }
        std::string_view value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (at_ + 1 < args_.size()) {
            value = args_[++at_];
        } else {
            return Fail(std::string(name) + " needs a value");
        }
        return Valued(name, value);
    }

    static bool Known(std::string_view name) {
        for (const char* known : {"--seed", "--save", "--scale", "--music-volume", "--sfx-volume",
                                  "--keys", "--record", "--replay"}) {
            if (name == known) {
                return true;
            }
        }
        return false;
    }

    void Flag(std::string_view name) {
        if (name == "--fullscreen")
            o_.Fullscreen = true;
        if (name == "--mute")
            o_.Mute = true;
        if (name == "--headless")
            o_.Headless = true;
        if (name == "--verify")
            o_.Verify = true;
    }

    bool Valued(std::string_view name, std::string_view value) {
        const std::string quoted = Quoted(value);
        if (name == "--seed") {
            uint64_t seed = 0;
            if (!ParseWhole(value, seed)) {
                return Fail("--seed needs a whole number, not " + quoted);
            }
            o_.Seed = seed;
        } else if (name == "--scale") {
            if (!ParseInRange(value, 1, 8, o_.Scale)) {
                return Fail("--scale needs a whole number from 1 to 8, not " + quoted);
            }
        } else if (name == "--music-volume" || name == "--sfx-volume") {
            int& volume = name == "--music-volume" ? o_.MusicVolume : o_.SfxVolume;
            if (!ParseInRange(value, 0, 100, volume)) {
                return Fail(std::string(name) + " needs a whole number from 0 to 100, not " +
                            quoted);
            }
        } else if (name == "--keys") {
            KeyBindingPlaces keys{};
            if (!ParseKeys(value, keys, error_)) {
                return false;
            }
            o_.Keys = keys;
        } else {
            return Path(name, value);
        }
        return true;
    }

    bool Path(std::string_view name, std::string_view value) {
        if (value.empty()) {
            return Fail(std::string(name) + " needs a file name");
        }
        std::string& target =
            name == "--save" ? o_.SavePath : (name == "--record" ? o_.RecordPath : o_.ReplayPath);
        target = value;
        return true;
    }

    bool Consistent() {
        if (o_.Verify && o_.ReplayPath.empty()) {
            return Fail("--verify needs a replay to check (--replay FILE)");
        }
        if (o_.Seed && !o_.ReplayPath.empty()) {
            return Fail("--seed and --replay cannot go together: a replay has its own seed");
        }
        if (!o_.RecordPath.empty() && !o_.ReplayPath.empty()) {
            return Fail("--record and --replay cannot go together: a replay is not recorded again");
        }
        return true;
    }

    bool Fail(const std::string& why) {
        error_ = why;
        return false;
    }

    std::span<const char* const> args_;
    Options& o_;
    std::string& error_;
    size_t at_ = 0;
};

}  // namespace

Command ParseCommandLine(std::span<const char* const> args, Options& options, std::string& error) {
    return Parser(args, options, error).Run();
}

const char* UsageText() {
    return kUsage;
}

}  // namespace volley
