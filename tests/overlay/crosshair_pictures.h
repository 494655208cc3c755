// What the overlay should look like on screen: each crosshair image stretched over the
// 66 x 66 window and blended over a known background, and which of them a screenshot
// shows.
#pragma once

#include "screenshot.h"

#include <windows.h>

#include <array>
#include <string>

inline constexpr int OverlaySize = 66;
// Background under the overlay in the picture tests, a colour none of the images has.
inline constexpr COLORREF KnownBackground = RGB(30, 60, 90);
inline constexpr Rgb KnownBackgroundRgb{30, 60, 90};

struct PictureMatch {
    int best = 0;                   // 1 to 5, 0 when nothing was captured
    std::array<double, 5> errors{}; // mean channel difference against image 1 to 5
    bool Clear() const;             // the best is clearly better than every other
    std::string Describe() const;
};

// Compares the 66 x 66 area at (left, top) of the shot with the five expected pictures,
// each blended over the given background.
PictureMatch MatchCrosshair(const Screenshot& shot, int left, int top,
                            Rgb background = KnownBackgroundRgb);

// Where the overlay belongs on the primary screen as it is now, and that area with a
// margin for a backdrop.
RECT CentredOverlayRect();
RECT AroundOverlay();

// Captures until the area shows one of the five pictures clearly (or the timeout passes).
PictureMatch CaptureCrosshair(int left, int top, DWORD timeoutMs = 5000);
