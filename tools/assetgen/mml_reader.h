// Reads the note text of a track or phrase (see mml_compiler.h) into commands. The text may run
// over several lines; a loop may open on one line and close on another.
#pragma once

#include <vector>

#include "mml_syntax.h"
#include "source_text.h"

namespace assetgen {

std::vector<MusicItem> ReadMusicText(const std::vector<SourceLine>& lines);

}  // namespace assetgen
