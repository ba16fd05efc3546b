// The one window and everything in it: seven picture surfaces and fourteen labels.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "game/keyed_array.h"
#include "game/labels.h"
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

inline constexpr size_t kLeftArrow = 0;   // "<<": an earlier stage can be chosen
inline constexpr size_t kRightArrow = 1;  // ">>": a later stage can be chosen

struct Form {
    Surface Picture1;  // background art
    Surface Bar;       // energy gauge
    Surface SBar;      // gauge art
    Surface Chr;       // sprite sheet
    Surface Def;       // clean copy of the play surface's background
    Surface MChr;      // mask of the sprite sheet
    Surface Picture2;  // the play surface
    Surface Icon;      // the window's icon
    bool BarVisible = false;
    KeyedArray<LabelId, Label, kDisplayLabels> DisplayLabel;
    // The "<<" and ">>" arrows of the stage choice (StageChenge in the design).
    std::array<Label, 2> StageArrows;  // kLeftArrow, kRightArrow
    Label PauseLabel;                  // "PAUSE", centred on the play surface while paused
    Surface WindowImage;               // what the window shows, composed at each refresh
};

// Changes a label's caption; the text is rendered again only when it really changed.
inline void SetCaption(Label& label, std::string_view caption) {
    if (label.Caption != caption) {
        label.Caption.assign(caption);
        label.ImageStale = true;
    }
}

}  // namespace volley
