#include "platform/sdl/window_scale.h"

namespace volley::sdl {

int LargestFittingScale(int width, int height, int usableWidth, int usableHeight) {
    int scale = 1;
    while (scale < kMaxScale && (scale + 1) * width <= usableWidth &&
           (scale + 1) * height <= usableHeight) {
        ++scale;
    }
    return scale;
}

}  // namespace volley::sdl
