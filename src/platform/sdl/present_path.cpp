#include "platform/sdl/present_path.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace volley::sdl {

std::optional<PresentPath> ForcedPresentPath(const char* value, std::string& error) {
    const std::string_view asked = value != nullptr ? value : "";
    if (asked == "surface") {
        return PresentPath::Surface;
    }
    if (asked == "renderer") {
        return PresentPath::Renderer;
    }
    if (!asked.empty() && asked != "auto") {
        error = "VOLLEY_PRESENT=" + std::string(asked) +
                " is not surface, renderer or auto; the machine decides";
    }
    return std::nullopt;
}

bool IsSoftwareRasteriser(std::string_view glRenderer) {
    constexpr std::array<std::string_view, 4> kSoftware = {"llvmpipe", "softpipe", "swrast",
                                                           "Software Rasterizer"};
    return std::any_of(kSoftware.begin(), kSoftware.end(), [&](std::string_view name) {
        return glRenderer.find(name) != std::string_view::npos;
    });
}

bool HasGraphicsDevice() {
    std::error_code error;
    if (std::filesystem::exists("/dev/nvidiactl", error)) {
        return true;
    }
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
        if (entry.path().filename().string().starts_with("renderD")) {
            return true;
        }
    }
    return false;
}

}  // namespace volley::sdl
