#include "shell/startup.h"

#include <chrono>

#include "audio/music.h"
#include "display/background.h"
#include "display/blit.h"
#include "display/compose.h"
#include "display/form.h"
#include "display/layout.h"
#include "display/stars.h"
#include "game/game.h"
#include "input/input.h"
#include "shell/files.h"
#include "shell/save_file.h"
#include "shell/scenes.h"

namespace volley {

namespace {

constexpr std::string_view kGameTitle = "みるてぃあ";

uint64_t ClockSeed() {
    return static_cast<uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

// Twips to whole pixels, rounded to the nearest.
int TwipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// The window's load: the play surface is laid out past the client area's edges, the background
// stretched over it and saved as the clean copy every frame starts from.
void FormLoad(Game& g) {
    Form& f = g.Form1;
    const int width = TwipsToPixels(kPlayWidthTwips);
    const int height = TwipsToPixels(kPlayHeightTwips);
    f.Picture2 = Surface(width, height);
    f.Def = Surface(width, height);
    StretchWhole(f.Picture2, f.Picture1, RasterOp::Copy);
    g.ScreenWidth = static_cast<int16_t>(f.Picture2.Width);
    g.ScreenHeight = static_cast<int16_t>(f.Picture2.Height);
    BackgroundCopy(g, false);
    RefreshWindow(g);
}

void ShowForm(Game& g) {
    DesignForm(g.Form1);
    LoadPictures(g);
    WindowSpec request{std::string(g.GameTitle), kClientWidth, kClientHeight, &g.Form1.Icon,
                       kBlack};
    std::string error;
    if (!g.Sys.window.Open(request, error)) {
        throw StartupError("cannot open the window: " + error);
    }
    FormLoad(g);
}

}  // namespace

void Main(Game& g, std::optional<uint64_t> seed) {
    g.Seed = seed.value_or(ClockSeed());
    g.Rng.Seed(g.Seed);
    MusicOpen(g);
    g.GameTitle = kGameTitle;
    g.Stage = 1;
    g.PlayerSpeed = 8;
    if (g.SaveFile.empty()) {
        g.SaveFile = ChooseSaveFile(g.ProgramDir, "");
    }
    LoadFiles(g);
    if (g.Observer != nullptr) {
        g.Observer->Started(g);
    }
    JoyInit(g);
    ShowForm(g);
    PlaceStars(g);
}

int FormActivate(Game& g) {
    return RunScenes(g);
}

}  // namespace volley
