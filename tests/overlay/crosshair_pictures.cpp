#include "crosshair_pictures.h"

#include "crosshair_images.h"
#include "scoped_handles.h"
#include "test_images.h"

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Gdiplus::DllExports;

namespace {

using Picture = std::vector<Rgb>;

// Stretched the way the kit composes the window, then blended with straight alpha as the
// compositor shows it.
Picture ExpectedPicture(const unsigned char* constant, Rgb background) {
    ScopedImage image = LoadScoped(EmbeddedBytes(constant));
    ScopedBitmap canvas = MakeSolidBitmap(OverlaySize, OverlaySize, 0);
    GpGraphics* raw = nullptr;
    GdipGetImageGraphicsContext(canvas.get(), &raw);
    ScopedGraphics graphics(raw);
    GdipDrawImageRect(graphics.get(), image.get(), 0, 0, OverlaySize, OverlaySize);
    graphics.reset();
    Picture picture;
    for (int y = 0; y < OverlaySize; ++y) {
        for (int x = 0; x < OverlaySize; ++x) {
            const std::uint32_t argb = PixelAt(canvas.get(), x, y);
            const int alpha = static_cast<int>(argb >> 24);
            auto blend = [&](int channel, int under) {
                return (channel * alpha + under * (255 - alpha) + 127) / 255;
            };
            picture.push_back({blend((argb >> 16) & 0xFF, background.r),
                               blend((argb >> 8) & 0xFF, background.g),
                               blend(argb & 0xFF, background.b)});
        }
    }
    return picture;
}

std::array<Picture, 5> ExpectedPictures(Rgb background) {
    return {
        ExpectedPicture(CrosshairImage1, background), ExpectedPicture(CrosshairImage2, background),
        ExpectedPicture(CrosshairImage3, background), ExpectedPicture(CrosshairImage4, background),
        ExpectedPicture(CrosshairImage5, background)};
}

} // namespace

bool PictureMatch::Clear() const {
    if (best == 0) {
        return false;
    }
    const double bestError = errors[best - 1];
    for (int i = 0; i < 5; ++i) {
        if (i != best - 1 && errors[i] < 2 * bestError + 4) {
            return false;
        }
    }
    return bestError < 6;
}

std::string PictureMatch::Describe() const {
    std::string text = "best " + std::to_string(best) + ", mean differences";
    for (double error : errors) {
        char number[32];
        std::snprintf(number, sizeof number, " %.1f", error);
        text += number;
    }
    return text;
}

PictureMatch MatchCrosshair(const Screenshot& shot, int left, int top, Rgb background) {
    PictureMatch match;
    if (shot.Empty()) {
        return match;
    }
    static Rgb cachedBackground{-1, -1, -1};
    static std::array<Picture, 5> pictures;
    if (background != cachedBackground) {
        pictures = ExpectedPictures(background);
        cachedBackground = background;
    }
    for (int i = 0; i < 5; ++i) {
        long long total = 0;
        for (int y = 0; y < OverlaySize; ++y) {
            for (int x = 0; x < OverlaySize; ++x) {
                const Rgb seen = shot.At(left + x, top + y);
                const Rgb& want = pictures[i][static_cast<std::size_t>(y) * OverlaySize + x];
                total += std::abs(seen.r - want.r) + std::abs(seen.g - want.g) +
                         std::abs(seen.b - want.b);
            }
        }
        match.errors[i] = static_cast<double>(total) / (OverlaySize * OverlaySize * 3);
    }
    match.best = static_cast<int>(std::min_element(match.errors.begin(), match.errors.end()) -
                                  match.errors.begin() + 1);
    return match;
}

PictureMatch CaptureCrosshair(int left, int top, DWORD timeoutMs) {
    PictureMatch match;
    Screenshot::CaptureWhen(
        [&](const Screenshot& shot) {
            match = MatchCrosshair(shot, left, top);
            return match.Clear();
        },
        timeoutMs);
    return match;
}

RECT CentredOverlayRect() {
    const int left = (GetSystemMetrics(SM_CXSCREEN) - OverlaySize) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - OverlaySize) / 2;
    return {left, top, left + OverlaySize, top + OverlaySize};
}

RECT AroundOverlay() {
    RECT area = CentredOverlayRect();
    InflateRect(&area, 40, 40);
    return area;
}
