// assetgen <assets folder> <output folder>: makes the game's pictures, data, sound and music
// from their sources.
#include <exception>
#include <iostream>

#include "asset_build.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: assetgen <assets folder> <output folder>\n";
        return 2;
    }
    try {
        assetgen::WriteAssets(assetgen::BuildAllAssets(argv[1]), argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "assetgen: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
