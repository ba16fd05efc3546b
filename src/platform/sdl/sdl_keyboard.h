// The game keys, fed by the key events the event pump reads.
#pragma once

#include <SDL_scancode.h>

#include <array>
#include <optional>

#include "platform/platform.h"

namespace volley::sdl {

// The keys that steer, fire and bomb: left, up, right, down, fire (Z), bomb (X). Keys are named by
// their place on the keyboard, not by the letter printed on them, so Z and X are the two keys at
// the bottom left on every layout.
using KeyBindings = std::array<SDL_Scancode, 6>;
inline constexpr KeyBindings kDefaultBindings = {SDL_SCANCODE_LEFT,  SDL_SCANCODE_UP,
                                                 SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN,
                                                 SDL_SCANCODE_Z,     SDL_SCANCODE_X};

// The game key at scancode; Escape always quits, and P or Pause always pause.
std::optional<GameKey> GameKeyAt(SDL_Scancode scancode,
                                 const KeyBindings& bindings = kDefaultBindings);

class SdlKeyboard final : public Keyboard {
  public:
    bool Query(GameKey key) override;
    void SetBindings(const KeyBindings& bindings) { bindings_ = bindings; }

    void OnKeyDown(SDL_Scancode scancode);
    void OnKeyUp(SDL_Scancode scancode);
    // The window lost the keyboard: releases may never arrive, so no key counts as held.
    void ReleaseAll();

  private:
    KeyBindings bindings_ = kDefaultBindings;
    static size_t Index(GameKey key) { return static_cast<size_t>(key); }
    std::array<bool, kGameKeyCount> held_{};
    // A press seen since the key was last queried: a tap shorter than a frame must still count.
    std::array<bool, kGameKeyCount> pressedSinceQuery_{};
};

}  // namespace volley::sdl
