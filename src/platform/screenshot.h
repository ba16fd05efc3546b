// Saving what the window shows as a time-stamped PNG file.
#pragma once

#include <ctime>
#include <string>

#include "platform/surface.h"

namespace volley {

// "volley-YYYYMMDD-HHMMSS.png" for the local time `when`.
std::string ScreenshotName(std::time_t when);

// Writes image into folder (made if need be) under the name for `when`, adding "-2", "-3", ...
// when that name is taken, so no screenshot ever replaces another. Returns the path written, or
// an empty string with the reason in error.
std::string SaveScreenshot(const Surface& image, const std::string& folder, std::time_t when,
                           std::string& error);

}  // namespace volley
