#include "platform/sdl/sdl_keyboard.h"

namespace volley::sdl {

std::optional<GameKey> GameKeyAt(SDL_Scancode scancode, const KeyBindings& bindings) {
    switch (scancode) {
        case SDL_SCANCODE_ESCAPE: return GameKey::Escape;
        case SDL_SCANCODE_P:
        case SDL_SCANCODE_PAUSE: return GameKey::Pause;
        default: break;
    }
    static constexpr std::array<GameKey, 6> kBound = {GameKey::Left, GameKey::Up, GameKey::Right,
                                                      GameKey::Down, GameKey::Z,  GameKey::X};
    for (size_t i = 0; i < bindings.size(); ++i) {
        if (bindings[i] == scancode) {
            return kBound[i];
        }
    }
    return std::nullopt;
}

bool SdlKeyboard::Query(GameKey key) {
    const size_t i = Index(key);
    const bool active = held_[i] || pressedSinceQuery_[i];
    pressedSinceQuery_[i] = false;
    return active;
}

void SdlKeyboard::OnKeyDown(SDL_Scancode scancode) {
    if (const auto key = GameKeyAt(scancode, bindings_)) {
        held_[Index(*key)] = true;
        pressedSinceQuery_[Index(*key)] = true;
    }
}

void SdlKeyboard::OnKeyUp(SDL_Scancode scancode) {
    if (const auto key = GameKeyAt(scancode, bindings_)) {
        held_[Index(*key)] = false;
    }
}

void SdlKeyboard::ReleaseAll() {
    held_.fill(false);
}

}  // namespace volley::sdl
