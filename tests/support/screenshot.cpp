#include "screenshot.h"

#include "host_command.h"
#include "scoped_handles.h"
#include "test_windows.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

using namespace Gdiplus::DllExports;

std::string ToString(const Rgb& colour) {
    char text[40];
    std::snprintf(text, sizeof text, "(%d,%d,%d)", colour.r, colour.g, colour.b);
    return text;
}

int Distance(const Rgb& a, const Rgb& b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

Screenshot Screenshot::Capture() {
    static std::atomic<unsigned> counter{0};
    const std::string file = HostScratchPath("screen-" + std::to_string(GetCurrentProcessId()) +
                                             "-" + std::to_string(counter++) + ".png");
    Screenshot shot;
    if (RunHostCommand("import -window root png:" + ShellQuote(file)) != 0) {
        return shot;
    }
    const std::string windowsPath = WindowsPathOf(file);
    std::wstring widePath(windowsPath.begin(), windowsPath.end());
    GpBitmap* raw = nullptr;
    GdipCreateBitmapFromFile(widePath.c_str(), &raw);
    ScopedBitmap bitmap(raw);
    if (bitmap != nullptr) {
        UINT width = 0;
        UINT height = 0;
        GdipGetImageWidth(bitmap.get(), &width);
        GdipGetImageHeight(bitmap.get(), &height);
        Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
        Gdiplus::BitmapData data{};
        if (GdipBitmapLockBits(bitmap.get(), &all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB,
                               &data) == Gdiplus::Ok) {
            shot.width_ = static_cast<int>(width);
            shot.height_ = static_cast<int>(height);
            shot.pixels_.resize(static_cast<std::size_t>(width) * height);
            for (UINT y = 0; y < height; ++y) {
                const auto* row = static_cast<const std::uint32_t*>(data.Scan0) +
                                  static_cast<std::size_t>(y) * (data.Stride / 4);
                for (UINT x = 0; x < width; ++x) {
                    shot.pixels_[static_cast<std::size_t>(y) * width + x] = row[x] & 0xFFFFFF;
                }
            }
            GdipBitmapUnlockBits(bitmap.get(), &data);
        }
    }
    bitmap.reset();
    DeleteFileA(windowsPath.c_str());
    return shot;
}

Screenshot Screenshot::CaptureWhen(const std::function<bool(const Screenshot&)>& ready,
                                   unsigned timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        PumpMessages(50);
        Screenshot shot = Capture();
        if ((!shot.Empty() && ready(shot)) || GetTickCount64() > deadline) {
            return shot;
        }
    }
}

Rgb Screenshot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {-1, -1, -1};
    }
    const std::uint32_t pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF)};
}
