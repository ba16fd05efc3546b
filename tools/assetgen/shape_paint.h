// The painting half of shape art (see shape_art.h): shapes on a slot-sized canvas, then the rim.
#pragma once

#include <optional>
#include <vector>

#include "image.h"

namespace assetgen {

enum class ShapeType { Ellipse, Poly, Glow, Ring, Line };

struct Shape {
    ShapeType Type = ShapeType::Ellipse;
    std::vector<Rgb> Ramp;  // darkest first
    // Ellipse and glow: cx cy rx ry. Ring: cx cy outer inner. Line: x y x y. Poly: the corners.
    std::vector<double> Values;
};

struct Canvas {
    Image Colours;
    BitGrid Opaque;
};

// Paints the shapes in order onto a width x height canvas, reflected as well when mirror is set,
// and then rims every opaque area with the outline colour, if there is one.
Canvas PaintShapes(const std::vector<Shape>& shapes, int width, int height, bool mirror,
                   std::optional<Rgb> outline);

}  // namespace assetgen
