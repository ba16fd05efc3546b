// Finding the face the game's labels are drawn in: a bold proportional gothic that can show kana.
#pragma once

#include <string>

namespace volley {

struct FontChoice {
    std::string Path;  // empty when fontconfig knows no face at all
    int Index = 0;     // the face's index inside a collection file
    bool CoversKana = false;
    // The face has no bold weight of its own, so the renderer must embolden its outlines.
    bool SynthesizeBold = false;
};

// Asks fontconfig; needs no display. When no installed face can show kana, returns the face
// fontconfig would use for bold sans-serif text, with CoversKana false.
FontChoice FindLabelFont();

}  // namespace volley
