// Damaged sound effects as the game plays them: the bytes are a Sound/*.wav file, held with the
// zero byte the game puts after every file image, and handed to the SDL_mixer effect player on
// SDL's dummy audio driver. A file that does not decode must be left out silently.
#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_sound.h"

namespace {

// The device is opened once for the whole run, as the game opens it once.
volley::sdl::SdlAudio& Audio() {
    static volley::sdl::SdlAudio* audio = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        static volley::sdl::SdlAudio opened;
        if (!opened.Ready()) {
            std::abort();
        }
        return &opened;
    }();
    return *audio;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    volley::sdl::SdlAudio& audio = Audio();
    std::vector<uint8_t> image(data, data + size);
    image.push_back(0);
    // A player of its own for each input: a decoded sound is remembered by the image's address,
    // which the next input's image may well reuse.
    volley::sdl::SdlSound sound(audio);
    sound.PlayEffect(image);
    // Twice, as the game plays an effect many times: the second play takes the kept sound.
    sound.PlayEffect(image);
    return 0;
}
