#include "frame_preview.h"

namespace assetgen_preview {
namespace {

enum Table { kPlayerShots = 0, kEnemies = 1, kEnemyShots = 2 };

struct Placed {
    int Kind;
    int X;
    int Y;
};

constexpr int kShipLevelFrame = 2;
constexpr int kFixedCell = 32;

// The game's DrawMasked: the mask cell ANDed in, then the sheet cell ORed in.
void DrawMasked(volley::Surface& play, const SheetFiles& files, int x, int y, int sx, int sy, int w,
                int h) {
    volley::Blit(play, x, y, files.Mask, sx, sy, w, h, volley::RasterOp::And);
    volley::Blit(play, x, y, files.Sheet, sx, sy, w, h, volley::RasterOp::Or);
}

void DrawKinds(volley::Surface& play, const SheetFiles& files, Table table,
               std::initializer_list<Placed> placed) {
    for (const Placed& p : placed) {
        const volley::SpriteRect& r = files.Tables[table][static_cast<size_t>(p.Kind)];
        DrawMasked(play, files, p.X, p.Y, r.SrcX, r.SrcY, r.Width, r.Height);
    }
}

void DrawStars(volley::Surface& play) {
    for (const auto& [x, y] : {std::pair{40, 90},
                               {130, 20},
                               {300, 300},
                               {420, 210},
                               {77, 470},
                               {350, 500},
                               {200, 260},
                               {15, 350}}) {
        volley::SetPixel(play, x, y, volley::kWhite);
    }
}

void DrawShipAndShots(volley::Surface& play, const SheetFiles& files) {
    DrawMasked(play, files, 210, 440, kFixedCell * kShipLevelFrame, 0, kFixedCell, kFixedCell);
    DrawKinds(play, files, kPlayerShots,
              {{0, 224, 404},
               {0, 224, 356},
               {3, 210, 308},
               {3, 202, 260},
               {3, 218, 260},
               {2, 120, 380},
               {2, 160, 330},
               {2, 300, 350},
               {2, 340, 300}});
}

void DrawEnemies(volley::Surface& play, const SheetFiles& files) {
    DrawKinds(play, files, kEnemies,
              {{31, 162, 18},
               {3, 40, 150},
               {3, 380, 160},
               {4, 96, 236},
               {5, 330, 228},
               {11, 262, 190},
               {10, 52, 420},
               {14, 370, 300},
               {12, 20, 60},
               {9, 300, 120},
               {0, 300, 400},
               {1, 140, 300},
               {2, 390, 430}});
}

void DrawEnemyShots(volley::Surface& play, const SheetFiles& files) {
    DrawKinds(play, files, kEnemyShots,
              {{9, 180, 150},  {9, 205, 160},  {9, 230, 165},  {9, 255, 160},  {9, 280, 150},
               {13, 150, 190}, {13, 190, 205}, {13, 270, 205}, {13, 310, 190}, {0, 70, 200},
               {0, 110, 290},  {0, 400, 230},  {6, 120, 200},  {6, 360, 270},  {11, 166, 254},
               {11, 166, 280}, {1, 250, 240},  {1, 290, 250},  {5, 60, 330},   {5, 90, 350},
               {2, 330, 160},  {2, 200, 230},  {4, 150, 400},  {4, 280, 430}});
}

void DrawExplosions(volley::Surface& play, const SheetFiles& files) {
    for (const auto& [frame, x, y] : {std::tuple{1, 60, 95}, {3, 330, 60}, {5, 250, 330}}) {
        DrawMasked(play, files, x, y, kFixedCell * frame, kFixedCell, kFixedCell, kFixedCell);
    }
}

}  // namespace

volley::Surface ComposeFramePreview(const SheetFiles& files) {
    volley::Surface play(kPlayWidth, kPlayHeight);
    volley::StretchBlit(play, files.Background, volley::RasterOp::Copy);
    DrawStars(play);
    DrawShipAndShots(play, files);
    DrawEnemies(play, files);
    DrawEnemyShots(play, files);
    DrawExplosions(play, files);
    return play;
}

}  // namespace assetgen_preview
