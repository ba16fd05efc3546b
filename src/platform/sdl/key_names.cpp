#include "platform/key_names.h"

#include <SDL_keyboard.h>

#include <string>

namespace volley {

// SDL's scancodes are the USB keyboard usages, the numbers a KeyPlace holds.
std::optional<KeyPlace> KeyPlaceNamed(std::string_view name) {
    const SDL_Scancode code = SDL_GetScancodeFromName(std::string(name).c_str());
    if (code == SDL_SCANCODE_UNKNOWN) {
        return std::nullopt;
    }
    return static_cast<KeyPlace>(code);
}

}  // namespace volley
