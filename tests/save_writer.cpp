// save_writer <save file> <first counter> <count>: writes the save file count times through the
// game's own WriteSaveData, the n-th time with the values of counter first + n (see
// save_pattern.h). A test kills it at random moments to see what a kill leaves behind. Exits 1 with
// the reason when a save cannot be written.
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "platform/headless.h"
#include "save_pattern.h"

namespace {

bool ParseCount(std::string_view text, int32_t& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size() && out >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    int32_t first = 0;
    int32_t count = 0;
    if (argc != 4 || !ParseCount(argv[2], first) || !ParseCount(argv[3], count)) {
        std::fprintf(stderr, "usage: save_writer <save file> <first counter> <count>\n");
        return 2;
    }
    volley::HeadlessPlatform platform;
    auto game = std::make_unique<volley::Game>(platform.Services(), "");
    game->SaveFile = argv[1];
    for (int32_t n = 0; n < count; ++n) {
        volley::testing::FillSave(*game, first + n);
        std::string error;
        if (!volley::WriteSaveData(*game, error)) {
            std::fprintf(stderr, "save_writer: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
