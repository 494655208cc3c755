// What each built-in crosshair image must look like, as plain tables that any test can walk:
// the host tests read the committed PNGs with their own decoder, and a test on Windows can hold
// the same tables against what GDI+ decodes. Header-only, standard library only.
//
// Pixel (x, y) is column x, row y from the top-left; alphas are the stored straight alphas.
#pragma once

#include <cstddef>
#include <iterator>

namespace crosshair::expect {

struct Colour {
    unsigned char r;
    unsigned char g;
    unsigned char b;
};

constexpr int kNoColourCheck = -1;

// One pixel: its alpha lies in [minAlpha, maxAlpha], and unless colourTolerance is
// kNoColourCheck each colour channel is within colourTolerance of `colour`.
struct PixelCheck {
    int x;
    int y;
    int minAlpha;
    int maxAlpha;
    Colour colour;
    int colourTolerance;
    const char* what;
};

// Every pixel of an inclusive block has an alpha in [minAlpha, maxAlpha].
struct BlockCheck {
    int x0;
    int y0;
    int x1;
    int y1;
    int minAlpha;
    int maxAlpha;
    const char* what;
};

// A run of pixels straight across a thin stroke, which covers no pixel whole: the sum over the
// run of (alpha - backingAlpha) lies in [minSum, maxSum]. That sum is the stroke's alpha above
// the backing times the width it shows along the run, however the stroke falls on the pixels.
struct SectionCheck {
    int x0;
    int y0;
    int x1;
    int y1;
    int minSum;
    int maxSum;
    const char* what;
};

struct ImageCheck {
    int style;
    int width;
    int height;
    // Where the crosshair is centred, between pixel centres (31.5 lies between 31 and 32).
    double centreX;
    double centreY;
    // The red centre mark is the only red inside this inclusive block; the centre of its
    // red-weighted alpha is the crosshair's measured centre.
    int markX0;
    int markY0;
    int markX1;
    int markY1;
    int backingAlpha;
    bool hasTransparentPixels;
    const PixelCheck* pixels;
    std::size_t pixelCount;
    const BlockCheck* blocks;
    std::size_t blockCount;
    const SectionCheck* sections;
    std::size_t sectionCount;
};

// How far the measured centre may lie from the designed one, in pixels.
constexpr double kCentreTolerance = 0.25;

namespace detail {

// Alphas given as one number in the designs are met to within this.
constexpr int kAlphaTolerance = 4;
// Colours of wholly covered pixels are exact up to rounding.
constexpr int kColourTolerance = 2;

constexpr PixelCheck stroke(int x, int y, int minAlpha, int maxAlpha, Colour c, const char* what) {
    return {x, y, minAlpha, maxAlpha, c, kColourTolerance, what};
}

constexpr PixelCheck alphaNear(int x, int y, int alpha, const char* what) {
    return {x, y, alpha - kAlphaTolerance, alpha + kAlphaTolerance, {}, kNoColourCheck, what};
}

constexpr PixelCheck alphaIn(int x, int y, int minAlpha, int maxAlpha, const char* what) {
    return {x, y, minAlpha, maxAlpha, {}, kNoColourCheck, what};
}

constexpr BlockCheck block(int x0, int y0, int x1, int y1, int alpha, const char* what) {
    return {x0, y0, x1, y1, alpha, alpha, what};
}

constexpr Colour kBlack{3, 2, 0};

// Image 1: black scope, centre (31.4, 30.9), backing 9.
inline constexpr PixelCheck kScopePixels[] = {
    stroke(2, 31, 225, 237, kBlack, "outer ring, left"),
    stroke(31, 1, 225, 237, kBlack, "outer ring, top"),
    stroke(61, 31, 225, 237, kBlack, "outer ring, right"),
    stroke(57, 28, 195, 205, kBlack, "inner ring, right"),
    stroke(57, 33, 195, 205, kBlack, "inner ring, right"),
    stroke(17, 17, 225, 235, kBlack, "upper left bar"),
    stroke(45, 44, 225, 235, kBlack, "lower right bar"),
    stroke(44, 18, 225, 235, kBlack, "upper right bar"),
    stroke(20, 42, 225, 235, kBlack, "lower left bar"),
    alphaNear(31, 15, 156, "vertical hairline, upper part, column 31"),
    alphaNear(32, 15, 95, "vertical hairline, upper part, column 32"),
    alphaNear(31, 45, 156, "vertical hairline, lower part, column 31"),
    alphaNear(32, 45, 95, "vertical hairline, lower part, column 32"),
    alphaNear(15, 30, 50, "horizontal hairline, left part, row 30"),
    alphaNear(15, 31, 200, "horizontal hairline, left part, row 31"),
    alphaNear(45, 30, 50, "horizontal hairline, right part, row 30"),
    alphaNear(45, 31, 200, "horizontal hairline, right part, row 31"),
    stroke(31, 30, 246, 251, {220, 0, 17}, "centre dot"),
    stroke(32, 30, 246, 251, {220, 0, 17}, "centre dot"),
    stroke(31, 31, 246, 251, {220, 0, 17}, "centre dot"),
    stroke(32, 31, 246, 251, {220, 0, 17}, "centre dot"),
};

inline constexpr BlockCheck kScopeBlocks[] = {
    block(1, 1, 3, 3, 9, "backing, top left corner"),
    block(59, 1, 61, 3, 9, "backing, top right corner"),
    block(1, 59, 3, 61, 9, "backing, bottom left corner"),
    block(8, 24, 12, 27, 9, "backing between bar and hairline"),
    block(1, 0, 20, 0, 3, "top fringe"),
    block(42, 0, 61, 0, 3, "top fringe"),
    block(62, 1, 62, 20, 6, "right fringe"),
    block(62, 42, 62, 61, 6, "right fringe"),
    block(62, 0, 62, 0, 2, "top right fringe corner"),
    block(0, 0, 0, 26, 0, "transparent left column"),
    {0, 27, 0, 35, 0, 3, "outer ring's edge reaching the left column"},
    block(0, 36, 0, 63, 0, "transparent left column"),
    block(63, 0, 63, 62, 0, "transparent right column"),
    block(0, 62, 26, 62, 0, "transparent row 62"),
    {27, 62, 36, 62, 0, 7, "outer ring's edge reaching row 62"},
    block(37, 62, 63, 62, 0, "transparent row 62"),
    block(0, 63, 57, 63, 0, "transparent bottom row"),
    block(58, 63, 63, 63, 3, "faint end of the bottom row"),
};

inline constexpr SectionCheck kScopeSections[] = {
    // Width 1.4 at alpha about 200 (190 to 210), seen 1.409 wide along row 28.
    {55, 28, 58, 28, 255, 283, "inner ring across row 28"},
};

// Image 2: black cross over a black and a red ring, centre (31.25, 31.6), backing 19.
inline constexpr PixelCheck kCrossPixels[] = {
    stroke(56, 28, 230, 240, kBlack, "outer ring, right"),
    stroke(56, 35, 230, 240, kBlack, "outer ring, right"),
    stroke(7, 26, 230, 240, kBlack, "outer ring, left"),
    stroke(7, 37, 230, 240, kBlack, "outer ring, left"),
    alphaNear(30, 4, 84, "thick vertical, top, column 30"),
    stroke(31, 4, 232, 240, kBlack, "thick vertical, top, column 31"),
    alphaNear(32, 4, 191, "thick vertical, top, column 32"),
    alphaNear(30, 59, 84, "thick vertical, bottom, column 30"),
    stroke(31, 59, 232, 240, kBlack, "thick vertical, bottom, column 31"),
    alphaNear(32, 59, 191, "thick vertical, bottom, column 32"),
    // Designed at 30, but a band whose row 31 is not whole cannot reach row 30 under box
    // filtering; the stroke keeps row 31 right and leaves row 30 at the backing.
    alphaIn(4, 30, 19, 34, "thick horizontal, left, row 30"),
    alphaNear(4, 31, 217, "thick horizontal, left, row 31"),
    stroke(4, 32, 230, 238, kBlack, "thick horizontal, left, row 32"),
    alphaNear(4, 33, 67, "thick horizontal, left, row 33"),
    alphaIn(58, 30, 19, 34, "thick horizontal, right, row 30"),
    alphaNear(58, 31, 217, "thick horizontal, right, row 31"),
    stroke(58, 32, 230, 238, kBlack, "thick horizontal, right, row 32"),
    alphaNear(58, 33, 67, "thick horizontal, right, row 33"),
    alphaNear(31, 24, 196, "fine vertical, upper, column 31"),
    alphaNear(32, 24, 83, "fine vertical, upper, column 32"),
    alphaNear(31, 38, 196, "fine vertical, lower, column 31"),
    alphaNear(32, 38, 83, "fine vertical, lower, column 32"),
    alphaNear(24, 31, 104, "fine horizontal, left, row 31"),
    alphaNear(24, 32, 158, "fine horizontal, left, row 32"),
    alphaNear(38, 31, 104, "fine horizontal, right, row 31"),
    alphaNear(38, 32, 158, "fine horizontal, right, row 32"),
    // Where the thick vertical crosses the red ring, black lies on top: little red shows.
    {31, 10, 235, 255, kBlack, 16, "cross over the red ring"},
    {33, 30, 195, 224, {195, 0, 15}, 4, "centre ring"},
    {33, 33, 195, 224, {195, 0, 15}, 4, "centre ring"},
};

inline constexpr BlockCheck kCrossBlocks[] = {
    block(2, 2, 6, 6, 19, "backing, top left corner"),
    block(56, 2, 60, 6, 19, "backing, top right corner"),
    block(2, 57, 6, 62, 19, "backing, bottom left corner"),
    block(56, 57, 60, 62, 19, "backing, bottom right corner"),
    block(22, 22, 26, 26, 19, "backing inside the red ring"),
    {31, 31, 32, 32, 19, 22, "inside of the centre ring"},
    block(3, 1, 29, 1, 14, "top fringe"),
    block(33, 1, 60, 1, 14, "top fringe"),
    block(1, 2, 1, 29, 6, "left fringe"),
    block(1, 34, 1, 61, 6, "left fringe"),
    block(61, 2, 61, 29, 16, "right fringe"),
    block(61, 34, 61, 61, 16, "right fringe"),
    block(2, 63, 60, 63, 1, "bottom fringe"),
    block(1, 1, 1, 1, 2, "fringe corner"),
    block(2, 1, 2, 1, 13, "fringe corner"),
    block(61, 1, 61, 1, 8, "fringe corner"),
    block(1, 62, 1, 62, 3, "fringe corner"),
    block(61, 62, 61, 62, 12, "fringe corner"),
    block(0, 0, 63, 0, 0, "transparent top row"),
    block(0, 0, 0, 63, 0, "transparent left column"),
    block(62, 0, 63, 63, 0, "transparent right columns"),
};

inline constexpr SectionCheck kCrossSections[] = {
    // Width 1 at alpha 190 to 205, seen 1.035 wide along row 26.
    {50, 26, 53, 26, 177, 193, "red ring across row 26"},
};

// Image 3: thin green rings and spokes, centre (31.1, 31.5), backing 19.
constexpr Colour kGreen{0, 129, 56};

inline constexpr PixelCheck kGreenPixels[] = {
    stroke(31, 5, 130, 150, kGreen, "middle ring, top"),
    stroke(31, 58, 130, 150, kGreen, "middle ring, bottom"),
    // A 1 px bar at 45 degrees covers at most 91 % of any pixel.
    {23, 22, 110, 170, kGreen, 8, "crossbar"},
    stroke(31, 31, 250, 255, {216, 0, 15}, "centre dot"),
    stroke(32, 32, 250, 255, {216, 0, 15}, "centre dot"),
    alphaIn(30, 31, 229, 254, "centre dot"),
    alphaIn(30, 32, 229, 254, "centre dot"),
    alphaIn(32, 31, 229, 254, "centre dot"),
    alphaIn(31, 30, 82, 169, "centre dot, half covered top row"),
    alphaIn(31, 33, 82, 169, "centre dot, half covered bottom row"),
};

inline constexpr BlockCheck kGreenBlocks[] = {
    block(2, 2, 5, 5, 19, "backing, top left corner"),
    block(57, 2, 60, 5, 19, "backing, top right corner"),
    block(2, 58, 5, 61, 19, "backing, bottom left corner"),
    block(57, 58, 60, 61, 19, "backing, bottom right corner"),
    block(29, 20, 33, 23, 19, "backing between two spokes"),
    block(2, 1, 22, 1, 10, "top fringe"),
    block(40, 1, 60, 1, 10, "top fringe"),
    block(2, 62, 22, 62, 10, "bottom fringe"),
    block(40, 62, 60, 62, 10, "bottom fringe"),
    block(1, 2, 1, 20, 10, "left fringe"),
    block(1, 43, 1, 61, 10, "left fringe"),
    block(61, 3, 61, 20, 16, "right fringe"),
    block(61, 43, 61, 60, 16, "right fringe"),
    block(61, 2, 61, 2, 15, "right fringe, top end"),
    block(61, 61, 61, 61, 15, "right fringe, bottom end"),
    block(1, 1, 1, 1, 3, "fringe corner"),
    block(1, 62, 1, 62, 3, "fringe corner"),
    block(61, 1, 61, 1, 5, "fringe corner"),
    block(61, 62, 61, 62, 5, "fringe corner"),
    block(0, 0, 63, 0, 0, "transparent top row"),
    block(0, 63, 63, 63, 0, "transparent bottom row"),
    block(0, 0, 0, 63, 0, "transparent left column"),
    block(62, 0, 63, 63, 0, "transparent right columns"),
};

inline constexpr SectionCheck kGreenSections[] = {
    // Width 1 at alpha about 130 (120 to 140), seen 1.083 wide along row 20.
    {2, 20, 5, 20, 109, 131, "outer ring across row 20"},
    // Width 1 at alpha about 140 (130 to 150), seen 1.11 wide along row 20.
    {5, 20, 9, 20, 123, 145, "middle ring across row 20"},
    // Width 1 at alpha about 140 (130 to 150), crossing row 31 almost square on.
    {13, 31, 17, 31, 111, 131, "inner ring across row 31"},
    // Width 1 at alpha 130 to 145 on a diagonal, seen 1.414 wide along a row.
    {12, 15, 17, 15, 157, 178, "upper left spoke across row 15"},
    {45, 47, 50, 47, 157, 178, "lower right spoke across row 47"},
};

// Image 4: thick black ring with red bars, centre (31.3, 31.45), backing 19.
constexpr Colour kBarRed{240, 0, 2};

inline constexpr PixelCheck kBarsPixels[] = {
    stroke(16, 12, 222, 230, {0, 0, 0}, "outer ring"),
    stroke(7, 26, 222, 230, {0, 0, 0}, "outer ring, left"),
    stroke(55, 26, 222, 230, {0, 0, 0}, "outer ring, right"),
    stroke(44, 30, 218, 232, {0, 0, 0}, "inner ring, right"),
    stroke(44, 32, 218, 232, {0, 0, 0}, "inner ring, right"),
    stroke(31, 3, 195, 199, kBarRed, "top bar"),
    stroke(31, 59, 195, 199, kBarRed, "bottom bar"),
    stroke(3, 31, 195, 199, kBarRed, "left bar"),
    stroke(59, 31, 195, 199, kBarRed, "right bar"),
    // Where a bar crosses the ring the bar's own pixels replace the ring's.
    stroke(31, 7, 195, 199, kBarRed, "top bar across the ring"),
    stroke(31, 55, 195, 199, kBarRed, "bottom bar across the ring"),
    stroke(7, 31, 195, 199, kBarRed, "left bar across the ring"),
    stroke(55, 31, 195, 199, kBarRed, "right bar across the ring"),
    // The inner ends, at y 13.65 and 49.25 and x 13.7 and 48.9, cover 0.15, 0.25, 0.2 and
    // 0.6 of the pixel they fall in.
    stroke(31, 13, 195, 199, kBarRed, "top bar, last whole row"),
    alphaIn(31, 14, 38, 54, "top bar, inner end"),
    stroke(31, 50, 195, 199, kBarRed, "bottom bar, first whole row"),
    alphaIn(31, 49, 55, 72, "bottom bar, inner end"),
    stroke(13, 31, 195, 199, kBarRed, "left bar, last whole column"),
    alphaIn(14, 31, 47, 63, "left bar, inner end"),
    stroke(50, 31, 195, 199, kBarRed, "right bar, first whole column"),
    alphaIn(49, 31, 118, 134, "right bar, inner end"),
    stroke(31, 31, 195, 199, {239, 1, 0}, "centre dot"),
    stroke(30, 32, 195, 199, {239, 1, 0}, "centre dot"),
};

inline constexpr BlockCheck kBarsBlocks[] = {
    block(3, 2, 6, 5, 19, "backing, top left corner"),
    block(56, 2, 60, 5, 19, "backing, top right corner"),
    block(3, 58, 6, 61, 19, "backing, bottom left corner"),
    block(56, 58, 60, 61, 19, "backing, bottom right corner"),
    block(24, 24, 27, 27, 19, "backing inside the inner ring"),
    block(1, 2, 1, 28, 15, "left fringe"),
    block(1, 35, 1, 61, 15, "left fringe"),
    block(1, 1, 1, 1, 11, "left fringe, top end"),
    block(1, 62, 1, 62, 14, "left fringe, bottom end"),
    block(62, 3, 62, 28, 6, "right fringe"),
    block(62, 35, 62, 61, 6, "right fringe"),
    block(62, 1, 62, 1, 3, "right fringe, top end"),
    block(62, 2, 62, 2, 5, "right fringe, top end"),
    block(62, 62, 62, 62, 3, "right fringe, bottom end"),
    block(0, 0, 0, 63, 0, "transparent left column"),
    block(63, 0, 63, 63, 0, "transparent right column"),
    block(0, 0, 29, 0, 0, "transparent top row"),
    block(30, 0, 33, 0, 1, "top row above the bar"),
    block(34, 0, 63, 0, 0, "transparent top row"),
    block(0, 63, 29, 63, 0, "transparent bottom row"),
    block(30, 63, 33, 63, 1, "bottom row below the bar"),
    block(34, 63, 63, 63, 0, "transparent bottom row"),
};

// Image 5: red ring and graduated dark red cross, centre (31.4, 31.65), backing 19.
constexpr Colour kRingRed{233, 1, 2};
constexpr Colour kTickRed{182, 2, 2};

inline constexpr PixelCheck kGraduatedPixels[] = {
    stroke(29, 9, 240, 254, kRingRed, "ring, top"),
    stroke(34, 9, 240, 254, kRingRed, "ring, top"),
    stroke(54, 27, 240, 254, kRingRed, "ring, right"),
    stroke(54, 36, 240, 254, kRingRed, "ring, right"),
    alphaNear(31, 4, 183, "vertical outer part, top, column 31"),
    stroke(32, 4, 242, 250, {187, 1, 1}, "vertical outer part, top, column 32"),
    alphaNear(33, 4, 54, "vertical outer part, top, column 33"),
    alphaNear(31, 58, 183, "vertical outer part, bottom, column 31"),
    stroke(32, 58, 242, 250, {187, 1, 1}, "vertical outer part, bottom, column 32"),
    alphaNear(33, 58, 54, "vertical outer part, bottom, column 33"),
    alphaNear(31, 12, 150, "vertical inner part, top, column 31"),
    alphaNear(32, 12, 231, "vertical inner part, top, column 32"),
    alphaNear(31, 38, 150, "vertical inner part, bottom, column 31"),
    alphaNear(32, 38, 231, "vertical inner part, bottom, column 32"),
    alphaNear(4, 31, 215, "horizontal outer part, left, row 31"),
    alphaNear(4, 32, 230, "horizontal outer part, left, row 32"),
    alphaNear(59, 31, 215, "horizontal outer part, right, row 31"),
    alphaNear(59, 32, 230, "horizontal outer part, right, row 32"),
    alphaNear(12, 31, 183, "horizontal inner part, left, row 31"),
    alphaNear(12, 32, 200, "horizontal inner part, left, row 32"),
    alphaNear(51, 31, 183, "horizontal inner part, right, row 31"),
    alphaNear(51, 32, 200, "horizontal inner part, right, row 32"),
    stroke(49, 29, 220, 250, kTickRed, "tick right of the centre"),
    stroke(49, 34, 220, 250, kTickRed, "tick right of the centre"),
    stroke(31, 31, 252, 255, {236, 1, 1}, "centre dot"),
    stroke(32, 32, 252, 255, {236, 1, 1}, "centre dot"),
};

inline constexpr BlockCheck kGraduatedBlocks[] = {
    {30, 30, 33, 33, 252, 255, "centre dot, solid block"},
    block(2, 2, 6, 6, 19, "backing, top left corner"),
    block(57, 2, 61, 6, 19, "backing, top right corner"),
    block(2, 57, 6, 61, 19, "backing, bottom left corner"),
    block(57, 57, 61, 61, 19, "backing, bottom right corner"),
    block(35, 35, 38, 38, 19, "backing between dot and ticks"),
    block(1, 0, 63, 0, 19, "backing, top row"),
    block(1, 63, 63, 63, 19, "backing, bottom row"),
    block(63, 0, 63, 63, 19, "backing, right column"),
    block(0, 0, 0, 62, 14, "left fringe"),
    block(0, 63, 0, 63, 10, "left fringe, bottom end"),
};

// Ticks are 1.25 wide at alpha 220 to 250; most fall across two pixels.
inline constexpr SectionCheck kGraduatedSections[] = {
    {30, 16, 30, 19, 251, 289, "tick at y 17.4 across column 30"},
    {33, 19, 33, 21, 251, 289, "tick at y 20.4 across column 33"},
    {44, 29, 47, 29, 251, 289, "tick at x 45.2 across row 29"},
};

} // namespace detail

inline constexpr ImageCheck kImageChecks[] = {
    {1, 64, 64, 31.4, 30.9, 27, 27, 36, 35, 9, true, detail::kScopePixels,
     std::size(detail::kScopePixels), detail::kScopeBlocks, std::size(detail::kScopeBlocks),
     detail::kScopeSections, std::size(detail::kScopeSections)},
    {2, 64, 64, 31.25, 31.6, 27, 27, 36, 36, 19, true, detail::kCrossPixels,
     std::size(detail::kCrossPixels), detail::kCrossBlocks, std::size(detail::kCrossBlocks),
     detail::kCrossSections, std::size(detail::kCrossSections)},
    {3, 64, 64, 31.1, 31.5, 27, 27, 35, 36, 19, true, detail::kGreenPixels,
     std::size(detail::kGreenPixels), detail::kGreenBlocks, std::size(detail::kGreenBlocks),
     detail::kGreenSections, std::size(detail::kGreenSections)},
    {4, 64, 64, 31.3, 31.45, 27, 27, 36, 36, 19, true, detail::kBarsPixels,
     std::size(detail::kBarsPixels), detail::kBarsBlocks, std::size(detail::kBarsBlocks), nullptr,
     0},
    {5, 64, 64, 31.4, 31.65, 28, 28, 35, 35, 19, false, detail::kGraduatedPixels,
     std::size(detail::kGraduatedPixels), detail::kGraduatedBlocks,
     std::size(detail::kGraduatedBlocks), detail::kGraduatedSections,
     std::size(detail::kGraduatedSections)},
};

// The program icon: 48 x 48, every pixel black, only the alpha varies.
struct IconCheck {
    int size;
    double centre;
    const PixelCheck* pixels;
    std::size_t pixelCount;
};

namespace detail {

inline constexpr PixelCheck kIconPixels[] = {
    stroke(23, 23, 255, 255, {0, 0, 0}, "centre dot"),
    stroke(8, 23, 255, 255, {0, 0, 0}, "ring, left"),
    stroke(23, 39, 255, 255, {0, 0, 0}, "ring, bottom"),
    stroke(22, 2, 255, 255, {0, 0, 0}, "top bar, outer end"),
    stroke(25, 13, 255, 255, {0, 0, 0}, "top bar, inner end"),
    stroke(45, 24, 255, 255, {0, 0, 0}, "right bar, outer end"),
    alphaIn(23, 1, 0, 0, "above the top bar"),
    alphaIn(23, 14, 0, 0, "between top bar and dot"),
    alphaIn(21, 5, 0, 0, "beside the top bar"),
    alphaIn(26, 5, 0, 0, "beside the top bar"),
    alphaIn(0, 0, 0, 0, "corner"),
    alphaIn(47, 47, 0, 0, "corner"),
    alphaIn(8, 8, 0, 0, "outside the ring"),
    alphaIn(16, 16, 0, 0, "inside the ring"),
};

} // namespace detail

inline constexpr IconCheck kIconCheck{48, 23.5, detail::kIconPixels,
                                      std::size(detail::kIconPixels)};

} // namespace crosshair::expect
