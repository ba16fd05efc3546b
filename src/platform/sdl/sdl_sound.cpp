#include "platform/sdl/sdl_sound.h"

#include <SDL.h>

#include <cstring>
#include <string>

#include "platform/wav_chunks.h"

namespace volley::sdl {
namespace {

// The zero byte the game puts after every file image.
constexpr size_t kTrailingZero = 1;
constexpr size_t kRiffHeaderBytes = 12;

// SDL_mixer would decode anything it does not take for a WAV file as music, synthesising a whole
// piece into memory; only RIFF WAVE images get that far.
bool LooksLikeWav(const std::vector<uint8_t>& image) {
    return image.size() >= kRiffHeaderBytes + kTrailingZero &&
           std::memcmp(image.data(), "RIFF", 4) == 0 &&
           std::memcmp(image.data() + 8, "WAVE", 4) == 0;
}

}  // namespace

void SdlSound::PlayEffect(const std::vector<uint8_t>& wavImage) {
    if (!LooksLikeWav(wavImage) || !audio_.Ready()) {
        return;
    }
    Mix_Chunk* chunk = Decoded(wavImage);
    if (chunk != nullptr) {
        // Playing on a busy channel cuts off what it played. A failure here leaves the effect
        // out, as every sound failure does.
        Mix_PlayChannel(kEffectChannel, chunk, 0);
    }
}

Mix_Chunk* SdlSound::Decoded(const std::vector<uint8_t>& wavImage) {
    if (opening_ != audio_.Opening()) {
        chunks_.clear();
        opening_ = audio_.Opening();
    }
    const auto key = std::make_pair(wavImage.data(), wavImage.size());
    if (auto found = chunks_.find(key); found != chunks_.end()) {
        return found->second.get();
    }
    const size_t fileBytes = wavImage.size() - kTrailingZero;
    ChunkPtr chunk;
    if (!WavChunksFit(wavImage.data(), fileBytes)) {
        audio_.Warn("cannot play a sound effect: the WAV file is cut short or damaged");
    } else {
        chunk.reset(
            Mix_LoadWAV_RW(SDL_RWFromConstMem(wavImage.data(), static_cast<int>(fileBytes)), 1));
        if (!chunk) {
            audio_.Warn(std::string("cannot play a sound effect: ") + Mix_GetError());
        }
    }
    return chunks_.emplace(key, std::move(chunk)).first->second.get();
}

}  // namespace volley::sdl
