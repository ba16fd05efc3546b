#include "platform/sdl/sdl_keyboard.h"

namespace volley::sdl {

std::optional<GameKey> GameKeyAt(SDL_Scancode scancode) {
    switch (scancode) {
        case SDL_SCANCODE_ESCAPE: return GameKey::Escape;
        case SDL_SCANCODE_LEFT: return GameKey::Left;
        case SDL_SCANCODE_UP: return GameKey::Up;
        case SDL_SCANCODE_RIGHT: return GameKey::Right;
        case SDL_SCANCODE_DOWN: return GameKey::Down;
        case SDL_SCANCODE_X: return GameKey::X;
        case SDL_SCANCODE_Z: return GameKey::Z;
        case SDL_SCANCODE_P:
        case SDL_SCANCODE_PAUSE: return GameKey::Pause;
        default: return std::nullopt;
    }
}

bool SdlKeyboard::Query(GameKey key) {
    const size_t i = Index(key);
    const bool active = held_[i] || pressedSinceQuery_[i];
    pressedSinceQuery_[i] = false;
    return active;
}

void SdlKeyboard::OnKeyDown(SDL_Scancode scancode) {
    if (const auto key = GameKeyAt(scancode)) {
        held_[Index(*key)] = true;
        pressedSinceQuery_[Index(*key)] = true;
    }
}

void SdlKeyboard::OnKeyUp(SDL_Scancode scancode) {
    if (const auto key = GameKeyAt(scancode)) {
        held_[Index(*key)] = false;
    }
}

void SdlKeyboard::ReleaseAll() {
    held_.fill(false);
}

}  // namespace volley::sdl
