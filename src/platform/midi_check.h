// Checking a piece of music before the synthesizer sees it. The synthesizer trusts the lengths in
// a file, and a damaged one has made it spin forever, so every piece the game plays must first be
// a standard MIDI file whose chunks and events all lie within it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace volley {

// True when file is a standard MIDI file (format 0, 1 or 2, at least one track) whose header,
// chunks and track events are well formed and end within the file; otherwise false with the
// first fault in error.
bool CheckMidiFile(std::span<const uint8_t> file, std::string& error);

}  // namespace volley
