// Observes a program's window from outside, as a separate 64-bit process in the same Wine
// prefix: it waits for the window, checks its place, its extended style and (with --colour)
// that it shows one colour on the composited screen, or (with --crosshair) that it shows
// that built-in crosshair over the screen behind it, then sends it WM_CLOSE. One line per
// check, "ok" or "FAIL". Exit code 0 when every check passed, 1 when one failed (WM_CLOSE was
// sent either way), 2 for bad arguments and 3 when no window showed.
//
//   smoke-probe --class NAME --rect L,T,R,B --exstyle 0xHEX [--colour R,G,B]
//               [--crosshair N] [--wait SECONDS]
//
// SMOKE_PROGRAM_STARTED_MS, the Unix time in milliseconds at which the program was started,
// lets it report how long the program took to show its window.
#include "crosshair_pictures.h"
#include "gdiplus_api.h"
#include "screenshot.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Options {
    std::string className;
    RECT rect{};
    DWORD exStyle = 0;
    bool checkColour = false;
    Rgb colour;
    int crosshair = 0;
    unsigned waitSeconds = 900;
};

constexpr int kTolerance = 2;

bool ParseOptions(int argc, char** argv, Options& options) {
    bool haveClass = false, haveRect = false, haveStyle = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        const char* name = argv[i];
        const char* value = argv[i + 1];
        if (std::strcmp(name, "--class") == 0) {
            options.className = value;
            haveClass = true;
        } else if (std::strcmp(name, "--rect") == 0) {
            RECT& r = options.rect;
            haveRect =
                std::sscanf(value, "%ld,%ld,%ld,%ld", &r.left, &r.top, &r.right, &r.bottom) == 4;
        } else if (std::strcmp(name, "--exstyle") == 0) {
            options.exStyle = static_cast<DWORD>(std::strtoul(value, nullptr, 0));
            haveStyle = true;
        } else if (std::strcmp(name, "--colour") == 0) {
            Rgb& c = options.colour;
            options.checkColour = std::sscanf(value, "%d,%d,%d", &c.r, &c.g, &c.b) == 3;
            if (!options.checkColour) {
                return false;
            }
        } else if (std::strcmp(name, "--crosshair") == 0) {
            options.crosshair = std::atoi(value);
            if (options.crosshair < 1 || options.crosshair > 5) {
                return false;
            }
        } else if (std::strcmp(name, "--wait") == 0) {
            options.waitSeconds = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
        } else {
            std::printf("unknown option %s\n", name);
            return false;
        }
    }
    return haveClass && haveRect && haveStyle && argc % 2 == 1;
}

int failures = 0;

void Report(bool passed, const std::string& text) {
    std::printf("%s %s\n", passed ? "ok  " : "FAIL", text.c_str());
    std::fflush(stdout);
    failures += passed ? 0 : 1;
}

std::string RectText(const RECT& r) {
    char text[80];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%lX", static_cast<unsigned long>(value));
    return text;
}

double SecondsSince(ULONGLONG start) {
    return static_cast<double>(GetTickCount64() - start) / 1000;
}

// Milliseconds since 1970, as the host's date +%s%3N counts them.
long long UnixMilliseconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<long long>(ticks / 10000 - 11644473600000ULL);
}

// The visible top-level window of the class, or null when none showed within the wait.
HWND WaitForWindow(const Options& options, ULONGLONG start) {
    const ULONGLONG deadline = start + options.waitSeconds * 1000ULL;
    for (;;) {
        HWND window = FindWindowA(options.className.c_str(), nullptr);
        if (window != nullptr && IsWindowVisible(window)) {
            return window;
        }
        if (GetTickCount64() > deadline) {
            return nullptr;
        }
        Sleep(100);
    }
}

// How many pixels of the rectangle differ from the colour.
int CountOff(const Screenshot& shot, const RECT& r, const Rgb& colour) {
    int off = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            off += Distance(shot.At(x, y), colour) > kTolerance ? 1 : 0;
        }
    }
    return off;
}

