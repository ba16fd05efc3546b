// How the window's pictures reach the screen, and which way suits this machine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace volley::sdl {

enum class PresentPath {
    // Written into SDL's window surface (shared memory with the X server): no OpenGL at all.
    Surface,
    // Uploaded to a texture of an SDL renderer, accelerated where the machine has a GPU.
    Renderer,
};

// The path the VOLLEY_PRESENT variable forces: "surface" or "renderer"; none for an unset or
// empty variable or "auto". Any other value is refused with a message in error.
std::optional<PresentPath> ForcedPresentPath(const char* value, std::string& error);

// True for the name OpenGL gives a renderer that draws on the processor (Mesa's llvmpipe,
// softpipe and swrast): on such a machine the window surface costs a small part of what OpenGL
// does for the same picture.
bool IsSoftwareRasteriser(std::string_view glRenderer);

// True when this machine has a device that OpenGL could draw with: a DRM render node or NVIDIA's
// driver. Without one every OpenGL renderer is a software rasteriser, so none need be tried.
bool HasGraphicsDevice();

}  // namespace volley::sdl
