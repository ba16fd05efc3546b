// Sound effects on SDL_mixer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_audio.h"

namespace volley::sdl {

// Each effect image is decoded once, on its first play, and kept: the game holds its few images
// for the whole run and plays them many times a second.
class SdlSound final : public Sound {
  public:
    explicit SdlSound(SdlAudio& audio) : audio_(audio) {}
    ~SdlSound() override = default;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    void PlayEffect(const std::vector<uint8_t>& wavImage) override;

  private:
    // The decoded sound of an image; null when the image does not decode.
    Mix_Chunk* Decoded(const std::vector<uint8_t>& wavImage);

    SdlAudio& audio_;
    // Opening of the device the chunks were decoded for.
    int opening_ = 0;
    // By the image's address and length; a null chunk remembers an image that did not decode.
    std::map<std::pair<const uint8_t*, size_t>, ChunkPtr> chunks_;
};

}  // namespace volley::sdl
