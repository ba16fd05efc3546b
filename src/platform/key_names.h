// Keys by name, for the command line: the names are SDL's ("A", "Left", "Left Shift", "Keypad 5");
// the platform's SDL side knows them, the rest of the program sees only places.
#pragma once

#include <optional>
#include <string_view>

#include "platform/platform.h"

namespace volley {

// The key a name stands for, or none when no key has that name.
std::optional<KeyPlace> KeyPlaceNamed(std::string_view name);

}  // namespace volley
