// Turns the game's window icon into the PNG icons a desktop shows in its menus: each size given,
// enlarged by whole pixels, with the icon's black as transparency.
// Usage: icon_png <Icon.bmp> <output folder> <size>...   writes <folder>/<size>x<size>/volley.png

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/bmp.h"
#include "platform/png.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: icon_png <Icon.bmp> <output folder> <size>...\n");
        return 2;
    }
    volley::Surface icon;
    std::string error;
    if (!volley::LoadBmp(argv[1], icon, error)) {
        std::fprintf(stderr, "icon_png: %s\n", error.c_str());
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = std::stoi(argv[i]);
        volley::Surface scaled(size, size);
        volley::StretchBlit(scaled, icon, volley::RasterOp::Copy);
        const auto png = volley::EncodePng(scaled, volley::kBlack);
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path folder = std::filesystem::path(argv[2]) / name;
        std::filesystem::create_directories(folder);
        std::ofstream out(folder / "volley.png", std::ios::binary);
        out.write(reinterpret_cast<const char*>(png.data()),
                  static_cast<std::streamsize>(png.size()));
        if (!out) {
            std::fprintf(stderr, "icon_png: cannot write %s\n", (folder / "volley.png").c_str());
            return 1;
        }
    }
    return 0;
}
