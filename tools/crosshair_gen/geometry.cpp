#include "geometry.h"

#include <algorithm>
#include <cmath>

namespace crosshair {

namespace {

// Half the diagonal of a pixel: no point of a pixel lies farther than this from its centre.
constexpr double kPixelReach = 0.7072;

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Position of p in the stroke's own frame: `along` from `from` towards `to`, `across` to the side.
struct StrokeFrame {
    double along;
    double across;
    double length;
};

StrokeFrame strokeFrame(const Stroke& s, Point p) {
    const double dx = s.to.x - s.from.x;
    const double dy = s.to.y - s.from.y;
    const double length = std::hypot(dx, dy);
    const double ux = dx / length;
    const double uy = dy / length;
    const double px = p.x - s.from.x;
    const double py = p.y - s.from.y;
    return {px * ux + py * uy, px * uy - py * ux, length};
}

bool roundedRectContains(const Rect& r, Point p) {
    if (p.x < r.x0 || p.x >= r.x1 || p.y < r.y0 || p.y >= r.y1)
        return false;
    if (r.cornerRadius <= 0.0)
        return true;
    // Only the corner squares are cut; test against the circle in the nearest one.
    const double cx = std::clamp(p.x, r.x0 + r.cornerRadius, r.x1 - r.cornerRadius);
    const double cy = std::clamp(p.y, r.y0 + r.cornerRadius, r.y1 - r.cornerRadius);
    const double dx = p.x - cx;
    const double dy = p.y - cy;
    return dx * dx + dy * dy < r.cornerRadius * r.cornerRadius;
}

} // namespace

bool contains(const Shape& shape, Point p) {
    if (const auto* ring = std::get_if<Ring>(&shape)) {
        const double inner = ring->radius - ring->width / 2;
        const double outer = ring->radius + ring->width / 2;
        const double dx = p.x - ring->centre.x;
        const double dy = p.y - ring->centre.y;
        const double d2 = dx * dx + dy * dy;
        return d2 >= inner * inner && d2 < outer * outer;
    }
    if (const auto* disc = std::get_if<Disc>(&shape)) {
        const double r = disc->diameter / 2;
        const double dx = p.x - disc->centre.x;
        const double dy = p.y - disc->centre.y;
        return dx * dx + dy * dy < r * r;
    }
    if (const auto* rect = std::get_if<Rect>(&shape))
        return roundedRectContains(*rect, p);
    const auto& stroke = std::get<Stroke>(shape);
    const StrokeFrame f = strokeFrame(stroke, p);
    return f.along >= 0.0 && f.along < f.length && f.across >= -stroke.width / 2 &&
           f.across < stroke.width / 2;
}

bool mayTouchPixel(const Shape& shape, Point pixel) {
    if (const auto* ring = std::get_if<Ring>(&shape))
        return std::abs(distance(pixel, ring->centre) - ring->radius) <=
               ring->width / 2 + kPixelReach;
    if (const auto* disc = std::get_if<Disc>(&shape))
        return distance(pixel, disc->centre) <= disc->diameter / 2 + kPixelReach;
    if (const auto* rect = std::get_if<Rect>(&shape))
        return pixel.x + 0.5 > rect->x0 && pixel.x - 0.5 < rect->x1 && pixel.y + 0.5 > rect->y0 &&
               pixel.y - 0.5 < rect->y1;
    const auto& stroke = std::get<Stroke>(shape);
    const StrokeFrame f = strokeFrame(stroke, pixel);
    return f.along >= -kPixelReach && f.along <= f.length + kPixelReach &&
           std::abs(f.across) <= stroke.width / 2 + kPixelReach;
}

Point along(Point centre, Point towards, double distance) {
    const double dx = towards.x - centre.x;
    const double dy = towards.y - centre.y;
    const double length = std::hypot(dx, dy);
    return {centre.x + dx / length * distance, centre.y + dy / length * distance};
}

} // namespace crosshair
