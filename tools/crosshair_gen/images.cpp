// Positions and widths are those of the crosshair designs, nudged by hundredths of a pixel
// where needed so that the stored columns and rows of each line match the design's alphas
// under box-filtered coverage.
#include "images.h"

#include <cmath>
#include <stdexcept>

namespace crosshair {

namespace {

constexpr Point kDiagonals[] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

Point offset(Point p, Point direction) {
    return {p.x + direction.x, p.y + direction.y};
}

// Where a vertical line at x meets the ring, above (sign -1) or below (+1) its centre.
double ringY(const Ring& ring, double x, double sign) {
    const double dx = x - ring.centre.x;
    return ring.centre.y + sign * std::sqrt(ring.radius * ring.radius - dx * dx);
}

double ringX(const Ring& ring, double y, double sign) {
    const double dy = y - ring.centre.y;
    return ring.centre.x + sign * std::sqrt(ring.radius * ring.radius - dy * dy);
}

Stroke vertical(double x, double y0, double y1, double width) {
    return {{x, y0}, {x, y1}, width};
}

Stroke horizontal(double y, double x0, double x1, double width) {
    return {{x0, y}, {x1, y}, width};
}

Picture scope() {
    constexpr Point c{31.4, 30.9};
    constexpr Colour black{3, 2, 0};
    constexpr Colour hairline{3, 0, 1};
    // The outer ring is drawn 0.27 px smaller than its 29.9 design radius: at full size its
    // bottom edge would darken row 62, which has to stay transparent.
    const Ring outer{c, 29.63, 2.0};
    const Ring inner{c, 25.7, 1.4};

    Picture p{kCrosshairSize, kCrosshairSize, 9, {}, {}};
    p.backing = {{1, 1, 61, 61, 9},
                 {1, 0, 61, 0, 3},
                 {62, 1, 62, 61, 6},
                 {62, 0, 62, 0, 2},
                 {58, 63, 63, 63, 3}};
    p.elements.push_back({outer, black, 231});
    p.elements.push_back({inner, black, 200});
    for (Point d : kDiagonals)
        p.elements.push_back(
            {Stroke{along(c, offset(c, d), 37.0), along(c, offset(c, d), 8.0), 2.0}, black, 230});

    // Hairlines are slightly under a pixel wide so that the two columns (rows) they straddle
    // come out at the design's 156/95 and 50/200.
    constexpr double hx = 31.373;
    constexpr double hxWidth = 0.967;
    constexpr double hy = 30.811;
    constexpr double hyWidth = 0.963;
    p.elements.push_back({vertical(hx, ringY(inner, hx, -1), 25.7, hxWidth), hairline, 250});
    p.elements.push_back({vertical(hx, 37.0, ringY(inner, hx, 1), hxWidth), hairline, 250});
    p.elements.push_back({horizontal(hy, ringX(inner, hy, -1), 25.2, hyWidth), hairline, 250});
    p.elements.push_back({horizontal(hy, 37.6, ringX(inner, hy, 1), hyWidth), hairline, 250});

    p.elements.push_back({Disc{c, 4.1}, {220, 0, 17}, 249});
    return p;
}

Picture crossAndRings() {
    constexpr Point c{31.25, 31.6};
    constexpr Colour black{3, 2, 0};

    Picture p{kCrosshairSize, kCrosshairSize, 19, {}, {}};
    p.backing = {{2, 2, 60, 62, 19}, {3, 1, 60, 1, 14},   {1, 2, 1, 61, 6}, {61, 2, 61, 61, 16},
                 {2, 63, 60, 63, 1}, {1, 1, 1, 1, 2},     {2, 1, 2, 1, 13}, {61, 1, 61, 1, 8},
                 {1, 62, 1, 62, 3},  {61, 62, 61, 62, 12}};
    p.elements.push_back({Ring{c, 24.9, 1.5}, black, 235});
    p.elements.push_back({Ring{c, 21.5, 1.0}, {204, 0, 17}, 198});

    // The thick and fine parts of each arm meet end to end at pixel edges (19.5, 43.5) or
    // share a pixel (42.8) without a seam, since coverage is taken over their union.
    constexpr double vx = 31.248;
    constexpr double vThick = 2.097;
    constexpr double vxFine = 31.239;
    constexpr double vFine = 1.115;
    constexpr double hy = 31.653;
    constexpr double hThick = 2.139;
    constexpr double hyFine = 31.625;
    constexpr double hFine = 1.038;
    p.elements.push_back({vertical(vx, 1.0, 19.5, vThick), black, 235});
    p.elements.push_back({vertical(vxFine, 19.5, 29.2, vFine), black, 235});
    p.elements.push_back({vertical(vxFine, 34.0, 43.5, vFine), black, 235});
    p.elements.push_back({vertical(vx, 43.5, 62.4, vThick), black, 235});
    p.elements.push_back({horizontal(hy, 1.3, 19.5, hThick), black, 235});
    p.elements.push_back({horizontal(hyFine, 19.5, 28.9, hFine), black, 235});
    p.elements.push_back({horizontal(hyFine, 33.7, 42.8, hFine), black, 235});
    p.elements.push_back({horizontal(hy, 42.8, 61.3, hThick), black, 235});

    // Laid last so the fine arms, which end at the middle of its band, stay under it.
    p.elements.push_back({Ring{{31.3, 31.6}, 2.4, 1.2}, {195, 0, 15}, 215});
    return p;
}

Picture greenRings() {
    constexpr Point c{31.1, 31.5};
    constexpr Colour green{0, 129, 56};

    Picture p{kCrosshairSize, kCrosshairSize, 19, {}, {}};
    p.backing = {{2, 2, 60, 61, 19},  {2, 1, 60, 1, 10},   {2, 62, 60, 62, 10}, {1, 2, 1, 61, 10},
                 {61, 2, 61, 61, 15}, {61, 3, 61, 60, 16}, {1, 1, 1, 1, 3},     {1, 62, 1, 62, 3},
                 {61, 1, 61, 1, 5},   {61, 62, 61, 62, 5}};
    // 0.12 px inside its 30.0 design radius, so that the ring's right edge stops at the border
    // of column 62 instead of tinting it.
    p.elements.push_back({Ring{c, 29.88, 1.0}, green, 130});
    p.elements.push_back({Ring{c, 26.5, 1.0}, green, 140});
    p.elements.push_back({Ring{c, 16.0, 1.0}, green, 140});
    for (Point d : kDiagonals) {
        const Point towards = offset(c, d);
        p.elements.push_back(
            {Stroke{along(c, towards, 26.5), along(c, towards, 5.7), 1.0}, green, 138});
        // Perpendicular to the spoke.
        const Point side{-d.y * std::sqrt(0.5), d.x * std::sqrt(0.5)};
        for (double distance : {5.7, 12.5, 19.3}) {
            const Point m = along(c, towards, distance);
            p.elements.push_back({Stroke{{m.x - 2 * side.x, m.y - 2 * side.y},
                                         {m.x + 2 * side.x, m.y + 2 * side.y},
                                         1.0},
                                  green, 160});
        }
    }
    p.elements.push_back({Rect{29.6, 30.0, 32.6, 33.0, 0.8}, {216, 0, 15}, 254});
    return p;
}

Picture ringAndBars() {
    constexpr Point c{31.3, 31.45};
    constexpr Colour black{0, 0, 0};
    constexpr Colour red{240, 0, 2};

    Picture p{kCrosshairSize, kCrosshairSize, 19, {}, {}};
    p.backing = {{2, 1, 61, 62, 19}, {1, 2, 1, 61, 15},  {1, 1, 1, 1, 11},  {1, 62, 1, 62, 14},
                 {62, 3, 62, 61, 6}, {62, 2, 62, 2, 5},  {62, 1, 62, 1, 3}, {62, 62, 62, 62, 3},
                 {30, 0, 33, 0, 1},  {30, 63, 33, 63, 1}};
    p.elements.push_back({Ring{c, 24.3, 3.4}, black, 226});
    p.elements.push_back({Ring{c, 12.75, 1.5}, black, 225});
    // The bars cut through the ring rather than darkening where they cross it.
    p.elements.push_back({Rect{29.3, 0.5, 33.2, 13.65}, red, 197, Blend::Replace});
    p.elements.push_back({Rect{29.3, 49.25, 33.2, 62.4}, red, 197, Blend::Replace});
    p.elements.push_back({Rect{0.75, 29.5, 13.7, 33.4}, red, 197, Blend::Replace});
    p.elements.push_back({Rect{48.9, 29.5, 61.7, 33.4}, red, 197, Blend::Replace});
    p.elements.push_back({Disc{c, 5.5}, {239, 1, 0}, 197});
    return p;
}

Picture graduatedCross() {
    constexpr Point c{31.4, 31.65};
    const Ring ring{c, 23.0, 1.8};

    Picture p{kCrosshairSize, kCrosshairSize, 19, {}, {}};
    p.backing = {{1, 0, 63, 63, 19}, {0, 0, 0, 63, 14}, {0, 63, 0, 63, 10}};

    // The line parts end at the middle of the ring's band and the ring is laid over them.
    constexpr Colour outerV{187, 1, 1};
    constexpr double vx = 31.7175;
    constexpr double vOuter = 1.873;
    p.elements.push_back({vertical(vx, 0.8, ringY(ring, vx, -1), vOuter), outerV, 247});
    p.elements.push_back({vertical(vx, ringY(ring, vx, 1), 61.8, vOuter), outerV, 247});

    constexpr Colour innerV{184, 1, 1};
    constexpr double vxInner = 31.69;
    constexpr double vInner = 1.603;
    p.elements.push_back({vertical(vxInner, ringY(ring, vxInner, -1), 26.4, vInner), innerV, 233});
    p.elements.push_back({vertical(vxInner, 36.9, ringY(ring, vxInner, 1), vInner), innerV, 233});

    constexpr Colour outerH{185, 2, 1};
    constexpr double hy = 31.5325;
    constexpr double hOuter = 1.785;
    p.elements.push_back({horizontal(hy, 0.8, ringX(ring, hy, -1), hOuter), outerH, 247});
    p.elements.push_back({horizontal(hy, ringX(ring, hy, 1), 62.0, hOuter), outerH, 247});

    constexpr Colour innerH{183, 2, 2};
    constexpr double hyInner = 31.54;
    constexpr double hInner = 1.612;
    p.elements.push_back(
        {horizontal(hyInner, ringX(ring, hyInner, -1), 26.5, hInner), innerH, 233});
    p.elements.push_back({horizontal(hyInner, 36.8, ringX(ring, hyInner, 1), hInner), innerH, 233});

    struct Tick {
        double position;
        double length;
    };
    constexpr Colour tick{182, 2, 2};
    constexpr double tickWidth = 1.25;
    for (Tick t : {Tick{13.8, 8},
                   {17.4, 6},
                   {20.4, 4},
                   {23.0, 3},
                   {39.5, 3},
                   {42.3, 4},
                   {45.3, 6},
                   {48.8, 8}})
        p.elements.push_back(
            {horizontal(t.position, vx - t.length / 2, vx + t.length / 2, tickWidth), tick, 235});
    for (Tick t : {Tick{13.8, 8},
                   {17.5, 6},
                   {20.6, 4},
                   {23.4, 3},
                   {39.5, 3},
                   {42.2, 4},
                   {45.2, 6},
                   {49.0, 8}})
        p.elements.push_back(
            {vertical(t.position, hy - t.length / 2, hy + t.length / 2, tickWidth), tick, 235});

    p.elements.push_back({ring, {233, 1, 2}, 247});
    // A disc 4.8 across cannot cover the 4 by 4 block of pixels around the centre that has to
    // be solid, so the dot is a square of that size with rounded corners.
    p.elements.push_back({Rect{c.x - 2.4, c.y - 2.4, c.x + 2.4, c.y + 2.4, 0.8}, {236, 1, 1}, 254});
    return p;
}

} // namespace

Picture crosshairPicture(int style) {
    switch (style) {
    case 1:
        return scope();
    case 2:
        return crossAndRings();
    case 3:
        return greenRings();
    case 4:
        return ringAndBars();
    case 5:
        return graduatedCross();
    }
    throw std::out_of_range("crosshair style must be 1 to 5");
}

Picture iconPicture() {
    constexpr Point c{23.5, 23.5};
    constexpr Colour black{0, 0, 0};
    Picture p{kIconSize, kIconSize, 0, {}, {}};
    p.elements.push_back({Ring{c, 15.0, 5.0}, black, 255});
    // 4 px wide bars on pixel edges, from 2 px inside the border to 10 px from the centre.
    p.elements.push_back({Rect{21.5, 1.5, 25.5, 13.5}, black, 255});
    p.elements.push_back({Rect{21.5, 33.5, 25.5, 45.5}, black, 255});
    p.elements.push_back({Rect{1.5, 21.5, 13.5, 25.5}, black, 255});
    p.elements.push_back({Rect{33.5, 21.5, 45.5, 25.5}, black, 255});
    p.elements.push_back({Disc{c, 8.0}, black, 255});
    return p;
}

} // namespace crosshair
