// assetgen_preview <game folder> <output folder>: renders preview.bmp (a frame of play composed
// with the game's blits) and contact_sheet.bmp (the labelled sheet) from the generated files.
#include <exception>
#include <iostream>

#include "contact_sheet.h"
#include "frame_preview.h"
#include "sheet_files.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: assetgen_preview <game folder> <output folder>\n";
        return 2;
    }
    try {
        const assetgen_preview::SheetFiles files = assetgen_preview::LoadSheetFiles(argv[1]);
        const std::filesystem::path output = argv[2];
        assetgen_preview::SaveSurface(assetgen_preview::ComposeFramePreview(files),
                                      output / "preview.bmp");
        assetgen_preview::SaveSurface(assetgen_preview::ComposeContactSheet(files),
                                      output / "contact_sheet.bmp");
    } catch (const std::exception& error) {
        std::cerr << "assetgen_preview: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
