// Splits a music source into its header, phrases, drum grids and tracks (see mml_compiler.h) and
// reads each of them.
#pragma once

#include <string>
#include <string_view>

#include "mml_syntax.h"

namespace assetgen {

MusicSource ParseMusicSource(std::string_view text, const std::string& file);

// General MIDI percussion keys by the names the grids use ("kick", "snare", "hat", ...);
// -1 for an unknown name.
int DrumKeyNamed(const std::string& name);

}  // namespace assetgen
