#include "shape_paint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace assetgen {
namespace {

// Light falls from straight above and in front, so a mirrored craft stays symmetric.
constexpr double kLightUp = 0.6;
constexpr double kLightFront = 0.8;
// Shifts the dome shading so that only the far underside reaches the darkest colour.
constexpr double kDomeShadeBias = 0.35;

Rgb RampAt(const std::vector<Rgb>& ramp, double brightness) {
    const int last = static_cast<int>(ramp.size()) - 1;
    const int index = std::clamp(static_cast<int>(brightness * (last + 1)), 0, last);
    return ramp[static_cast<size_t>(index)];
}

std::optional<Rgb> DomeAt(const Shape& shape, double x, double y) {
    const double dx = (x - shape.Values[0]) / shape.Values[2];
    const double dy = (y - shape.Values[1]) / shape.Values[3];
    const double d2 = dx * dx + dy * dy;
    if (d2 > 1) {
        return std::nullopt;
    }
    const double shade = -kLightUp * dy + kLightFront * std::sqrt(1 - d2);
    return RampAt(shape.Ramp, (shade + kDomeShadeBias) / (1 + kDomeShadeBias));
}

std::optional<Rgb> GlowAt(const Shape& shape, double x, double y) {
    const double dx = (x - shape.Values[0]) / shape.Values[2];
    const double dy = (y - shape.Values[1]) / shape.Values[3];
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance > 1) {
        return std::nullopt;
    }
    return RampAt(shape.Ramp, 1 - distance);
}

std::optional<Rgb> RingAt(const Shape& shape, double x, double y) {
    const double r = std::hypot(x - shape.Values[0], y - shape.Values[1]);
    const double outer = shape.Values[2];
    const double inner = shape.Values[3];
    if (r > outer || r < inner) {
        return std::nullopt;
    }
    const double middle = (outer + inner) / 2;
    const double half = std::max((outer - inner) / 2, 0.5);
    return RampAt(shape.Ramp, 1 - std::abs(r - middle) / half);
}

// Even-odd rule on the corners' outline.
bool InsidePoly(const std::vector<double>& corners, double x, double y) {
    bool inside = false;
    const size_t count = corners.size() / 2;
    for (size_t i = 0, j = count - 1; i < count; j = i++) {
        const double xi = corners[2 * i];
        const double yi = corners[2 * i + 1];
        const double xj = corners[2 * j];
        const double yj = corners[2 * j + 1];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) {
            inside = !inside;
        }
    }
    return inside;
}

std::optional<Rgb> PlateAt(const Shape& shape, double x, double y) {
    if (!InsidePoly(shape.Values, x, y)) {
        return std::nullopt;
    }
    const int last = static_cast<int>(shape.Ramp.size()) - 1;
    int index = (last + 1) / 2;
    if (!InsidePoly(shape.Values, x, y - 1)) {
        index = std::min(last, index + 1);
    } else if (!InsidePoly(shape.Values, x, y + 1)) {
        index = std::max(0, index - 1);
    }
    return shape.Ramp[static_cast<size_t>(index)];
}

std::optional<Rgb> ShapeAt(const Shape& shape, double x, double y) {
    switch (shape.Type) {
        case ShapeType::Ellipse: return DomeAt(shape, x, y);
        case ShapeType::Glow: return GlowAt(shape, x, y);
        case ShapeType::Ring: return RingAt(shape, x, y);
        case ShapeType::Poly: return PlateAt(shape, x, y);
        case ShapeType::Line: break;
    }
    return std::nullopt;
}

void Plot(Canvas& canvas, int x, int y, Rgb colour) {
    if (x >= 0 && y >= 0 && x < canvas.Colours.Width && y < canvas.Colours.Height) {
        canvas.Colours.At(x, y) = colour;
        canvas.Opaque.Set(x, y, true);
    }
}

void PaintLine(const Shape& shape, bool mirror, Canvas& canvas) {
    const double x0 = shape.Values[0];
    const double y0 = shape.Values[1];
    const double dx = shape.Values[2] - x0;
    const double dy = shape.Values[3] - y0;
    const int steps =
        std::max(1, static_cast<int>(std::ceil(std::max(std::abs(dx), std::abs(dy)))));
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const int x = static_cast<int>(std::floor(x0 + dx * t));
        const int y = static_cast<int>(std::floor(y0 + dy * t));
        Plot(canvas, x, y, shape.Ramp.front());
        if (mirror) {
            Plot(canvas, canvas.Colours.Width - 1 - x, y, shape.Ramp.front());
        }
    }
}

void PaintArea(const Shape& shape, bool mirror, Canvas& canvas) {
    const int width = canvas.Colours.Width;
    for (int y = 0; y < canvas.Colours.Height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double sy = y + 0.5;
            std::optional<Rgb> colour = ShapeAt(shape, x + 0.5, sy);
            if (!colour && mirror) {
                colour = ShapeAt(shape, width - (x + 0.5), sy);
            }
            if (colour) {
                Plot(canvas, x, y, *colour);
            }
        }
    }
}

bool TouchesOpaque(const BitGrid& opaque, int x, int y) {
    const int offsets[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (const auto& offset : offsets) {
        const int nx = x + offset[0];
        const int ny = y + offset[1];
        if (nx >= 0 && ny >= 0 && nx < opaque.Width && ny < opaque.Height && opaque.At(nx, ny)) {
            return true;
        }
    }
    return false;
}

void PaintOutline(Rgb colour, Canvas& canvas) {
    const BitGrid painted = canvas.Opaque;
    for (int y = 0; y < painted.Height; ++y) {
        for (int x = 0; x < painted.Width; ++x) {
            if (!painted.At(x, y) && TouchesOpaque(painted, x, y)) {
                Plot(canvas, x, y, colour);
            }
        }
    }
}

}  // namespace

Canvas PaintShapes(const std::vector<Shape>& shapes, int width, int height, bool mirror,
                   std::optional<Rgb> outline) {
    Canvas canvas{Image(width, height), BitGrid(width, height)};
    for (const Shape& shape : shapes) {
        if (shape.Type == ShapeType::Line) {
            PaintLine(shape, mirror, canvas);
        } else {
            PaintArea(shape, mirror, canvas);
        }
    }
    if (outline) {
        PaintOutline(*outline, canvas);
    }
    return canvas;
}

}  // namespace assetgen
