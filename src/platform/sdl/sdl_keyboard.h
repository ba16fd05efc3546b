// The game keys, fed by the key events the event pump reads.
#pragma once

#include <SDL_scancode.h>

#include <array>
#include <optional>

#include "platform/platform.h"

namespace volley::sdl {

// Keys are named by their place on the keyboard, not by the letter printed on them, so Z and X
// are the two keys at the bottom left on every layout.
std::optional<GameKey> GameKeyAt(SDL_Scancode scancode);

class SdlKeyboard final : public Keyboard {
  public:
    bool Query(GameKey key) override;

    void OnKeyDown(SDL_Scancode scancode);
    void OnKeyUp(SDL_Scancode scancode);
    // The window lost the keyboard: releases may never arrive, so no key counts as held.
    void ReleaseAll();

  private:
    static size_t Index(GameKey key) { return static_cast<size_t>(key); }
    std::array<bool, kGameKeyCount> held_{};
    // A press seen since the key was last queried: a tap shorter than a frame must still count.
    std::array<bool, kGameKeyCount> pressedSinceQuery_{};
};

}  // namespace volley::sdl