// How many pixels of the one-pixel ring around the rectangle show the colour.
int CountAround(const Screenshot& shot, const RECT& r, const Rgb& colour) {
    int same = 0;
    for (int x = r.left - 1; x <= r.right; ++x) {
        same += Distance(shot.At(x, r.top - 1), colour) <= kTolerance ? 1 : 0;
        same += Distance(shot.At(x, r.bottom), colour) <= kTolerance ? 1 : 0;
    }
    for (int y = r.top; y < r.bottom; ++y) {
        same += Distance(shot.At(r.left - 1, y), colour) <= kTolerance ? 1 : 0;
        same += Distance(shot.At(r.right, y), colour) <= kTolerance ? 1 : 0;
    }
    return same;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::printf("usage: smoke-probe --class NAME --rect L,T,R,B --exstyle 0xHEX "
                    "[--colour R,G,B] [--crosshair N] [--wait SECONDS]\n");
        return 2;
    }
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);

    const ULONGLONG start = GetTickCount64();
    HWND window = WaitForWindow(options, start);
    if (window == nullptr) {
        Report(false, "no visible window of class " + options.className + " within " +
                          std::to_string(options.waitSeconds) + " s");
        return 3;
    }
    if (const char* started = std::getenv("SMOKE_PROGRAM_STARTED_MS")) {
        std::printf("window shown %.1f s after the program started\n",
                    static_cast<double>(UnixMilliseconds() - std::atoll(started)) / 1000);
    } else {
        std::printf("window shown %.1f s after the probe started\n", SecondsSince(start));
    }

    RECT actual{};
    GetWindowRect(window, &actual);
    Report(EqualRect(&actual, &options.rect) != FALSE,
           "window at " + RectText(actual) + ", expected " + RectText(options.rect));

    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    Report(exStyle == options.exStyle,
           "extended style " + Hex(exStyle) + ", expected " + Hex(options.exStyle));

    if (options.checkColour) {
        const RECT& r = options.rect;
        const int area = (r.right - r.left) * (r.bottom - r.top);
        const Screenshot shot = Screenshot::CaptureWhen(
            [&](const Screenshot& s) { return CountOff(s, r, options.colour) == 0; }, 30000);
        if (shot.Empty()) {
            Report(false, "screen capture failed");
        } else {
            const int off = CountOff(shot, r, options.colour);
            Report(off == 0, std::to_string(area - off) + " of " + std::to_string(area) +
                                 " pixels of the window show " + ToString(options.colour));
            const int around = CountAround(shot, r, options.colour);
            Report(around == 0, std::to_string(around) + " pixels around the window show it too");
        }
    }

    if (options.crosshair != 0) {
        // Blended over whatever lies beneath: the screen just outside the window shows it.
        const RECT& r = options.rect;
        PictureMatch match;
        Screenshot::CaptureWhen(
            [&](const Screenshot& s) {
                match = MatchCrosshair(s, r.left, r.top, s.At(r.left - 3, r.top - 3));
                return match.Clear() && match.best == options.crosshair;
            },
            30000);
        Report(match.Clear() && match.best == options.crosshair,
               "crosshair " + std::to_string(options.crosshair) +
                   " on screen: " + match.Describe());
    }

    Report(PostMessageA(window, WM_CLOSE, 0, 0) != FALSE, "WM_CLOSE posted");
    const ULONGLONG closed = GetTickCount64();
    while (IsWindow(window) && SecondsSince(closed) < options.waitSeconds) {
        Sleep(100);
    }
    Report(IsWindow(window) == FALSE, "window gone " +
                                          std::to_string(static_cast<int>(SecondsSince(closed))) +
                                          " s after WM_CLOSE");

    Gdiplus::GdiplusShutdown(token);
    return failures == 0 ? 0 : 1;
}
