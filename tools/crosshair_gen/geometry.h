// The shapes the crosshairs are drawn from, in canvas pixel coordinates: pixel (x, y) is the
// unit square centred on the point (x, y), so x = 31.5 lies on the edge between columns 31 and
// 32. Every shape is a half-open point set, so two strokes that meet end to end share no point
// and leave no gap between them.
#pragma once

#include <variant>

namespace crosshair {

struct Point {
    double x;
    double y;
};

// A circular band: `radius` is measured to the middle of the band.
struct Ring {
    Point centre;
    double radius;
    double width;
};

struct Disc {
    Point centre;
    double diameter;
};

// An axis-aligned rectangle, optionally with rounded corners.
struct Rect {
    double x0;
    double y0;
    double x1;
    double y1;
    double cornerRadius = 0.0;
};

// A straight stroke with flat ends, `width` wide, centred on the segment from `from` to `to`.
struct Stroke {
    Point from;
    Point to;
    double width;
};

using Shape = std::variant<Ring, Disc, Rect, Stroke>;

bool contains(const Shape& shape, Point p);

// False only when no point of the pixel centred on `pixel` can lie inside the shape; lets the
// rasteriser skip supersampling a pixel for shapes that are far away.
bool mayTouchPixel(const Shape& shape, Point pixel);

// The point a distance `distance` from `centre` in the direction of `towards`.
Point along(Point centre, Point towards, double distance);

} // namespace crosshair
