// The one window and everything in it: seven picture surfaces and fourteen labels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/keyed_array.h"
#include "game/labels.h"
#include "platform/mask_runs.h"
#include "platform/platform.h"
#include "platform/surface.h"

namespace volley {

enum class LabelParent { Window, PlaySurface };

struct Label {
    LabelParent Parent = LabelParent::Window;
    int Left = 0;  // relative to the parent
    int Top = 0;
    int TextSize = 0;     // em in pixels
    int CentreWidth = 0;  // 0: text starts at Left; otherwise centred in this width from Left
    std::string Caption;
    bool Visible = false;
    // The caption as rendered, kept until the caption changes.
    TextImage Image;
    bool ImageStale = true;
};

// What has been drawn on the play surface since it was last the bare background, so that the
// next restore copies those places back rather than the whole surface. More places than there is
// room for, or a surface changed some other way, make the next restore a whole one.
struct DrawnAreas {
    struct Area {
        int16_t X = 0;
        int16_t Y = 0;
        int16_t Width = 0;
        int16_t Height = 0;
    };
    static constexpr int kCapacity = 1024;
    std::array<Area, kCapacity> Areas;
    int Count = 0;
    int64_t Pixels = 0;
    bool Whole = true;
};

// The band as it was last composed, so that an unchanged band is not composed again.
struct BandMemory {
    bool Valid = false;
    bool BarVisible = false;
    Surface Bar;
    std::array<bool, kDisplayLabels> Visible{};
};

inline constexpr size_t kLeftArrow = 0;   // "<<": an earlier stage can be chosen
inline constexpr size_t kRightArrow = 1;  // ">>": a later stage can be chosen

struct Form {
    Surface Picture1;  // background art
    Surface Bar;       // energy gauge
    Surface SBar;      // gauge art
    Surface Chr;       // sprite sheet
    Surface Def;       // clean copy of the play surface's background
    Surface MChr;      // mask of the sprite sheet
    MaskRuns ChrRuns;  // where each cell of MChr and Chr draws anything, found on its first draw
    Surface Picture2;  // the play surface
    DrawnAreas Drawn;  // on Picture2 since its last restore
    Surface Icon;      // the window's icon
    bool BarVisible = false;
    KeyedArray<LabelId, Label, kDisplayLabels> DisplayLabel;
    // The "<<" and ">>" arrows of the stage choice (StageChenge in the design).
    std::array<Label, 2> StageArrows;  // kLeftArrow, kRightArrow
    Label PauseLabel;                  // "PAUSE", centred on the play surface while paused
    // What the window shows, composed at each refresh: the band above the play surface, with the
    // gauge and its labels; and, only while labels show on the play surface, the play surface's
    // visible part with them on it (otherwise the play surface goes to the window as it is).
    Surface Band;
    BandMemory BandShown;
    Surface LabelledPlay;
    bool PlayLabelled = false;
};

// Changes a label's caption; the text is rendered again only when it really changed.
inline void SetCaption(Label& label, std::string_view caption) {
    if (label.Caption != caption) {
        label.Caption.assign(caption);
        label.ImageStale = true;
    }
}

}  // namespace volley
